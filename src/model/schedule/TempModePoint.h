#pragma once
// A time point of a call schedule with wildcards: any field may be -1 ("any").
// Which fields are set decides the point's period kind (every minute, hour,
// day, week, month, year, or once), and the point's phase is its offset within
// that period. Phases are unsigned 32-bit seconds, compared as such.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace model {

namespace period {
inline constexpr int kStatic = 0;  // once: a calendar time
inline constexpr int kMinute = 1;
inline constexpr int kHour = 2;
inline constexpr int kDay = 3;
inline constexpr int kWeek = 4;
inline constexpr int kMonth = 5;
inline constexpr int kYear = 6;
}  // namespace period

inline constexpr int32_t kAny = -1;

struct CTempModePoint {
  int32_t second = 0;   // 0..59
  int32_t minute = 0;   // 0..59
  int32_t hour = 0;     // 0..23
  int32_t weekday = 0;  // 0..6, 0 = Sunday
  int32_t day = 0;      // 0..31
  int32_t month = 0;    // 0..11
  int32_t year = 0;     // years since 1900, not checked

  bool operator==(const CTempModePoint&) const = default;

  // The fields in the order above, as the text and binary forms carry them.
  static constexpr size_t kFieldCount = 7;
  int32_t& Field(size_t index);
  int32_t Field(size_t index) const;

  // Broken-down local time, field for field; no daylight saving, day of year unset.
  std::tm ToTm() const;
  static CTempModePoint FromTm(const std::tm& tm);

  // The period kind, 0..6, by which fields are set.
  int GetPeriodKind() const;
  std::string GetPeriodName() const;  // CP1251

  // The point's phase by its own kind; `next` adds one period (nothing for kind 0).
  // Kind 6 takes the year given, or the current local year.
  uint32_t GetPhase(bool next, std::optional<int> yearSince1900 = std::nullopt) const;
  // The same reduction by a kind given.
  uint32_t GetPhaseAs(int kind, bool next, std::optional<int> yearSince1900 = std::nullopt) const;

  // The fixed-column display string (CP1251); false, and `out` left as it was,
  // for a point that has no display form.
  bool FormatDisplay(std::string& out) const;
};

// The period kind's name (CP1251); kinds outside 1..6 are the static kind.
std::string GetPeriodName(int kind);
// Period length in seconds; 0 for the static kind.
uint32_t PeriodLength(int kind);
// Rank of a kind in the frame ordering: yearly first, static last.
int SortRank(int kind);

// The phase of a moment (seconds since 1970) broken down in local time and
// reduced by `kind`. Kind 6 uses the moment's own year.
uint32_t GetPhase(std::time_t moment, int kind, bool next);

// "Воскресенье" .. "Суббота" for 0..6 (CP1251); empty outside.
std::string WeekdayName(int32_t weekday);
// 0..6 for a name of that list; -1 when not found.
int32_t WeekdayFromName(const std::string& name);

// The column header that goes with FormatDisplay (CP1251).
std::string DisplayHeader();

}  // namespace model
