// The dialogs port as Qt windows: message boxes, questions with buttons of
// their own, rich text, file dialogs, and calls from the worker thread.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <atomic>
#include <thread>

#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/ports/FileFilter.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/text/QtText.h"
#include "ui/text/RichHtml.h"

using ports::MsgAnswer;
using ports::MsgButtons;
using ports::MsgIcon;
using testsupport::ModalAnswer;

namespace {

const char kConfigFilter[] = "Конфигурационные файлы (*.Cfg)|*.Cfg|Все файлы (*.*)|*.*||";

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

ports::RichText ConflictQuestion() {
  ports::RichText body;
  body.paragraphs = {{{text::Cp("Породолжить инициализацию программы?"), 0x000080, true}}};
  return body;
}

}  // namespace

class DialogPortTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBox_data();
  void messageBox();
  void messageBoxClosed_data();
  void messageBoxClosed();
  void boxWithoutEscapeCannotBeClosed();
  void ask_data();
  void ask();
  void callsFromWorkerAreAnsweredOnWindowThread();
  void richTextKeepsColoursWeightsAndBlankParagraphs();
  void fileFilters_data();
  void fileFilters();
  void saveDialog();
  void openDialog();
  void browseFolder();
};

void DialogPortTest::messageBox_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("icon");
  QTest::addColumn<bool>("systemModal");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("click");
  QTest::addColumn<int>("answer");
  QTest::addColumn<QStringList>("shown");
  QTest::addColumn<int>("boxIcon");
  QTest::addColumn<QString>("title");

  const QString question = QString::fromUtf8("Вопрос");
  QTest::newRow("ok, error") << int(MsgButtons::Ok) << int(MsgIcon::Error) << false << QString::fromUtf8("Ошибка")
                             << "OK" << int(MsgAnswer::Ok) << QStringList{"OK"} << int(QMessageBox::Critical)
                             << QString::fromUtf8("Ошибка");
  QTest::newRow("ok-cancel, exclamation, cancel")
      << int(MsgButtons::OkCancel) << int(MsgIcon::Exclamation) << false << question << "Cancel"
      << int(MsgAnswer::Cancel) << QStringList{"OK", "Cancel"} << int(QMessageBox::Warning) << question;
  QTest::newRow("yes-no, system-modal, yes")
      << int(MsgButtons::YesNo) << int(MsgIcon::Question) << true << question << "Yes" << int(MsgAnswer::Yes)
      << QStringList{"Yes", "No"} << int(QMessageBox::Question) << question;
  QTest::newRow("yes-no-cancel, no") << int(MsgButtons::YesNoCancel) << int(MsgIcon::Question) << true << question
                                     << "No" << int(MsgAnswer::No) << QStringList{"Yes", "No", "Cancel"}
                                     << int(QMessageBox::Question) << question;
  QTest::newRow("retry-cancel, information, retry")
      << int(MsgButtons::RetryCancel) << int(MsgIcon::Information) << false << question << "Retry"
      << int(MsgAnswer::Retry) << QStringList{"Retry", "Cancel"} << int(QMessageBox::Information) << question;
  QTest::newRow("abort-retry-ignore, no icon, no caption")
      << int(MsgButtons::AbortRetryIgnore) << int(MsgIcon::None) << false << QString() << "Ignore"
      << int(MsgAnswer::Ignore) << QStringList{"Abort", "Retry", "Ignore"} << int(QMessageBox::NoIcon)
      << "Veltrane32 REMOTE CONSOLE";
}

void DialogPortTest::messageBox() {
  QFETCH(int, buttons);
  QFETCH(int, icon);
  QFETCH(bool, systemModal);
  QFETCH(QString, caption);
  QFETCH(QString, click);
  QFETCH(int, answer);
  QFETCH(QStringList, shown);
  QFETCH(int, boxIcon);
  QFETCH(QString, title);

  ui::QtDialogPort port;
  const auto answerer = ModalAnswer::Click(click);
  const std::string text = text::Cp("\nНе найден конфигурационный файл \"__RemoteHost.Cfg\"!\n");
  const MsgAnswer got =
      port.Message(text, ui::ToCp(caption), static_cast<MsgIcon>(icon), static_cast<MsgButtons>(buttons), systemModal);

  QVERIFY(answerer->Answered());
  QCOMPARE(int(got), answer);
  const auto& seen = answerer->Seen();
  QCOMPARE(seen.title, title);
  QCOMPARE(seen.text, ui::FromCp(text));
  QCOMPARE(seen.icon, boxIcon);
  QCOMPARE(Sorted(seen.buttons), Sorted(shown));
  // The first button is the default, as on the system the texts come from.
  QCOMPARE(seen.defaultButton, shown.front());
  QCOMPARE(seen.staysOnTop, systemModal);
  QCOMPARE(seen.modality, Qt::ApplicationModal);
}

void DialogPortTest::messageBoxClosed_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<bool>("escape");
  QTest::addColumn<int>("answer");
  QTest::newRow("ok closed") << int(MsgButtons::Ok) << false << int(MsgAnswer::Ok);
  QTest::newRow("ok-cancel escaped") << int(MsgButtons::OkCancel) << true << int(MsgAnswer::Cancel);
  QTest::newRow("yes-no closed") << int(MsgButtons::YesNo) << false << int(MsgAnswer::No);
  QTest::newRow("yes-no-cancel escaped") << int(MsgButtons::YesNoCancel) << true << int(MsgAnswer::Cancel);
  QTest::newRow("retry-cancel closed") << int(MsgButtons::RetryCancel) << false << int(MsgAnswer::Cancel);
}

void DialogPortTest::messageBoxClosed() {
  QFETCH(int, buttons);
  QFETCH(bool, escape);
  QFETCH(int, answer);
  ui::QtDialogPort port;
  const auto answerer = escape ? ModalAnswer::Escape() : ModalAnswer::Close();
  QCOMPARE(int(port.Message("text", "caption", MsgIcon::None, static_cast<MsgButtons>(buttons))), answer);
  QVERIFY(answerer->Answered());
}

void DialogPortTest::boxWithoutEscapeCannotBeClosed() {
  ui::QtDialogPort port;
  bool stayedOpen = false;
  ModalAnswer answerer([&](QWidget* window) {
    window->close();
    QTest::keyClick(window, Qt::Key_Escape);
    stayedOpen = window->isVisible();
    for (auto* button : window->findChildren<QAbstractButton*>())
      if (testsupport::PlainButtonText(button->text()) == "Retry") button->click();
  });
  QCOMPARE(port.Message("text", "caption", MsgIcon::Error, MsgButtons::AbortRetryIgnore), MsgAnswer::Retry);
  QVERIFY(stayedOpen);
}

void DialogPortTest::ask_data() {
  QTest::addColumn<int>("cancelButton");
  QTest::addColumn<QString>("how");  // a button text, "close" or "escape"
  QTest::addColumn<int>("answer");
  const QString quit = QString::fromUtf8("Завершить работу");
  QTest::newRow("second button") << -1 << quit << 1;
  QTest::newRow("first button") << -1 << QString::fromUtf8("Продолжить") << 0;
  QTest::newRow("closed without cancel button") << -1 << "close" << -1;
  QTest::newRow("closed with cancel button") << 1 << "close" << 1;
  QTest::newRow("escape chooses the cancel button") << 1 << "escape" << 1;
}

void DialogPortTest::ask() {
  QFETCH(int, cancelButton);
  QFETCH(QString, how);
  QFETCH(int, answer);

  ports::QuestionRequest request;
  request.caption = text::Cp("Вопрос");
  request.body = ConflictQuestion();
  request.buttons = {text::Cp("Продолжить"), text::Cp("Завершить работу")};
  request.defaultButton = 1;
  request.cancelButton = cancelButton;

  ui::QtDialogPort port;
  const auto answerer = how == "close"    ? ModalAnswer::Close()
                        : how == "escape" ? ModalAnswer::Escape()
                                          : ModalAnswer::Click(how);
  QCOMPARE(port.Ask(request), answer);
  const auto& seen = answerer->Seen();
  QCOMPARE(seen.title, QString::fromUtf8("Вопрос"));
  QCOMPARE(seen.defaultButton, QString::fromUtf8("Завершить работу"));
  QCOMPARE(Sorted(seen.buttons), Sorted({QString::fromUtf8("Продолжить"), QString::fromUtf8("Завершить работу")}));
  QVERIFY(seen.text.contains(QString::fromUtf8("Породолжить инициализацию программы?")));
  QCOMPARE(seen.icon, int(QMessageBox::Question));
}

void DialogPortTest::callsFromWorkerAreAnsweredOnWindowThread() {
  ui::QtDialogPort port;
  std::atomic<bool> done{false};
  int asked = -2;
  MsgAnswer told = MsgAnswer::None;
  bool windowsOnWindowThread = true;
  QThread* const windowThread = QCoreApplication::instance()->thread();

  auto answerer = std::make_unique<ModalAnswer>([&](QWidget* window) {
    windowsOnWindowThread = windowsOnWindowThread && window->thread() == windowThread;
    window->findChildren<QAbstractButton*>().front()->click();
  });
  std::thread worker([&] {
    ports::QuestionRequest request;
    request.body = ConflictQuestion();
    request.buttons = {"one"};
    asked = port.Ask(request);
    done = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
  worker.join();
  QCOMPARE(asked, 0);

  done = false;
  answerer = ModalAnswer::Click("Yes");
  std::thread second([&] {
    told = port.Message("text", "caption", MsgIcon::Question, MsgButtons::YesNo, true);
    done = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
  second.join();
  QCOMPARE(told, MsgAnswer::Yes);
  QVERIFY(windowsOnWindowThread);
}

void DialogPortTest::richTextKeepsColoursWeightsAndBlankParagraphs() {
  ports::RichText body;
  body.font = "Arial";
  body.points = 10;
  body.paragraphs = {
      {},
      {{text::Cp("Ошибка открытия конфигурационного файла"), 0x800000, false}},
      {},
      {{"\t\"a<b>&c.Cfg\"", 0x000000, false}},
      {{"plain ", 0x000000, false}, {"bold", 0x0000FF, true}},
  };
  QTextDocument document;
  document.setHtml(ui::RichTextToHtml(body));

  QStringList blocks;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) blocks << block.text();
  QCOMPARE(blocks.size(), 5);
  QVERIFY(blocks[0].trimmed().isEmpty());
  QCOMPARE(blocks[1], QString::fromUtf8("Ошибка открытия конфигурационного файла"));
  // The tab keeps the path indented; markup in a text stays text.
  QCOMPARE(blocks[3], QStringLiteral("    \"a<b>&c.Cfg\""));
  QCOMPARE(blocks[4], QStringLiteral("plain bold"));

  const auto formatAt = [&](int blockIndex, int position) {
    QTextCursor cursor(document.findBlockByNumber(blockIndex));
    cursor.setPosition(cursor.block().position() + position + 1);
    return cursor.charFormat();
  };
  QCOMPARE(formatAt(1, 0).foreground().color(), QColor(0x80, 0, 0));
  QVERIFY(formatAt(1, 0).fontWeight() < QFont::Bold);
  QCOMPARE(formatAt(1, 0).fontPointSize(), 10.0);
  QCOMPARE(formatAt(1, 0).font().family(), QStringLiteral("Arial"));
  QCOMPARE(formatAt(4, 7).foreground().color(), QColor(0, 0, 0xFF));
  QCOMPARE(formatAt(4, 7).fontWeight(), int(QFont::Bold));
  QVERIFY(formatAt(4, 1).fontWeight() < QFont::Bold);
}

void DialogPortTest::fileFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("qt");
  QTest::newRow("configuration files")
      << QString::fromUtf8(kConfigFilter)
      << QStringList{QString::fromUtf8("Конфигурационные файлы (*.Cfg)"), QString::fromUtf8("Все файлы (*)")};
  QTest::newRow("several patterns") << "Archives (*.zip;*.arj)|*.zip;*.arj||" << QStringList{"Archives (*.zip *.arj)"};
  QTest::newRow("description without patterns in it") << "Text|*.txt||" << QStringList{"Text (*.txt)"};
  QTest::newRow("no closing bars") << "Log (*.log)|*.log" << QStringList{"Log (*.log)"};
  QTest::newRow("description only") << "Anything|" << QStringList{"Anything (*)"};
  QTest::newRow("empty") << "" << QStringList{};
}

void DialogPortTest::fileFilters() {
  QFETCH(QString, filter);
  QFETCH(QStringList, qt);
  QCOMPARE(ui::FileNameFilters(ui::ToCp(filter)), qt);
}

void DialogPortTest::saveDialog() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  ports::FileDialogRequest request;
  request.title = text::Cp("Новый конфигурационный файл");
  request.filter = text::Cp(kConfigFilter);
  request.defaultExtension = "Cfg";
  request.initialPath = ui::ToCp(dir.filePath("__RemoteHost.Cfg"));

  QString title, suffix, directory, proposed;
  QStringList filters;
  bool saves = false;
  ModalAnswer answerer([&](QWidget* window) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    QVERIFY(dialog);
    title = dialog->windowTitle();
    suffix = dialog->defaultSuffix();
    filters = dialog->nameFilters();
    directory = dialog->directory().absolutePath();
    saves = dialog->acceptMode() == QFileDialog::AcceptSave;
    // The name is typed over the proposed one. selectFile() would not do: on
    // a shown dialog it leaves a focused name field as it is.
    if (auto* name = qobject_cast<QLineEdit*>(dialog->focusWidget())) {
      proposed = name->text();
      name->selectAll();
      name->insert(QString::fromUtf8("новый"));
    }
    static_cast<QDialog*>(dialog)->accept();
  });
  ui::QtDialogPort port;
  const auto chosen = port.SaveFile(request);

  QCOMPARE(title, QString::fromUtf8("Новый конфигурационный файл"));
  QCOMPARE(suffix, QStringLiteral("Cfg"));
  QCOMPARE(filters.size(), 2);
  QCOMPARE(directory, QDir(dir.path()).absolutePath());
  QVERIFY(saves);
  QCOMPARE(proposed, QStringLiteral("__RemoteHost.Cfg"));
  QVERIFY(chosen.has_value());
  // The path comes back in CP1251, with the default extension added.
  QCOMPARE(*chosen, ui::ToCp(dir.filePath(QString::fromUtf8("новый.Cfg"))));
}

void DialogPortTest::openDialog() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString existing = dir.filePath(QString::fromUtf8("узел.Cfg"));
  QFile file(existing);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();

  ports::FileDialogRequest request;
  request.title = text::Cp("Укажите конфигурационный файл");
  request.filter = text::Cp(kConfigFilter);
  request.defaultExtension = "Cfg";
  request.initialPath = ui::ToCp(existing);
  request.mustExist = true;

  ui::QtDialogPort port;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  QStringList proposed;
  {
    ModalAnswer answerer([&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      mode = dialog->fileMode();
      proposed = dialog->selectedFiles();
      static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = port.OpenFile(request);
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(proposed, QStringList{existing});
    QCOMPARE(chosen, std::optional<std::string>(ui::ToCp(existing)));
  }
  {
    request.mustExist = false;
    ModalAnswer answerer([&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      mode = dialog->fileMode();
      dialog->reject();
    });
    QCOMPARE(port.OpenFile(request), std::nullopt);
    QCOMPARE(mode, QFileDialog::AnyFile);
  }
}

void DialogPortTest::browseFolder() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QVERIFY(QDir(dir.path()).mkdir(QString::fromUtf8("архив")));
  const QString folder = dir.filePath(QString::fromUtf8("архив"));
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  ModalAnswer answerer([&](QWidget* window) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    mode = dialog->fileMode();
    // The folder is chosen by going into it, with nothing typed: that does
    // not depend on how far the dialog's file model has got in reading the
    // disk (a name selected before it has would be taken as relative).
    dialog->setDirectory(folder);
    dialog->selectFile(QString());
    static_cast<QDialog*>(dialog)->accept();
  });
  ui::QtDialogPort port;
  const auto chosen = port.BrowseFolder(text::Cp("Папка"), ui::ToCp(dir.path()));
  QCOMPARE(mode, QFileDialog::Directory);
  QCOMPARE(chosen, std::optional<std::string>(ui::ToCp(folder)));
}

QTEST_MAIN(DialogPortTest)
#include "test_dialog_port.moc"
