#pragma once
// How the timings grid's rows take an edit: which cells may be edited, what
// an accepted text does to the other cells of its row, and the row a new
// schedule line starts from. Columns are ScheduleRow's (0 = type .. 7 =
// comment), texts CP1251.

#include <cstddef>
#include <string>
#include <vector>

#include "model/schedule/ScheduleRow.h"

namespace model {

namespace rowcol {
inline constexpr size_t kType = 0;
inline constexpr size_t kStartWeekday = 1;
inline constexpr size_t kStartTime = 2;
inline constexpr size_t kEndWeekday = 3;
inline constexpr size_t kEndTime = 4;
inline constexpr size_t kMode = 5;
inline constexpr size_t kInterval = 6;
inline constexpr size_t kComment = 7;
}  // namespace rowcol

enum class RowEdit {
  Applied,    // the cell took the text (other cells may have changed too)
  Dropped,    // the text was not taken; weekday cells may have been emptied
  RemoveRow,  // an empty type: the row goes away
};

// "Ежедневно", empty weekdays and times, "Заблокировано", empty interval and
// comment; no source frame.
ScheduleRow NewScheduleRow();

// The drop-down lists: the two types; the weekdays from Monday on; the five
// mode names as the row form spells them.
std::vector<std::string> RowTypeChoices();
std::vector<std::string> RowWeekdayChoices();
std::vector<std::string> RowModeChoices();

// Whether the mode cell names one of the two interval modes.
bool IsIntervalModeText(const std::string& modeCell);

// Whether an editor may open on the cell: weekdays only on weekly rows, the
// interval only in the interval modes, never the comment.
bool CanEditRowCell(const ScheduleRow& row, size_t column);

// Ends an edit of `column` with `text` (trimmed first):
//  - type: empty removes the row; "Ежедневно" empties both weekdays;
//  - a weekday on a daily row is dropped and both weekdays are emptied;
//  - the interval is dropped unless the mode is an interval mode;
//  - a mode other than the interval modes empties the interval;
//  - the comment is never taken.
RowEdit ApplyRowEdit(ScheduleRow& row, size_t column, const std::string& text);

}  // namespace model
