#pragma once
// The row form in which the editors show a schedule: daily or weekly windows,
// eight text cells (CP1251). A row made from a frame keeps that frame: while
// its cells stay as they were made, the row gives back exactly that frame, so
// an unedited schedule goes back to the server byte for byte, frames of other
// period kinds included. A new or edited row makes a new frame from its cells.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/schedule/TempModeFrame.h"

namespace model {

struct ScheduleRow {
  static constexpr size_t kColumns = 8;

  std::string type;          // "Ежедневно" or "Еженедельно"
  std::string startWeekday;  // weekly rows only
  std::string startTime;     // "hh:mm:ss"
  std::string endWeekday;    // weekly rows only
  std::string endTime;       // "hh:mm:ss"
  std::string mode;          // the call mode's name
  std::string interval;      // "hh:mm:ss" for the interval modes, else empty
  std::string comment;       // never stored in the frame
  std::optional<CTempModeFrame> source;  // the frame the row was made from

  // Cells by column, 0 = type .. 7 = comment.
  std::string& Cell(size_t column);
  const std::string& Cell(size_t column) const;
};

// Column headings, in column order (CP1251).
std::array<std::string, ScheduleRow::kColumns> ScheduleRowHeadings();
std::string DailyTypeText();   // "Ежедневно"
std::string WeeklyTypeText();  // "Еженедельно"
// The mode cell's text: the mode names with mode 4 spelt right; empty for a
// mode outside 0..4.
std::string RowModeName(uint32_t mode);

ScheduleRow FrameToRow(const CTempModeFrame& frame);
CTempModeFrame RowToFrame(const ScheduleRow& row);

std::vector<ScheduleRow> FramesToRows(const std::vector<CTempModeFrame>& frames);
// One frame per row, in row order.
std::vector<CTempModeFrame> RowsToFrames(const std::vector<ScheduleRow>& rows);

}  // namespace model
