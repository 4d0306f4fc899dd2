#pragma once
// The logon dialog, once per computer of a mail server at start-up: the mail
// server and computer it is for, the user name (proposed), the password
// (hidden), and three ways out: OK, Cancel and working without a connection.
//
// Texts: title "Вход в систему"; labels "Почтовый узел:", "Компьютер:",
// "Пользователь:", "Пароль:"; buttons "OK", "Отмена",
// "Работать без соединения".

#include <QDialog>

#include <optional>

#include "ports/DialogPort.h"

class QLineEdit;

namespace ui {

class CLogonDlg : public QDialog {
  Q_OBJECT

 public:
  // The result code of "Работать без соединения", next to Accepted and Rejected.
  static constexpr int kNoConnection = 2;

  explicit CLogonDlg(const ports::LogonRequest& request, QWidget* parent = nullptr);

  // After the dialog ended: the user name and password on OK, the user name
  // and noConnection on "Работать без соединения", nothing on Cancel.
  std::optional<ports::LogonAnswer> Answer() const;

  // Shows the dialog modally and returns its answer.
  static std::optional<ports::LogonAnswer> Run(const ports::LogonRequest& request, QWidget* parent);

 private:
  QLineEdit* user_;
  QLineEdit* password_;
};

}  // namespace ui
