#pragma once
// Page 2 of the entry view, "Параметры маршрутизации": the entry's routing
// addresses, one row per address with its level, and for an abonent the
// address it gives the address-book server.
//
// The list "Адреса направления": Insert appends a row and edits it, Edit
// opens the one selected row, Delete asks, then removes the selected rows
// (keys Insert, Enter and Delete do the same). The level is chosen from a drop-down of the
// six level names; a new row starts at PN. Edit and Delete without the
// selection they need say "Необходимо выбрать один элемент в параметрах
// маршрутизации!".
//
// The box that asks for a complete address-book address does not lock the
// address field: it only asks that the field be checked (Verify, and
// the view before an apply). It starts off whenever an entry is shown, since
// a stored abonent's address is usually the computed mailbox address, which
// names only the levels it needs.

#include <string>

#include "model/item/BookAddressCheck.h"
#include "model/item/VxItemBase.h"
#include "ui/wizard/CWizPage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {

class CGridRtEntries;

class CWizRouting : public CWizPage {
  Q_OBJECT

 public:
  explicit CWizRouting(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool) const override { return true; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  void GatherInto(model::_VxItemBase& entry) override;
  void TakePendingInput() override;
  // Shows the address-book controls for an abonent, hides them otherwise.
  void SetAbonentMode(bool abonent);

  // The rows as the six per-level lists: addresses trimmed and upper-cased,
  // blank ones and rows of an unknown level left out, row order kept.
  model::RoutingLists Routing() const;
  // Appends a row as given (CP1251), without checking the level.
  void AddRow(const std::string& address, const std::string& levelName);

  // Commands of the list; false when they did nothing.
  bool InsertRowAndEdit();
  bool EditSelectedRow();
  bool DeleteSelectedRows();

  // The check box is on and the entry is an abonent.
  bool CompleteAsked() const;
  // The address field against the rows; true when not asked or correct.
  // With `withMessage` the result is shown (nothing for "not asked").
  bool CheckAddressField(bool withMessage);
  // The Verify button: the node's own address and routing tables are read
  // on the worker (a failure is said), then the check is shown.
  void VerifyWithNode();
  // Opens the request dialog on the field; Send writes its address back.
  void RequestAddressFields();

  CGridRtEntries* Grid() const { return grid_; }
  QLineEdit* AddressField() const { return address_; }
  QCheckBox* CompleteBox() const { return complete_; }
  QToolButton* FieldsButton() const { return fieldsButton_; }
  QPushButton* VerifyButton() const { return verify_; }
  QWidget* BookControls() const { return book_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReportSelectionNeeded();

  bool abonent_ = false;
  CGridRtEntries* grid_;
  QWidget* book_;
  QLineEdit* address_;
  QCheckBox* complete_;
  QToolButton* fieldsButton_;
  QPushButton* verify_;
};

// The verdict of the address-book check: true when it passes (or was not
// asked for); with `dialogs` the verdict is shown. Any thread.
bool ReportBookAddressCheck(model::BookAddressCheck result, ports::DialogPort* dialogs);

}  // namespace ui
