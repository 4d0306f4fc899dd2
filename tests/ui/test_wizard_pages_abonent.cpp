// The abonent pages of the entry view: the abonent parameters (page 6) with
// its two parameter grids, and the installation diskettes (page 7) on a
// node simulator.

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/FakePorts.h"
#include "model/item/VxItemBase.h"
#include "sim/lib/SimNode.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "support/WizardContext.h"
#include "text/Cp1251.h"
#include "ui/abonent/CGridAbonentParms.h"
#include "ui/abonent/CGridInst.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/text/QtText.h"
#include "ui/wizard/CWizAbonent.h"
#include "ui/wizard/CWizInstall.h"

using testsupport::ModalAnswer;
using ui::AbonentParmRow;
using ui::CGridAbonentParms;
using ui::CWizAbonent;
using ui::CWizInstall;
using Parameter = model::_VxItemBase::CAbonentParameter;

using uitest::Offline;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
std::string Cp(const char* utf8) { return text::Cp(utf8); }


model::_VxItemBase Abonent(std::vector<Parameter> parameters, bool isNew = false) {
  model::_VxItemBase entry;
  entry.mailServerName = "NODE";
  entry.mailboxName = "IVANOV";
  entry.kind = 1;
  entry.kindOnServer = isNew ? 0 : 1;
  entry.isNew = isNew ? 1 : 0;
  entry.queueTaskName = "SRV1";
  entry.mailboxAddress = "C:RU/ADMD:VELTRANE/PN:IVANOV";
  entry.parameters = std::move(parameters);
  return entry;
}

const char* const kStandardKeys[] = {"#FULLNAME", "#COMMENT",      "#PHONE",       "#FirstName", "#SurName",
                                     "#Country",  "#Region",       "#City",        "#Job",       "#Organization",
                                     "#Departament", "#Room",      "#PostIndex",   "#PostAddress", "#Helper",
                                     "#USERID"};
const char* const kStandardLabels[] = {"Полное имя", "Комментарий", "Телефон",   "Фамилия",         "Имя",
                                       "Страна",     "Регион",      "Город",     "Должность",       "Организация",
                                       "Отдел",      "Комната",     "Почтовый индекс", "Почтовый адрес", "Помощник",
                                       "Идентификатор"};

bool IsUserId(const std::string& id) {
  if (id.size() != 32) return false;
  for (size_t i = 0; i < id.size(); ++i) {
    const std::string digits = i >= 12 && i < 16 ? "0123456789abcdef" : "0123456789ABCDEF";
    if (digits.find(id[i]) == std::string::npos) return false;
  }
  return true;
}

}  // namespace

class WizardPagesAbonentTest : public QObject {
  Q_OBJECT

 private slots:
  void standardRowsInTheirOrder();
  void userIdOfNewAndStoredAbonents();
  void parametersRoundTrip();
  void parameterEditsRefused_data();
  void parameterEditsRefused();
  void deleteAsksAndOnlyInTheAdditionalGrid();
  void fieldsChooserHidesAColumn();
  void passwordFieldsFollowTheBox();
  void installPageOffersTheListOnlyForAStoredAbonent_data();
  void installPageOffersTheListOnlyForAStoredAbonent();
  void installSetsFromTheNodeAndACopy();
  void installCopyWhileAnotherActionRunsSaysWhy();
};

void WizardPagesAbonentTest::standardRowsInTheirOrder() {
  Offline<CWizAbonent> f;
  f.page.ShowEntry(Abonent({{"#fullname", Cp("Иванов Иван")},
                            {"#X-EXTRA", "1"},
                            {"#City", Cp("Москва")},
                            {"#UserId", "ABC"},
                            {"#FULLNAME", "SECOND"}}));
  CGridAbonentParms* grid = f.page.StandardGrid();
  QCOMPARE(grid->rowCount(), 16);
  for (int row = 0; row < 16; ++row) {
    QCOMPARE(grid->CellText(row, CGridAbonentParms::kName), U(kStandardKeys[row]));
    QCOMPARE(grid->CellText(row, CGridAbonentParms::kComment), U(kStandardLabels[row]));
    QVERIFY(!grid->CanEdit(row, CGridAbonentParms::kName));
    QCOMPARE(grid->CanEdit(row, CGridAbonentParms::kValue), row != 15);
  }
  QCOMPARE(grid->CellText(0, CGridAbonentParms::kValue), U("Иванов Иван"));
  QCOMPARE(grid->CellText(7, CGridAbonentParms::kValue), U("Москва"));
  QCOMPARE(grid->CellText(15, CGridAbonentParms::kValue), U("ABC"));
  QCOMPARE(grid->CellText(0, CGridAbonentParms::kRequired), U("Да"));
  QCOMPARE(grid->CellText(1, CGridAbonentParms::kRequired), U("Нет"));
  QVERIFY(!grid->CommitEdit(15, CGridAbonentParms::kValue, "OTHER"));
  // Everything else, a second full name too, is an additional parameter.
  const std::vector<AbonentParmRow> additional = f.page.AdditionalGrid()->Rows();
  QCOMPARE(additional.size(), size_t{2});
  QCOMPARE(additional[0].name, std::string("#X-EXTRA"));
  QCOMPARE(additional[1].value, std::string("SECOND"));
  QVERIFY(f.page.AdditionalGrid()->CanEdit(0, CGridAbonentParms::kName));
  const QStringList headings{U("Изображение"), U("Параметр"), U("Значение"), U("Обязательный параметр"),
                             U("Комментарий")};
  for (int c = 0; c < CGridAbonentParms::kColumnCount; ++c)
    QCOMPARE(grid->horizontalHeaderItem(c)->text(), headings[c]);
}

void WizardPagesAbonentTest::userIdOfNewAndStoredAbonents() {
  const struct {
    const char* name;
    bool isNew;
    const char* userId;  // nullptr: no such parameter
    const char* shown;   // nullptr: a fresh GUID
  } cases[] = {
      {"new without an id", true, nullptr, nullptr},
      {"new with an empty id", true, "", nullptr},
      {"new with an id", true, "KEEP", "KEEP"},
      {"stored without an id", false, nullptr, ""},
      {"stored with an id", false, "0123", "0123"},
  };
  for (const auto& c : cases) {
    Offline<CWizAbonent> f;
    std::vector<Parameter> parameters;
    if (c.userId) parameters.push_back({"#USERID", c.userId});
    const model::_VxItemBase entry = Abonent(parameters, c.isNew);
    f.page.ShowEntry(entry);
    const std::string shown = ui::ToCp(f.page.StandardGrid()->CellText(15, CGridAbonentParms::kValue));
    if (c.shown) {
      QVERIFY2(shown == c.shown, c.name);
    } else {
      QVERIFY2(IsUserId(shown), (std::string(c.name) + ": " + shown).c_str());
      // Shown again (a refresh), the page keeps the id it made.
      f.page.ShowEntry(entry);
      QVERIFY2(ui::ToCp(f.page.StandardGrid()->CellText(15, CGridAbonentParms::kValue)) == shown, c.name);
    }
    model::_VxItemBase work = entry;
    f.page.GatherInto(work);
    QVERIFY2(work.parameters[15].name == "#USERID" && work.parameters[15].value == shown, c.name);
  }
}

void WizardPagesAbonentTest::parametersRoundTrip() {
  Offline<CWizAbonent> f;
  f.page.resize(800, 700);
  f.page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.page));
  f.page.ShowEntry(Abonent({{"#phone", "123"}, {"#A", "1"}, {"#USERID", "ID1"}, {"#B", "2"}}));
  QSignalSpy changed(&f.page, &CWizAbonent::changed);
  CGridAbonentParms* additional = f.page.AdditionalGrid();
  QVERIFY(f.page.StandardGrid()->CommitEdit(0, CGridAbonentParms::kValue, U("Петров П.")));
  QVERIFY(additional->CommitEdit(1, CGridAbonentParms::kValue, "22"));
  // Insert appends a row and edits its name; the typed name is trimmed.
  additional->setFocus();
  QTest::keyClick(additional, Qt::Key_Insert);
  QCOMPARE(additional->rowCount(), 3);
  QWidget* editor = additional->indexWidget(additional->currentIndex());
  QVERIFY(editor != nullptr);
  qobject_cast<QLineEdit*>(editor)->setText("  #NEW ");
  f.page.TakePendingInput();
  QVERIFY(additional->CommitEdit(2, CGridAbonentParms::kValue, "v"));
  // A row left without a name is not written.
  QVERIFY(additional->InsertRowAndEdit());
  f.page.TakePendingInput();
  QVERIFY(changed.count() >= 4);

  model::_VxItemBase work = Abonent({});
  f.page.GatherInto(work);
  std::vector<Parameter> expected;
  for (const char* key : kStandardKeys) expected.push_back({key, ""});
  expected[0].value = Cp("Петров П.");
  expected[2].value = "123";
  expected[15].value = "ID1";
  expected.push_back({"#A", "1"});
  expected.push_back({"#B", "22"});
  expected.push_back({"#NEW", "v"});
  QVERIFY(work.parameters == expected);
}

void WizardPagesAbonentTest::parameterEditsRefused_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::newRow("line feed in a value") << int(CGridAbonentParms::kValue) << "a\nb";
  QTest::newRow("carriage return in a name") << int(CGridAbonentParms::kName) << "#A\r";
  QTest::newRow("equals sign in a name") << int(CGridAbonentParms::kName) << "#A=B";
  QTest::newRow("required column") << int(CGridAbonentParms::kRequired) << "x";
  QTest::newRow("comment column") << int(CGridAbonentParms::kComment) << "x";
}

void WizardPagesAbonentTest::parameterEditsRefused() {
  QFETCH(int, column);
  QFETCH(QString, text);
  testing_fakes::FakeDialogPort dialogs;
  CGridAbonentParms grid(CGridAbonentParms::Kind::Additional, &dialogs);
  grid.SetRows({{"#A", "1", false, "", false}});
  QSignalSpy changed(&grid, &CGridAbonentParms::changed);
  QVERIFY(!grid.CommitEdit(0, column, text));
  QCOMPARE(grid.Rows(), (std::vector<AbonentParmRow>{{"#A", "1", false, "", false}}));
  QCOMPARE(changed.count(), 0);
}

void WizardPagesAbonentTest::deleteAsksAndOnlyInTheAdditionalGrid() {
  const struct {
    const char* name;
    ports::MsgAnswer answer;
    int rowsLeft;
  } cases[] = {{"No keeps the rows", ports::MsgAnswer::No, 3}, {"Yes removes them", ports::MsgAnswer::Yes, 1}};
  for (const auto& c : cases) {
    Offline<CWizAbonent> f;
    f.page.resize(800, 700);
    f.page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    f.page.ShowEntry(Abonent({{"#A", "1"}, {"#B", "2"}, {"#C", "3"}}));
    CGridAbonentParms* additional = f.page.AdditionalGrid();
    additional->selectRow(0);
    additional->selectionModel()->select(additional->model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.dialogs.answers.push_back(c.answer);
    additional->setFocus();
    QTest::keyClick(additional, Qt::Key_Delete);
    QCOMPARE(f.dialogs.boxes.size(), size_t{1});
    QCOMPARE(f.dialogs.boxes[0].text, Cp("Удалить выделенные параметры абонента?"));
    QCOMPARE(f.dialogs.boxes[0].caption, Cp("Вопрос"));
    QVERIFY(f.dialogs.boxes[0].buttons == ports::MsgButtons::YesNo);
    QVERIFY2(additional->rowCount() == c.rowsLeft, c.name);
    if (c.rowsLeft == 1) QCOMPARE(additional->CellText(0, CGridAbonentParms::kName), QString("#B"));

    // The standard rows are never deleted, nor asked about; Insert adds none.
    CGridAbonentParms* standard = f.page.StandardGrid();
    standard->selectRow(3);
    standard->setFocus();
    QTest::keyClick(standard, Qt::Key_Delete);
    QTest::keyClick(standard, Qt::Key_Insert);
    QCOMPARE(standard->rowCount(), 16);
    QCOMPARE(f.dialogs.boxes.size(), size_t{1});
  }
}

void WizardPagesAbonentTest::fieldsChooserHidesAColumn() {
  testing_fakes::FakeDialogPort dialogs;
  CGridAbonentParms grid(CGridAbonentParms::Kind::Standard, &dialogs);
  grid.show();
  QVERIFY(QTest::qWaitForWindowExposed(&grid));
  QStringList offered;
  ModalAnswer answer([&offered](QWidget* window) {
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
      offered << box->text();
      if (box->text() == U("Обязательный параметр")) box->setChecked(false);
    }
    for (QPushButton* button : window->findChildren<QPushButton*>())
      if (button->text().remove('&') == "OK") button->click();
  });
  QTest::keyClick(&grid, Qt::Key_F, Qt::ControlModifier);
  QVERIFY(answer.Answered());
  QCOMPARE(offered.size(), int(CGridAbonentParms::kColumnCount));
  QVERIFY(grid.isColumnHidden(CGridAbonentParms::kRequired));
  QVERIFY(!grid.isColumnHidden(CGridAbonentParms::kValue));
}

void WizardPagesAbonentTest::passwordFieldsFollowTheBox() {
  Offline<CWizAbonent> f;
  model::_VxItemBase entry = Abonent({});
  entry.password = "old";
  entry.passwordConfirm = "old";
  entry.hideFromAddressBook = 1;
  f.page.ShowEntry(entry);
  QVERIFY(!f.page.PasswordBox()->isChecked());
  QVERIFY(!f.page.PasswordEdit()->isEnabled());
  QVERIFY(!f.page.RetypeEdit()->isEnabled());
  QCOMPARE(f.page.PasswordEdit()->echoMode(), QLineEdit::Password);
  QCOMPARE(f.page.RetypeEdit()->echoMode(), QLineEdit::Password);
  QVERIFY(f.page.HiddenBox()->isChecked());

  QSignalSpy changed(&f.page, &CWizAbonent::changed);
  f.page.PasswordBox()->setChecked(true);
  QVERIFY(f.page.PasswordEdit()->isEnabled());
  QVERIFY(f.page.RetypeEdit()->isEnabled());
  QCOMPARE(changed.count(), 1);
  f.page.PasswordEdit()->setText("secret");
  f.page.RetypeEdit()->setText("secreT");
  f.page.HiddenBox()->setChecked(false);
  model::_VxItemBase work = Abonent({});
  f.page.GatherInto(work);
  QCOMPARE(work.passwordSet, 1);
  QCOMPARE(work.password, std::string("secret"));
  QCOMPARE(work.passwordConfirm, std::string("secreT"));
  QCOMPARE(work.hideFromAddressBook, 0);

  // Shown again with the box set: enabled from the start, and no change reported.
  entry.passwordSet = 1;
  changed.clear();
  f.page.ShowEntry(entry);
  QVERIFY(f.page.PasswordEdit()->isEnabled());
  QCOMPARE(changed.count(), 0);
}

void WizardPagesAbonentTest::installPageOffersTheListOnlyForAStoredAbonent_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<bool>("isNew");
  QTest::addColumn<bool>("pending");
  QTest::addColumn<QString>("note");  // empty: the list is offered
  const QString apply = U("Для создания инсталляции необходимо применить настройки.");
  QTest::newRow("stored abonent") << 1 << false << false << QString();
  QTest::newRow("new abonent") << 1 << true << false << apply;
  QTest::newRow("changed abonent") << 1 << false << true << apply;
  QTest::newRow("direction") << 0 << false << false << U("Параметры не доступны.");
}

void WizardPagesAbonentTest::installPageOffersTheListOnlyForAStoredAbonent() {
  QFETCH(int, kind);
  QFETCH(bool, isNew);
  QFETCH(bool, pending);
  QFETCH(QString, note);
  Offline<CWizInstall> f;
  f.page.show();
  model::_VxItemBase entry = Abonent({}, isNew);
  entry.kind = kind;
  f.page.SetPending(pending);
  f.page.ShowEntry(entry);
  QCOMPARE(f.page.ListOffered(), note.isEmpty());
  QCOMPARE(f.page.Grid()->isVisible(), note.isEmpty());
  QCOMPARE(f.page.DownloadButton()->isVisible(), note.isEmpty());
  QCOMPARE(f.page.Note()->isVisible(), !note.isEmpty());
  if (!note.isEmpty()) QCOMPARE(f.page.Note()->text(), note);
  QCOMPARE(f.page.DownloadButton()->text(), U("Download installation diskettes"));
  // Nothing to call the node with: no job is tried.
  QVERIFY(!f.page.Rebuild());
  model::_VxItemBase work = entry;
  f.page.GatherInto(work);
  QVERIFY(work.ToArchive() == entry.ToArchive());
}

void WizardPagesAbonentTest::installSetsFromTheNodeAndACopy() {
  namespace fs = std::filesystem;
  uitest::DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  harness.WaitIdle();
  const fs::path root = uitest::TempFolder();
  fs::create_directories(root / "work");
  fs::create_directories(root / "disk1");
  fs::create_directories(root / "disk2");
  ui::WizContext context = uitest::ConsoleWizContext(harness);
  context.workFolder = (root / "work").string();
  CWizInstall page(context);
  page.resize(700, 400);
  page.ShowEntry(Abonent({{"#FULLNAME", "IVANOV I."}, {"#USERID", "IVANOV"}}));

  // Shown: the list is read from the node.
  page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&page));
  harness.WaitIdle();
  const std::vector<model::InstallationRow>& rows = page.Grid()->Rows();
  QCOMPARE(rows.size(), size_t{2});
  QCOMPARE(rows[0].name, std::string("VTCLIENT"));
  QCOMPARE(rows[0].diskettes, 2u);
  QCOMPARE(rows[1].name, std::string("NEWCLIENT"));
  QCOMPARE(rows[1].diskettes, 0u);

  // Every window the copy opens is answered: a folder per diskette, then the report.
  std::vector<fs::path> folders{root / "disk1", root / "disk2"};
  QStringList browsers, boxes;
  QTimer answerer;
  QPointer<QWidget> last;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible() || window == last) return;
    last = window;
    if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
      browsers << dialog->windowTitle();
      if (browsers.size() > 2) return static_cast<void>(dialog->reject());
      dialog->setDirectory(QString::fromStdString(folders[static_cast<size_t>(browsers.size() - 1)].string()));
      dialog->selectFile(QString());
      static_cast<QDialog*>(dialog)->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
      boxes << box->text();
      if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->click();
      else
        box->close();
    }
  });
  answerer.start(10);
  page.Grid()->SelectRow(0);
  page.DownloadButton()->click();
  harness.WaitIdle();
  answerer.stop();
  QCOMPARE(browsers, (QStringList{U("Инсталляция \"VTCLIENT\""), U("Инсталляция \"VTCLIENT\"")}));
  QCOMPARE(boxes, QStringList{U("Инсталляция скопирована успешно.")});
  QCOMPARE(page.LastFolder(), (root / "disk2").string());

  const auto served = [&harness](const std::string& path) {
    std::string data;
    harness.Simulator().WithNode([&](sim::SimNode& node) {
      for (const auto& file : node.Data().files)
        if (file.path == path) data = file.data;
    });
    return data;
  };
  const struct {
    const char* local;
    const char* server;
  } files[] = {
      {"disk1/SETUP.EXE", "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK1\\SETUP.EXE"},
      {"disk1/VTCLIENT.CAB", "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK1\\VTCLIENT.CAB"},
      {"disk2/VTHELP.CAB", "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK2\\VTHELP.CAB"},
      {"disk2/README.TXT", "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK2\\README.TXT"},
  };
  for (const auto& file : files) {
    const std::string expected = served(file.server);
    QVERIFY2(!expected.empty(), file.server);
    QVERIFY2(uitest::ReadFile((root / file.local).string()) == expected, file.local);
  }
  QVERIFY(fs::exists(root / "disk2" / "vt$IVANOV$.inf"));
  // The temporary folders are gone again.
  QVERIFY(fs::is_empty(root / "work"));
  fs::remove_all(root);
}

void WizardPagesAbonentTest::installCopyWhileAnotherActionRunsSaysWhy() {
  uitest::DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  harness.WaitIdle();
  ui::WizContext context = uitest::ConsoleWizContext(harness);
  CWizInstall page(context);
  page.ShowEntry(Abonent({{"#USERID", "IVANOV"}}));
  page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&page));
  harness.WaitIdle();
  QVERIFY(!page.Grid()->Rows().empty());
  page.Grid()->SelectRow(0);

  // Another action holds the worker until the box has been answered.
  std::atomic<bool> release{false};
  harness.Console().Runner().Post(ui::ServiceRunner::Kind::User, [&release] {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  const size_t mark = harness.Requests().size();
  auto answer = ModalAnswer::Click(QStringLiteral("OK"));
  page.DownloadButton()->click();
  QTRY_VERIFY(answer->Answered());
  release = true;
  harness.WaitIdle();
  QCOMPARE(answer->Seen().text, U("Не возможно выполнить команду во время сканирования данных с почтового сервера."));
  QCOMPARE(answer->Seen().title, U("Сообщение"));
  QCOMPARE(harness.Requests().size(), mark);
}

QTEST_MAIN(WizardPagesAbonentTest)
#include "test_wizard_pages_abonent.moc"
