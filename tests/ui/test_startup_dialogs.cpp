// The desktop start-up's questions: the missing configuration file (create a
// new one, choose another, give up) and the logon dialog per computer
// (accepted, refused and asked again, "without a connection"), and a computer whose rights
// are a user's refusing a task command.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "core/DefaultConfigText.h"
#include "rpc/iface/Interface.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/dialogs/CLogonDlg.h"
#include "ui/editor/CCfgFileEditDlg.h"
#include "ui/editor/CTWScriptEdit.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/main/CPropGridCtrl.h"
#include "ui/main/CPropStaticLowerPane.h"
#include "ui/runtime/ServiceRunner.h"

namespace {

// Answers the modal windows of a start-up one after the other: each step
// gets the next window that comes up and is not the one answered before.
class ModalScript : public QObject {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start(10);
  }
  size_t Done() const { return next_; }
  const QStringList& Titles() const { return titles_; }

 private:
  void Poll() {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible() || window == last_ || next_ >= steps_.size()) return;
    last_ = window;
    titles_ << window->windowTitle();
    steps_[next_++](window);
  }
  std::vector<Step> steps_;
  size_t next_ = 0;
  QWidget* last_ = nullptr;
  QStringList titles_;
  QTimer timer_;
};

ModalScript::Step ClickButton(const QString& text) {
  return [text](QWidget* window) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
      if (testsupport::PlainButtonText(button->text()) == text) return button->click();
    window->close();
  };
}

ModalScript::Step ChooseFile(const std::string& path) {
  return [path](QWidget* window) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    QVERIFY(dialog);
    dialog->selectFile(QString::fromStdString(path));
    // Ended as chosen without the dialog's own check, which reads the folder
    // through a model that fills in the background and may not yet know the
    // file a test wrote a moment ago.
    static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
  };
}

// The editor on the new file: a comment line typed at the top, then Save.
ModalScript::Step EditAndSave() {
  return [](QWidget* window) {
    auto* editor = qobject_cast<ui::CCfgFileEditDlg*>(window);
    QVERIFY(editor);
    QTextCursor cursor = editor->Editor()->textCursor();
    cursor.movePosition(QTextCursor::Start);
    editor->Editor()->setTextCursor(cursor);
    editor->Editor()->insertPlainText(";; edited\n");
    ClickButton("Save")(window);
  };
}

ModalScript::Step CancelDialog() {
  return [](QWidget* window) { static_cast<QDialog*>(window)->reject(); };
}

ModalScript::Step FillLogon(const QString& user, const QString& password, const QString& button) {
  return [=](QWidget* window) {
    QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits)
      edit->setText(edit->echoMode() == QLineEdit::Password ? password : user);
    ClickButton(button)(window);
  };
}

std::unique_ptr<ui::DesktopConsole> ConsoleOn(const std::string& path) {
  ui::DesktopOptions options;
  options.commandLine = path;
  options.installCrashHandlers = false;
  options.machineIdentity = [] { return std::string("WinComputerName=TESTBOX;FQDN=testbox;IP=10.0.0.9"); };
  options.localTest = [](const std::string&) { return false; };
  return std::make_unique<ui::DesktopConsole>(std::move(options));
}

bool WaitEnded(ui::DesktopConsole& console) {
  for (int i = 0; i < 3000 && !console.Running() && !console.Finished(); ++i) QTest::qWait(10);
  return console.Running() || console.Finished();
}

void EndConsole(ui::DesktopConsole& console) {
  if (!console.Running()) return;
  console.RequestExit(false);
  for (int i = 0; i < 3000 && !console.Finished(); ++i) QTest::qWait(10);
}

// The value the properties pane shows beside a label.
QString PropertyValue(ui::CMainFrame& main, const QString& label) {
  QTreeWidget* tree = main.Properties()->Grid()->Tree();
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->text(0) == label) return (*it)->text(1);
  return "<missing>";
}

size_t Count(const std::vector<std::string>& lines, const std::string& what) {
  size_t n = 0;
  for (const auto& line : lines) n += line.find(what) != std::string::npos;
  return n;
}

}  // namespace

class StartupDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void aMissingFileIsCreatedWithTheDefaultText() {
    const std::string folder = uitest::TempFolder();
    const std::string created = folder + "/new.Cfg";
    // The new file is opened in the editor before it is loaded.
    ModalScript script({ClickButton("Yes"), ChooseFile(created), EditAndSave()});
    auto console = ConsoleOn(folder + "/__RemoteHost.Cfg");
    console->Start();
    QVERIFY(WaitEnded(*console));
    QVERIFY(console->Running());
    QCOMPARE(script.Done(), size_t{3});
    QCOMPARE(script.Titles(), QStringList({QString::fromUtf8("Вопрос"), QString::fromUtf8("Новый конфигурационный файл"),
                                           QString::fromUtf8("Configuration file")}));
    QVERIFY(uitest::ReadFile(created) == ";; edited\r\n" + core::DefaultConfigText());
    EndConsole(*console);
  }

  void anotherFileCanBeChosen() {
    const std::string folder = uitest::TempFolder();
    const std::string other = folder + "/other.Cfg";
    std::ofstream(other, std::ios::binary) << core::DefaultConfigText();
    ModalScript script({ClickButton("No"), ChooseFile(other)});
    auto console = ConsoleOn(folder + "/missing.Cfg");
    console->Start();
    QVERIFY(WaitEnded(*console));
    QVERIFY(console->Running());
    QCOMPARE(script.Titles().back(), QString::fromUtf8("Укажите конфигурационный файл"));
    EndConsole(*console);
  }

  void givingUpEndsTheProgramWithNothingWritten() {
    const std::string folder = uitest::TempFolder();
    ModalScript script({ClickButton("No"), CancelDialog()});
    auto console = ConsoleOn(folder + "/missing.Cfg");
    console->Start();
    QVERIFY(WaitEnded(*console));
    QVERIFY(console->Finished());
    QCOMPARE(console->ExitCode(), 1);
    QVERIFY(std::filesystem::is_empty(folder));
  }

  void theLogonDialogLogsOn() {
    uitest::DesktopSetup setup;
    setup.user.reset();
    setup.startNow = false;
    uitest::DesktopHarness harness(setup);
    ModalScript script({FillLogon("ADMIN", "admin", "OK")});
    harness.Console().Start();
    QVERIFY(harness.WaitStarted());
    QCOMPARE(script.Done(), size_t{1});
    QCOMPARE(Count(harness.Requests(), "Logon"), size_t{1});
    harness.WaitIdle();
    const auto& rows = harness.Console().MainFrame()->Tree()->Rows();
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.task == "ROUTER"; }));
  }

  // A wrong password is told and the dialog comes again; after three
  // refusals the start-up goes on without a session for the computer.
  void aRefusedLogonIsToldAndAskedAgain() {
    struct Case {
      const char* what;
      QStringList passwords;
      size_t logons;
      const char* access;
    };
    const Case cases[] = {
        {"second try right", {"wrong", "admin"}, 2, "Администратор"},
        {"three wrong tries", {"wrong", "wrong", "wrong"}, 3, "Нет сеанса"},
    };
    for (const Case& c : cases) {
      uitest::DesktopSetup setup;
      setup.user.reset();
      setup.startNow = false;
      uitest::DesktopHarness harness(setup);
      QStringList refusals;
      std::vector<ModalScript::Step> steps;
      for (const QString& password : c.passwords) {
        steps.push_back(FillLogon("ADMIN", password, "OK"));
        if (password == "wrong")
          steps.push_back([&refusals](QWidget* window) {
            refusals << window->findChild<QLabel*>("qt_msgbox_label")->text();
            ClickButton("OK")(window);
          });
      }
      ModalScript script(steps);
      harness.Console().Start();
      QVERIFY2(harness.WaitStarted(), c.what);
      QCOMPARE(script.Done(), steps.size());
      QCOMPARE(Count(harness.Requests(), "Logon"), c.logons);
      for (const QString& refusal : refusals)
        QVERIFY(refusal.contains(QString::fromUtf8("Проверьте имя пользователя и пароль!")));
      harness.WaitIdle();
      ui::CMainFrame* main = harness.Console().MainFrame();
      QVERIFY(main->Tree()->SelectRow("NODE", "SRV1", ""));
      QCOMPARE(PropertyValue(*main, QString::fromUtf8("Доступ")), QString::fromUtf8(c.access));
    }
  }

  void workingWithoutAConnectionSendsNothing() {
    uitest::DesktopSetup setup;
    setup.user.reset();
    setup.startNow = false;
    uitest::DesktopHarness harness(setup);
    ModalScript script({FillLogon("ADMIN", "", QString::fromUtf8("Работать без соединения"))});
    harness.Console().Start();
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    QCOMPARE(Count(harness.Requests(), "Logon"), size_t{0});
    QCOMPARE(Count(harness.Requests(), "GetStateFlag"), size_t{0});
  }

  void aUserWithoutAdministratorRightsIsRefusedATaskCommand() {
    uitest::DesktopSetup setup;
    setup.user = "OPERATOR";
    setup.password = "operator";
    uitest::DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    services::NavRow router;
    for (const auto& row : harness.Console().MainFrame()->Tree()->Rows())
      if (row.task == "ROUTER") router = row;
    auto answer = testsupport::ModalAnswer::Click("OK");
    harness.Console().RunTreeCommand(router, rpc::taskcmd::kStop);
    harness.WaitIdle();
    QTRY_VERIFY(answer->Answered());
    QCOMPARE(answer->Seen().text, QString::fromUtf8("Для установленного соединения \"SRV1\" нет прав администратора."));
    QCOMPARE(Count(harness.Requests(), "TaskControl"), size_t{0});
  }
};

QTEST_MAIN(StartupDialogsTest)
#include "test_startup_dialogs.moc"
