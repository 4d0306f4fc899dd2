// The logon dialog through the dialogs port: accepted, cancelled, working
// without a connection, and an unattended start that never shows it.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/dialogs/CLogonDlg.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;

namespace {

ports::LogonRequest Request() {
  ports::LogonRequest request;
  request.serverName = text::Cp("Узел Москва");
  request.computerName = text::Cp("СЕРВЕР-1");
  request.userName = text::Cp("Админ");
  return request;
}

// Types into the dialog's fields, then presses the button named.
ModalAnswer Fill(const QString& user, const QString& password, const QString& button, QStringList* shown = nullptr) {
  return ModalAnswer([=](QWidget* window) {
    auto* userEdit = window->findChild<QLineEdit*>("userName");
    auto* passwordEdit = window->findChild<QLineEdit*>("password");
    if (shown) {
      *shown << window->findChild<QLabel*>("server")->text() << window->findChild<QLabel*>("computer")->text()
             << userEdit->text() << QString::number(passwordEdit->echoMode() == QLineEdit::Password);
    }
    userEdit->setText(user);
    passwordEdit->setText(password);
    for (auto* candidate : window->findChildren<QAbstractButton*>())
      if (testsupport::PlainButtonText(candidate->text()) == button) candidate->click();
  });
}

}  // namespace

class LogonDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void answers_data();
  void answers();
  void showsServerComputerAndProposedUser();
  void presetSkipsTheDialog();
  void presetWithoutAnswerFallsBackToTheDialog();
};

void LogonDialogTest::answers_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<bool>("answered");
  QTest::addColumn<bool>("noConnection");
  QTest::addColumn<QString>("password");
  QTest::newRow("OK") << "OK" << true << false << QString::fromUtf8("пароль 1");
  QTest::newRow("cancel") << QString::fromUtf8("Отмена") << false << false << QString();
  QTest::newRow("without a connection") << QString::fromUtf8("Работать без соединения") << true << true << QString();
}

void LogonDialogTest::answers() {
  QFETCH(QString, button);
  QFETCH(bool, answered);
  QFETCH(bool, noConnection);
  QFETCH(QString, password);

  ui::QtDialogPort port;
  auto answerer = Fill(QString::fromUtf8("Оператор"), QString::fromUtf8("пароль 1"), button);
  const auto answer = port.Logon(Request());
  QVERIFY(answerer.Answered());
  QCOMPARE(answer.has_value(), answered);
  if (!answer) return;
  QCOMPARE(answer->userName, text::Cp("Оператор"));
  QCOMPARE(answer->password, ui::ToCp(password));
  QCOMPARE(answer->noConnection, noConnection);
  QVERIFY(!answer->quit);
}

void LogonDialogTest::showsServerComputerAndProposedUser() {
  QStringList shown;
  ui::QtDialogPort port;
  auto answerer = Fill("u", "p", "OK", &shown);
  QVERIFY(port.Logon(Request()).has_value());
  QCOMPARE(shown, (QStringList{QString::fromUtf8("Узел Москва"), QString::fromUtf8("СЕРВЕР-1"),
                               QString::fromUtf8("Админ"), "1"}));
  QCOMPARE(answerer.Seen().title, QString::fromUtf8("Вход в систему"));
  QCOMPARE(answerer.Seen().modality, Qt::ApplicationModal);
}

void LogonDialogTest::presetSkipsTheDialog() {
  ui::QtDialogPort port;
  std::string askedFor;
  port.SetLogonPreset([&](const ports::LogonRequest& request) -> std::optional<ports::LogonAnswer> {
    askedFor = request.computerName;
    return ports::LogonAnswer{"robot", "secret", false, false};
  });
  bool dialogShown = false;
  ModalAnswer watcher([&](QWidget* window) {
    dialogShown = true;
    window->close();
  });
  const auto answer = port.Logon(Request());
  QVERIFY(answer.has_value());
  QCOMPARE(answer->userName, std::string("robot"));
  QCOMPARE(answer->password, std::string("secret"));
  QCOMPARE(askedFor, text::Cp("СЕРВЕР-1"));
  // Logon runs on this thread: a dialog would have been open, and closed by
  // the watcher, before it returned.
  QVERIFY(!dialogShown);
}

void LogonDialogTest::presetWithoutAnswerFallsBackToTheDialog() {
  ui::QtDialogPort port;
  port.SetLogonPreset([](const ports::LogonRequest&) { return std::optional<ports::LogonAnswer>(); });
  auto answerer = Fill("typed", "pw", "OK");
  const auto answer = port.Logon(Request());
  QVERIFY(answerer.Answered());
  QVERIFY(answer.has_value());
  QCOMPARE(answer->userName, std::string("typed"));
  QCOMPARE(answer->password, std::string("pw"));
}

QTEST_MAIN(LogonDialogTest)
#include "test_logon_dialog.moc"
