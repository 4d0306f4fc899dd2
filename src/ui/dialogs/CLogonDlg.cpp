#include "ui/dialogs/CLogonDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

QLabel* ReadOnlyValue(const std::string& cp1251, const QString& objectName) {
  auto* label = new QLabel(FromCp(cp1251));
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

CLogonDlg::CLogonDlg(const ports::LogonRequest& request, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Вход в систему"));
  setWindowIcon(AppIcon());
  setModal(true);

  user_ = new QLineEdit(FromCp(request.userName));
  user_->setObjectName(QStringLiteral("userName"));
  password_ = new QLineEdit;
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);

  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8("Почтовый узел:"), ReadOnlyValue(request.serverName, QStringLiteral("server")));
  form->addRow(QString::fromUtf8("Компьютер:"), ReadOnlyValue(request.computerName, QStringLiteral("computer")));
  form->addRow(QString::fromUtf8("Пользователь:"), user_);
  form->addRow(QString::fromUtf8("Пароль:"), password_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QString::fromUtf8("Отмена"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  QPushButton* offline = buttons->addButton(QString::fromUtf8("Работать без соединения"), QDialogButtonBox::ActionRole);
  offline->setObjectName(QStringLiteral("noConnection"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(offline, &QPushButton::clicked, this, [this] { done(kNoConnection); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  // The password is what is typed most: a proposed user name is usually right.
  (request.userName.empty() ? user_ : password_)->setFocus();
}

std::optional<ports::LogonAnswer> CLogonDlg::Answer() const {
  if (result() != Accepted && result() != kNoConnection) return std::nullopt;
  ports::LogonAnswer answer;
  answer.userName = ToCp(user_->text());
  answer.noConnection = result() == kNoConnection;
  if (!answer.noConnection) answer.password = ToCp(password_->text());
  return answer;
}

std::optional<ports::LogonAnswer> CLogonDlg::Run(const ports::LogonRequest& request, QWidget* parent) {
  CLogonDlg dialog(request, parent);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace ui
