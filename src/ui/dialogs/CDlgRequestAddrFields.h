#pragma once
// "Send request for address books to another mail server": an O/R address
// edited one level per field (C, ADMD, PRMD, ORG, OU, PN). "Send" accepts,
// "Cancel" rejects, "Verify address" tells whether the address is complete.
// The address is built by model::BuildRequestAddress.

#include <QDialog>

#include <array>
#include <string>

#include "model/item/OrAddress.h"

class QLineEdit;
class QPushButton;

namespace ports {
class DialogPort;
}

namespace ui {

class CDlgRequestAddrFields : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgRequestAddrFields(ports::DialogPort* dialogs, QWidget* parent = nullptr);

  // Fills the fields from an address text (CP1251), read as far as it goes;
  // a text that does not parse leaves every field empty.
  void SetAddress(const std::string& cp1251);
  // The fields, trimmed and upper-cased, as one address (CP1251).
  std::string Address() const;
  model::LevelValues Values() const;
  // Shows whether Address() is complete; true when it is.
  bool VerifyAddress();

  QLineEdit* Field(int level) const { return fields_[static_cast<size_t>(level)]; }
  QPushButton* SendButton() const { return send_; }
  QPushButton* VerifyButton() const { return verify_; }

 private:
  ports::DialogPort* dialogs_;
  std::array<QLineEdit*, model::kLevelCount> fields_{};
  QPushButton* send_;
  QPushButton* verify_;
};

}  // namespace ui
