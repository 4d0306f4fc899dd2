#pragma once
// Page 3 of the entry view, "Параметры направления": the priority, the three
// call flags and the round slider of minutes kept in the entry's extra option
// word. An abonent has none of these: its page says so instead.
//
// The priority field takes digits only and its up-down buttons keep to
// 0..9; a typed number above 9 is stored as 0, as a stored one above 9 is
// shown empty.

#include "ui/wizard/CWizPage.h"

class QCheckBox;
class QDial;
class QLabel;
class QLineEdit;
class QToolButton;

namespace ui {

class CWizDirection : public CWizPage {
  Q_OBJECT

 public:
  static constexpr int kMaxPriority = 9;
  static constexpr int kMaxMinutes = 1439;

  explicit CWizDirection(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool abonent) const override { return !abonent; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  void GatherInto(model::_VxItemBase& entry) override;
  // An abonent's page hides the controls and shows "Параметры не доступны.".
  void SetAbonentMode(bool abonent);

  QLineEdit* PriorityEdit() const { return priority_; }
  QToolButton* PriorityUp() const { return up_; }
  QToolButton* PriorityDown() const { return down_; }
  QCheckBox* CallOnArrival() const { return onArrival_; }
  QCheckBox* CallAtInterval() const { return atInterval_; }
  QCheckBox* ForcedCall() const { return forced_; }
  QDial* MinutesDial() const { return dial_; }
  QLabel* MinutesLabel() const { return minutesLabel_; }
  QLabel* NotAvailableLabel() const { return notAvailable_; }
  QWidget* Controls() const { return controls_; }

 private:
  // The field's number, 0 when empty or above 9.
  int Priority() const;
  void StepPriority(int delta);
  void ShowMinutes(int minutes);

  QWidget* controls_;
  QLabel* notAvailable_;
  QLineEdit* priority_;
  QToolButton* up_;
  QToolButton* down_;
  QCheckBox* onArrival_;
  QCheckBox* atInterval_;
  QCheckBox* forced_;
  QDial* dial_;
  QLabel* minutesLabel_;
};

}  // namespace ui
