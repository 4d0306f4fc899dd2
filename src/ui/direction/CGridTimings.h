#pragma once
// The timings grid: a direction's call schedule as daily or weekly rows.
// Columns: 0 row image, 1 type, 2 start weekday, 3 start time, 4 end
// weekday, 5 end time, 6 call mode, 7 interval, 8 comment (never stored).
//
// Editors: drop-downs for the type, the weekdays (weekly rows only) and the
// mode; a time editor "HH:mm:ss" for the times and the interval (interval
// modes only), starting at the cell's time or 00:00:00. A time editor closed
// on the time it started from leaves the cell as it was, so opening and
// accepting never rewrites a cell the editor cannot show (such as 24:00:00).
// Every edit goes through model::ApplyRowEdit; an emptied type removes the
// row once its editor has closed.
//
// Each row keeps the frame it was made from: Frames() of an unedited grid is
// the list SetFrames was given, byte for byte, frames that are neither daily
// nor weekly included; an edited or new row makes a new frame from its cells.

#include <QPersistentModelIndex>

#include <vector>

#include "model/schedule/ScheduleRow.h"
#include "model/schedule/TempModeFrame.h"
#include "ui/direction/CDirectionGrid.h"

namespace ui {

class TimingsModel;

class CGridTimings : public CDirectionGrid {
  Q_OBJECT

 public:
  enum Column {
    kImage = 0,
    kType,
    kStartWeekday,
    kStartTime,
    kEndWeekday,
    kEndTime,
    kMode,
    kInterval,
    kComment,
    kColumnCount
  };

  explicit CGridTimings(ports::DialogPort* dialogs, QWidget* parent = nullptr);

  // One row per frame, in order; any open editor is dropped.
  void SetFrames(const std::vector<model::CTempModeFrame>& frames);
  // One frame per row, in row order.
  std::vector<model::CTempModeFrame> Frames() const;

  const std::vector<model::ScheduleRow>& Rows() const;
  // The frame row `row` gives now; a new frame for a row out of range.
  model::CTempModeFrame RowFrame(int row) const;
  // Replaces the row by one made from `frame` (which it then keeps), as the
  // single-frame editor hands its result back.
  void SetRowFrame(int row, const model::CTempModeFrame& frame);

  // The way every edit reaches a cell (the editors use it too): applies the
  // editing rules to `text` (shown text, trimmed). False when the text was
  // not taken or the cell is not editable.
  bool CommitEdit(int row, int column, const QString& text);

 protected:
  std::string DeleteQuestion() const override;
  int FirstEditableColumn() const override { return kType; }
  void AppendRow() override;
  void RemoveRows(const std::vector<int>& rows) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  TimingsModel* model_;
  QPersistentModelIndex removeAfterEdit_;  // a row whose type was emptied in its editor
};

}  // namespace ui
