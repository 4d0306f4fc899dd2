// Time points of a schedule: period kinds, phases and the display strings.

#include <gtest/gtest.h>

#include "ScheduleTestSupport.h"
#include "model/schedule/TempModePoint.h"

namespace model::test {
namespace {

struct KindCase {
  CTempModePoint point;
  int kind;
  const char* name;
  const char* display;  // nullptr: no display form
};

TEST(SchedulePoint, KindsNamesAndDisplay) {
  const KindCase cases[] = {
      {{5, -1, -1, -1, -1, -1, -1}, 1, "каждую минуту", "  :  :05"},
      {{5, 7, -1, -1, -1, -1, -1}, 2, "каждый час", "  :07:05"},
      {{5, 7, 9, -1, -1, -1, -1}, 3, "каждый день", "09:07:05"},
      {{0, 0, 8, 1, -1, -1, -1}, 4, "каждую неделю", "08:00:00 Понедельник"},
      {{0, 30, 17, 3, -1, -1, -1}, 4, "каждую неделю", "17:30:00       Среда"},
      // A weekday out of range (from the wire) has an empty name.
      {{0, 30, 17, 9, -1, -1, -1}, 4, "каждую неделю", "17:30:00            "},
      {{1, 2, 3, -1, 15, -1, -1}, 5, "каждый месяц", "03:02:01             15"},
      {{1, 2, 3, -1, 15, 2, -1}, 6, "каждый год", "03:02:01             15.03"},
      {{5, 30, 12, -1, 15, 2, 124}, 0, "статически (один раз)", "12:30:05             15.03.2024"},
      // Only the minute set: no kind, no display.
      {{-1, 7, -1, -1, -1, -1, -1}, 0, "статически (один раз)", nullptr},
      // A full date with a weekday is not a full date.
      {{5, 30, 12, 1, 15, 2, 124}, 0, "статически (один раз)", nullptr},
      // Weekday and day together match no periodic kind.
      {{0, 0, 8, 1, 15, -1, -1}, 0, "статически (один раз)", nullptr},
      // A new frame's point: every field 0.
      {{0, 0, 0, 0, 0, 0, 0}, 0, "статически (один раз)", nullptr},
      {{-1, -1, -1, -1, -1, -1, -1}, 0, "статически (один раз)", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.point));
    EXPECT_EQ(c.point.GetPeriodKind(), c.kind);
    EXPECT_EQ(Utf8(c.point.GetPeriodName()), c.name);
    std::string shown = "unchanged";
    EXPECT_EQ(c.point.FormatDisplay(shown), c.display != nullptr);
    EXPECT_EQ(Utf8(shown), c.display ? c.display : "unchanged");
  }
  EXPECT_EQ(Utf8(DisplayHeader()), "Ч  М  С  День недели Д  М  Г   ");
}

TEST(SchedulePoint, PhasesByKind) {
  ScopedTimeZone utc("UTC");
  const struct {
    CTempModePoint point;
    bool next;
    uint32_t phase;
  } cases[] = {
      {{42, -1, -1, -1, -1, -1, -1}, false, 42},
      {{42, -1, -1, -1, -1, -1, -1}, true, 42 + 60},
      {{5, 7, -1, -1, -1, -1, -1}, false, 5 + 7 * 60},
      {Daily(9, 0, 0), false, 32400},
      {Daily(9, 0, 0), true, 32400 + 86400},
      {Weekly(1, 8, 0, 0), false, 86400 + 28800},
      {Weekly(1, 8, 0, 0), true, 86400 + 28800 + 604800},
      {{0, 0, 0, -1, 2, -1, -1}, true, 2 * 86400 + 2678400},
      // Yearly: the point in the year given (2024 here): 2 March is past 29 February.
      {{0, 0, 0, -1, 2, 2, -1}, false, 1709337600},
      {{0, 0, 0, -1, 2, 2, -1}, true, 1709337600 + 31622400},
      // Once: the calendar time itself; nothing is added for "next".
      {{0, 0, 0, -1, 1, 0, 100}, false, 946684800},
      {{0, 0, 0, -1, 1, 0, 100}, true, 946684800},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.point));
    EXPECT_EQ(c.point.GetPhase(c.next, 124), c.phase);
  }
  // A moment reduced by each kind: Wednesday 2024-03-13 10:20:30 UTC.
  const std::time_t moment = 1710325230;
  EXPECT_EQ(GetPhase(moment, period::kMinute, false), 30u);
  EXPECT_EQ(GetPhase(moment, period::kHour, false), 30u + 20 * 60);
  EXPECT_EQ(GetPhase(moment, period::kDay, true), 37230u + 86400);
  EXPECT_EQ(GetPhase(moment, period::kWeek, false), 37230u + 3 * 86400);
  EXPECT_EQ(GetPhase(moment, period::kMonth, false), 37230u + 13 * 86400);
  EXPECT_EQ(GetPhase(moment, period::kYear, false), static_cast<uint32_t>(moment));
  EXPECT_EQ(GetPhase(moment, period::kStatic, true), static_cast<uint32_t>(moment));
}

TEST(SchedulePoint, BrokenDownTimeBothWays) {
  const CTempModePoint p{1, 2, 3, 4, 5, 6, 107};
  const std::tm tm = p.ToTm();
  EXPECT_EQ(tm.tm_sec, 1);
  EXPECT_EQ(tm.tm_min, 2);
  EXPECT_EQ(tm.tm_hour, 3);
  EXPECT_EQ(tm.tm_wday, 4);
  EXPECT_EQ(tm.tm_mday, 5);
  EXPECT_EQ(tm.tm_mon, 6);
  EXPECT_EQ(tm.tm_year, 107);
  EXPECT_EQ(tm.tm_isdst, 0);
  EXPECT_EQ(CTempModePoint::FromTm(tm), p);
}

TEST(SchedulePoint, WeekdayNames) {
  EXPECT_EQ(Utf8(WeekdayName(0)), "Воскресенье");
  EXPECT_EQ(Utf8(WeekdayName(6)), "Суббота");
  EXPECT_EQ(WeekdayName(7), "");
  EXPECT_EQ(WeekdayName(-1), "");
  EXPECT_EQ(WeekdayFromName(text::Cp("Пятница")), 5);
  EXPECT_EQ(WeekdayFromName(text::Cp("пятница")), -1);
  EXPECT_EQ(WeekdayFromName(""), -1);
}

}  // namespace
}  // namespace model::test
