#pragma once
// Page 5, "Временные интервалы" (directions): the timings grid over the
// entry's schedule, and "Advanced ..." which edits the one selected row in
// the single-frame editor. An unedited grid gives the schedule back byte for
// byte.
//
// CDlgWizTiming is the same page as a dialog of its own with "OK" and
// "Cancel"; its size is kept in the profile ("CoolResizableDialogs",
// "WizTiming").

#include <QDialog>

#include "ui/wizard/CWizPage.h"

class QPushButton;

namespace ui {

class CGridTimings;

class CWizTiming : public CWizPage {
  Q_OBJECT

 public:
  explicit CWizTiming(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool abonent) const override { return !abonent; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  // The schedule becomes one frame per row, in row order.
  void GatherInto(model::_VxItemBase& entry) override;
  void TakePendingInput() override;

  // "Advanced ...": exactly one row selected and no editor open, else
  // nothing happens. True when the editor ended with OK and the row took
  // its frame.
  bool EditSelectedFrame();

  CGridTimings* Grid() const { return grid_; }
  QPushButton* AdvancedButton() const { return advanced_; }

 private:
  CGridTimings* grid_;
  QPushButton* advanced_;
};

class CDlgWizTiming : public QDialog {
  Q_OBJECT

 public:
  // Where the size is kept: QSettings(CMainFrame::kProfileName, ...), group
  // kProfileSection, key kProfileEntry (saveGeometry bytes).
  static constexpr const char* kProfileSection = "CoolResizableDialogs";
  static constexpr const char* kProfileEntry = "WizTiming";

  explicit CDlgWizTiming(WizContext& context, QWidget* parent = nullptr);

  CWizTiming* Page() const { return page_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Ends an open grid editor before the dialog closes with OK; writes the
  // size to the profile however it closes.
  void done(int result) override;

 private:
  CWizTiming* page_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace ui
