#include "model/schedule/ScheduleRowEdit.h"

#include "model/schedule/TempModeFrame.h"
#include "text/Strings.h"

namespace model {

ScheduleRow NewScheduleRow() {
  ScheduleRow row;
  row.type = DailyTypeText();
  row.mode = RowModeName(callmode::kBlocked);
  return row;
}

std::vector<std::string> RowTypeChoices() { return {DailyTypeText(), WeeklyTypeText()}; }

std::vector<std::string> RowWeekdayChoices() {
  std::vector<std::string> days;
  for (int32_t day = 1; day <= 7; ++day) days.push_back(WeekdayName(day % 7));
  return days;
}

std::vector<std::string> RowModeChoices() {
  std::vector<std::string> modes;
  for (uint32_t mode = callmode::kOnMail; mode <= callmode::kIntervalOrMail; ++mode) modes.push_back(RowModeName(mode));
  return modes;
}

bool IsIntervalModeText(const std::string& modeCell) {
  return modeCell == RowModeName(callmode::kInterval) || modeCell == RowModeName(callmode::kIntervalOrMail);
}

bool CanEditRowCell(const ScheduleRow& row, size_t column) {
  switch (column) {
    case rowcol::kStartWeekday:
    case rowcol::kEndWeekday:
      return row.type != DailyTypeText();
    case rowcol::kInterval:
      return IsIntervalModeText(row.mode);
    case rowcol::kComment:
      return false;
    default:
      return column < ScheduleRow::kColumns;
  }
}

RowEdit ApplyRowEdit(ScheduleRow& row, size_t column, const std::string& edited) {
  const std::string text = text::Trim(edited);
  switch (column) {
    case rowcol::kType:
      if (text.empty()) return RowEdit::RemoveRow;
      row.type = text;
      if (text == DailyTypeText()) {
        row.startWeekday.clear();
        row.endWeekday.clear();
      }
      return RowEdit::Applied;
    case rowcol::kStartWeekday:
    case rowcol::kEndWeekday:
      if (row.type == DailyTypeText()) {
        row.startWeekday.clear();
        row.endWeekday.clear();
        return RowEdit::Dropped;
      }
      row.Cell(column) = text;
      return RowEdit::Applied;
    case rowcol::kInterval:
      if (!IsIntervalModeText(row.mode)) return RowEdit::Dropped;
      row.interval = text;
      return RowEdit::Applied;
    case rowcol::kMode:
      row.mode = text;
      if (!IsIntervalModeText(text)) row.interval.clear();
      return RowEdit::Applied;
    case rowcol::kStartTime:
    case rowcol::kEndTime:
      row.Cell(column) = text;
      return RowEdit::Applied;
    default:
      return RowEdit::Dropped;
  }
}

}  // namespace model
