#pragma once
// "Time domain": one frame of a call schedule in one dialog, as the timings
// grid shows it: type (daily or weekly), start weekday and time, end weekday
// and time, call mode and interval, with the grid's own texts. The weekdays
// are enabled only for a weekly frame, the interval only in the two interval
// modes.
//
// A frame goes out as it came in while nothing was changed (a time the editor
// cannot show, such as 24:00:00, stays as long as its editor is not touched);
// a changed dialog makes a new frame from its fields, as a grid row does.
//
//   CDlgVaEditSingle dialog(parent);
//   dialog.SetFrame(frame);
//   if (dialog.exec() == QDialog::Accepted) frame = dialog.Frame();

#include <QDialog>
#include <QTime>

#include "model/schedule/ScheduleRow.h"
#include "model/schedule/TempModeFrame.h"

class QComboBox;
class QPushButton;
class QTimeEdit;

namespace ui {

class CDlgVaEditSingle : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgVaEditSingle(QWidget* parent = nullptr);

  void SetFrame(const model::CTempModeFrame& frame);
  model::CTempModeFrame Frame() const;

  QComboBox* TypeBox() const { return type_; }
  QComboBox* StartDayBox() const { return startDay_; }
  QTimeEdit* StartTimeEdit() const { return startTime_; }
  QComboBox* EndDayBox() const { return endDay_; }
  QTimeEdit* EndTimeEdit() const { return endTime_; }
  QComboBox* ModeBox() const { return mode_; }
  QTimeEdit* IntervalEdit() const { return interval_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void UpdateEnabled();
  // The time edit's text, or the row's own cell while the edit still shows
  // the time it was given.
  std::string TimeCell(const QTimeEdit* edit, const std::string& cell) const;

  QComboBox* type_;
  QComboBox* startDay_;
  QTimeEdit* startTime_;
  QComboBox* endDay_;
  QTimeEdit* endTime_;
  QComboBox* mode_;
  QTimeEdit* interval_;
  QPushButton* ok_;
  QPushButton* cancel_;
  model::ScheduleRow row_;  // the frame as SetFrame gave it, in row form
};

}  // namespace ui
