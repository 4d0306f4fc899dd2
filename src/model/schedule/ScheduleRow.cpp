#include "model/schedule/ScheduleRow.h"

#include <algorithm>

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {
namespace {

struct Hms {
  uint32_t hours = 0;
  uint32_t minutes = 0;
  uint32_t seconds = 0;
};

// Three runs of decimal digits, each ended by any one other character; a
// missing run is 0. Runs saturate instead of overflowing.
Hms ReadHms(const std::string& cell) {
  std::array<uint32_t, 3> runs{};
  size_t pos = 0;
  for (auto& run : runs) {
    uint64_t value = 0;
    while (pos < cell.size() && cell[pos] >= '0' && cell[pos] <= '9') {
      value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(cell[pos] - '0'), 0xFFFFFFFFull);
      ++pos;
    }
    run = static_cast<uint32_t>(value);
    if (pos < cell.size()) ++pos;
  }
  return {runs[0], runs[1], runs[2]};
}

// A time field of the cell; "any" shows as 00, as the editors cannot hold it.
unsigned Shown(int32_t field) { return field == kAny ? 0u : static_cast<unsigned>(field); }

std::string TimeCell(const CTempModePoint& p) {
  return text::Format("%02u:%02u:%02u", Shown(p.hour), Shown(p.minute), Shown(p.second));
}

void SetTime(CTempModePoint& p, const std::string& cell) {
  const Hms t = ReadHms(cell);
  // 24 itself is kept: "24:00:00" is the end of the day.
  p.hour = t.hours > 24 ? 0 : static_cast<int32_t>(t.hours);
  p.minute = static_cast<int32_t>(std::min<uint32_t>(t.minutes, INT32_MAX));
  p.second = static_cast<int32_t>(std::min<uint32_t>(t.seconds, INT32_MAX));
}

bool IntervalMode(uint32_t mode) { return mode == callmode::kInterval || mode == callmode::kIntervalOrMail; }

bool SameCells(const ScheduleRow& a, const ScheduleRow& b) {
  // The comment is not part of the frame.
  for (size_t c = 0; c + 1 < ScheduleRow::kColumns; ++c) {
    if (a.Cell(c) != b.Cell(c)) return false;
  }
  return true;
}

}  // namespace

std::string& ScheduleRow::Cell(size_t column) {
  switch (column) {
    case 0:
      return type;
    case 1:
      return startWeekday;
    case 2:
      return startTime;
    case 3:
      return endWeekday;
    case 4:
      return endTime;
    case 5:
      return mode;
    case 6:
      return interval;
    default:
      return comment;
  }
}

const std::string& ScheduleRow::Cell(size_t column) const { return const_cast<ScheduleRow*>(this)->Cell(column); }

std::array<std::string, ScheduleRow::kColumns> ScheduleRowHeadings() {
  return {text::Cp("Тип временного интервала"), text::Cp("Начальный день недели"), text::Cp("Начальное время"),
          text::Cp("Конечный день недели"),     text::Cp("Конечное время"),        text::Cp("Режим работы"),
          text::Cp("Интервал времени"),         text::Cp("Комментарий")};
}

std::string DailyTypeText() { return text::Cp("Ежедневно"); }
std::string WeeklyTypeText() { return text::Cp("Еженедельно"); }

std::string RowModeName(uint32_t mode) {
  if (mode == callmode::kIntervalOrMail) return text::Cp("Вызов с интервалом или по появлению корреспонденции");
  if (mode > callmode::kIntervalOrMail) return {};
  return GetModeName(mode);
}

ScheduleRow FrameToRow(const CTempModeFrame& frame) {
  ScheduleRow row;
  const bool weekly = frame.from.GetPeriodKind() == period::kWeek;
  row.type = weekly ? WeeklyTypeText() : DailyTypeText();
  if (weekly) {
    row.startWeekday = WeekdayName(frame.from.weekday);
    row.endWeekday = WeekdayName(frame.to.weekday);
  }
  row.startTime = TimeCell(frame.from);
  row.endTime = TimeCell(frame.to);
  row.mode = RowModeName(frame.mode);
  if (IntervalMode(frame.mode)) {
    const uint32_t i = std::min(frame.interval, CTempModeFrame::kMaxInterval);
    row.interval = text::Format("%02u:%02u:%02u", i / 3600, (i % 3600) / 60, i % 60);
  }
  row.source = frame;
  return row;
}

CTempModeFrame RowToFrame(const ScheduleRow& row) {
  if (row.source && SameCells(row, FrameToRow(*row.source))) return *row.source;

  CTempModeFrame frame;
  // Words the row cannot show travel on from the frame it was made from.
  if (row.source) {
    frame.reserved1 = row.source->reserved1;
    frame.reserved2 = row.source->reserved2;
  }
  for (CTempModePoint* p : {&frame.from, &frame.to}) *p = {0, 0, 0, kAny, kAny, kAny, kAny};
  SetTime(frame.from, row.startTime);
  SetTime(frame.to, row.endTime);
  if (row.type == WeeklyTypeText()) {
    frame.from.weekday = WeekdayFromName(row.startWeekday);
    frame.to.weekday = WeekdayFromName(row.endWeekday);
  }

  frame.mode = callmode::kOnMail;
  for (uint32_t mode = callmode::kBlocked; mode <= callmode::kIntervalOrMail; ++mode) {
    if (row.mode == RowModeName(mode)) frame.mode = mode;
  }
  frame.interval = 0;
  if (IntervalMode(frame.mode)) {
    // The interval cell is limited to a day; its hour is not reset above 24.
    const Hms t = ReadHms(row.interval);
    const uint64_t seconds = uint64_t{t.hours} * 3600 + uint64_t{t.minutes} * 60 + t.seconds;
    frame.interval = static_cast<uint32_t>(std::min<uint64_t>(seconds, CTempModeFrame::kMaxInterval));
  }

  // An empty window would never be active.
  const auto midnight = [](const CTempModePoint& p) { return p.hour == 0 && p.minute == 0 && p.second == 0; };
  if (midnight(frame.from) && midnight(frame.to)) frame.to.minute = 1;
  return frame;
}

std::vector<ScheduleRow> FramesToRows(const std::vector<CTempModeFrame>& frames) {
  std::vector<ScheduleRow> rows;
  rows.reserve(frames.size());
  for (const auto& frame : frames) rows.push_back(FrameToRow(frame));
  return rows;
}

std::vector<CTempModeFrame> RowsToFrames(const std::vector<ScheduleRow>& rows) {
  std::vector<CTempModeFrame> frames;
  frames.reserve(rows.size());
  for (const auto& row : rows) frames.push_back(RowToFrame(row));
  return frames;
}

}  // namespace model
