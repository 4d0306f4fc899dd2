#pragma once
// Page 6, "Параметры абонента" (abonents): the first-connection password, the
// address book box, and two parameter grids. "Основные параметры абонента"
// holds the sixteen standard parameters in their fixed order with their
// labels ("#USERID" locked); "Дополнительные параметры абонента" holds every
// other parameter of the entry as name and value.
//
// A new abonent without an identity gets a fresh one in "#USERID" (the same
// one for as long as the page lives, so a refresh does not change it).

#include <array>
#include <string>

#include "ui/wizard/CWizPage.h"

class QCheckBox;
class QLineEdit;

namespace ui {

class CGridAbonentParms;

struct StandardParameter {
  const char* key;    // as written back, e.g. "#FULLNAME"
  const char* label;  // UTF-8
};

class CWizAbonent : public CWizPage {
  Q_OBJECT

 public:
  static constexpr size_t kStandardCount = 16;
  // The standard parameters in the order the grid shows them.
  static const std::array<StandardParameter, kStandardCount>& StandardParameters();

  explicit CWizAbonent(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool abonent) const override { return abonent; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  // parameters = the standard ones in table order (empty ones too), then the
  // additional rows whose name is not blank; the password fields and the
  // address book box.
  void GatherInto(model::_VxItemBase& entry) override;
  void TakePendingInput() override;

  QCheckBox* PasswordBox() const { return passwordSet_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QLineEdit* RetypeEdit() const { return retype_; }
  QCheckBox* HiddenBox() const { return hidden_; }
  CGridAbonentParms* StandardGrid() const { return standard_; }
  CGridAbonentParms* AdditionalGrid() const { return additional_; }

 private:
  void UpdatePasswordFields();

  QCheckBox* passwordSet_;
  QLineEdit* password_;
  QLineEdit* retype_;
  QCheckBox* hidden_;
  CGridAbonentParms* standard_;
  CGridAbonentParms* additional_;
  std::string newUserId_;  // made on the first new entry shown
  bool showing_ = false;   // controls set by ShowEntry are no user's change
};

}  // namespace ui
