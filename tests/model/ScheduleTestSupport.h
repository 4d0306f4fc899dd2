#pragma once
// Helpers shared by the schedule tests: local moments, a fixed time zone,
// CP1251 texts in UTF-8 for readable assertions.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/schedule/ScheduleRow.h"
#include "model/schedule/TempModeFrame.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {
inline void PrintTo(const CTempModePoint& p, std::ostream* os) {
  *os << "(" << p.second << "," << p.minute << "," << p.hour << "," << p.weekday << "," << p.day << ","
      << p.month << "," << p.year << ")";
}
inline void PrintTo(const CTempModeFrame& f, std::ostream* os) {
  *os << "{mode " << f.mode << " interval " << f.interval << " reserved " << f.reserved1 << "," << f.reserved2
      << " from ";
  PrintTo(f.from, os);
  *os << " to ";
  PrintTo(f.to, os);
  *os << "}";
}
}  // namespace model

namespace model::test {

inline std::string Utf8(const std::string& cp1251) { return text::Cp1251ToUtf8(cp1251); }

// A row as the user fills it in (UTF-8 cells), with no source frame.
inline ScheduleRow Row(const char* type, const char* startDay, const char* start, const char* endDay,
                       const char* end, const char* mode, const char* interval) {
  ScheduleRow row;
  row.type = text::Cp(type);
  row.startWeekday = text::Cp(startDay);
  row.startTime = text::Cp(start);
  row.endWeekday = text::Cp(endDay);
  row.endTime = text::Cp(end);
  row.mode = text::Cp(mode);
  row.interval = text::Cp(interval);
  return row;
}

// The row's cells in UTF-8.
inline std::vector<std::string> Cells(const ScheduleRow& row) {
  std::vector<std::string> cells;
  for (size_t c = 0; c < ScheduleRow::kColumns; ++c) cells.push_back(Utf8(row.Cell(c)));
  return cells;
}

// A moment of local time (no daylight saving asked).
inline std::time_t LocalMoment(int year, int month1, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month1 - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// Runs the enclosing scope in a fixed time zone and restores the previous one.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) previous_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

inline CTempModePoint Daily(int hour, int minute, int second) { return {second, minute, hour, -1, -1, -1, -1}; }
inline CTempModePoint Weekly(int weekday, int hour, int minute, int second) {
  return {second, minute, hour, weekday, -1, -1, -1};
}

inline CTempModeFrame Frame(uint32_t mode, uint32_t interval, CTempModePoint from, CTempModePoint to) {
  CTempModeFrame f;
  f.mode = mode;
  f.interval = interval;
  f.from = from;
  f.to = to;
  return f;
}

}  // namespace model::test
