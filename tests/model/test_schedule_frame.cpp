// Schedule frames: the window test, the ordering, the mode names and the
// 72-byte binary form.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ScheduleTestSupport.h"
#include "model/schedule/TempModeFrame.h"

namespace model::test {
namespace {

TEST(ScheduleFrame, NewFrame) {
  const CTempModeFrame f;
  EXPECT_EQ(f.mode, 2u);
  EXPECT_EQ(f.interval, 0u);
  EXPECT_EQ(f.reserved1, 0u);
  EXPECT_EQ(f.reserved2, 0u);
  EXPECT_EQ(f.from, (CTempModePoint{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(f.to, (CTempModePoint{0, 0, 0, 0, 0, 0, 0}));
}

struct WindowCase {
  const char* name;
  CTempModeFrame frame;
  std::time_t moment;
  bool active;
};

TEST(ScheduleFrame, WindowHoldsTheMoment) {
  // Wednesday 2024-03-13.
  const auto at = [](int h, int m, int s) { return LocalMoment(2024, 3, 13, h, m, s); };
  const CTempModeFrame night = Frame(1, 0, Daily(22, 0, 0), Daily(6, 0, 0));
  const CTempModeFrame day = Frame(1, 0, Daily(6, 0, 0), Daily(22, 0, 0));
  const CTempModeFrame empty = Frame(1, 0, Daily(10, 0, 0), Daily(10, 0, 0));
  const CTempModeFrame workWeek = Frame(3, 1800, Weekly(1, 8, 0, 0), Weekly(5, 17, 0, 0));
  const CTempModeFrame weekend = Frame(1, 0, Weekly(5, 17, 0, 0), Weekly(1, 8, 0, 0));
  const WindowCase cases[] = {
      // A window that wraps round midnight holds both its ends.
      {"night 23:00", night, at(23, 0, 0), true},
      {"night 05:00", night, at(5, 0, 0), true},
      {"night at 22:00:00", night, at(22, 0, 0), true},
      {"night at 06:00:00", night, at(6, 0, 0), true},
      {"night 06:00:01", night, at(6, 0, 1), false},
      {"night 21:59:59", night, at(21, 59, 59), false},
      {"night noon", night, at(12, 0, 0), false},
      // A plain window holds neither end.
      {"day at 06:00:00", day, at(6, 0, 0), false},
      {"day at 22:00:00", day, at(22, 0, 0), false},
      {"day 06:00:01", day, at(6, 0, 1), true},
      {"day noon", day, at(12, 0, 0), true},
      {"day midnight", day, at(0, 0, 0), false},
      {"empty window at its time", empty, at(10, 0, 0), false},
      {"empty window elsewhere", empty, at(11, 0, 0), false},
      {"work week Wednesday", workWeek, at(12, 0, 0), true},
      {"work week Saturday", workWeek, LocalMoment(2024, 3, 16, 12, 0, 0), false},
      {"work week Monday 07:59", workWeek, LocalMoment(2024, 3, 11, 7, 59, 0), false},
      {"work week Friday 16:59", workWeek, LocalMoment(2024, 3, 15, 16, 59, 0), true},
      {"weekend Sunday", weekend, LocalMoment(2024, 3, 17, 12, 0, 0), true},
      {"weekend Wednesday", weekend, at(12, 0, 0), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int kind = -1;
    EXPECT_EQ(c.frame.IsActiveAt(c.moment, &kind), c.active);
    EXPECT_EQ(kind, c.frame.from.GetPeriodKind());
  }
}

TEST(ScheduleFrame, StaticWindowInCalendarTime) {
  ScopedTimeZone utc("UTC");
  const CTempModeFrame once =
      Frame(1, 0, CTempModePoint{0, 0, 0, -1, 1, 0, 124}, CTempModePoint{0, 0, 0, -1, 2, 0, 124});
  int kind = -1;
  EXPECT_TRUE(once.IsActiveAt(LocalMoment(2024, 1, 1, 12, 0, 0), &kind));
  EXPECT_EQ(kind, period::kStatic);
  EXPECT_FALSE(once.IsActiveAt(LocalMoment(2024, 1, 2, 12, 0, 0)));
  EXPECT_FALSE(once.IsActiveAt(LocalMoment(2025, 1, 1, 12, 0, 0)));
  // A yearly window is placed in the year of the moment.
  const CTempModeFrame january =
      Frame(1, 0, CTempModePoint{0, 0, 0, -1, 1, 0, -1}, CTempModePoint{0, 0, 0, -1, 31, 0, -1});
  EXPECT_TRUE(january.IsActiveAt(LocalMoment(2031, 1, 15, 0, 0, 0)));
  EXPECT_FALSE(january.IsActiveAt(LocalMoment(2031, 2, 15, 0, 0, 0)));
}

TEST(ScheduleFrame, Ordering) {
  // Rank by the from point's kind: minute 0, year 1, month 2, week 3, day 4, hour 5, once 100.
  const CTempModePoint minute{0, -1, -1, -1, -1, -1, -1};
  const CTempModePoint hour{0, 0, -1, -1, -1, -1, -1};
  const CTempModePoint year{0, 0, 0, -1, 1, 0, -1};
  const CTempModePoint month{0, 0, 0, -1, 1, -1, -1};
  const CTempModePoint once{0, 0, 0, 0, 0, 0, 0};
  std::vector<CTempModeFrame> frames = {
      Frame(2, 0, once, once),        Frame(0, 0, hour, hour),          Frame(3, 60, Daily(9, 0, 0), once),
      Frame(1, 0, Daily(8, 0, 0), once), Frame(0, 0, Weekly(1, 0, 0, 0), once), Frame(0, 0, month, once),
      Frame(4, 0, year, once),        Frame(0, 0, minute, once),        Frame(1, 0, once, once),
  };
  SortFrames(frames);
  const std::vector<std::pair<int, uint32_t>> expected = {{1, 0}, {6, 4}, {5, 0}, {4, 0}, {3, 1},
                                                          {3, 3}, {2, 0}, {0, 1}, {0, 2}};
  std::vector<std::pair<int, uint32_t>> got;
  for (const auto& f : frames) got.emplace_back(f.from.GetPeriodKind(), f.mode);
  EXPECT_EQ(got, expected);
  // Equal rank and mode: neither sorts before the other.
  EXPECT_FALSE(SortsBefore(Frame(1, 0, Daily(8, 0, 0), once), Frame(1, 0, Daily(9, 0, 0), once)));
  EXPECT_FALSE(SortsBefore(Frame(1, 0, Daily(9, 0, 0), once), Frame(1, 0, Daily(8, 0, 0), once)));
}

TEST(ScheduleFrame, ModeNames) {
  const struct {
    uint32_t mode;
    const char* name;
  } cases[] = {
      {0, "Вызов по появлению корреспонденции"},
      {1, "Заблокировано"},
      {2, "Только по входящим звонкам"},
      {3, "Вызов с интервалом"},
      {4, "Вызов с интервалом или по появлению копрреспонденции"},
      {5, "Ошибка БД"},
      {0xFFFFFFFFu, "Ошибка БД"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(GetModeName(c.mode)), c.name) << c.mode;
  EXPECT_EQ(Utf8(Frame(3, 0, Weekly(1, 0, 0, 0), Daily(0, 0, 0)).GetPeriodName()), "каждую неделю");
}

TEST(ScheduleFrame, BinaryForm) {
  CTempModeFrame f = Frame(3, 1800, Daily(9, 0, 0), CTempModePoint{0, 30, 18, -1, -1, -1, -1});
  f.reserved1 = 0x01020304;
  f.reserved2 = 0xFFFFFFFE;
  const auto image = f.ToBinary();
  const uint8_t expected[72] = {
      3,    0,    0,    0,    0x08, 0x07, 0, 0, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF,  // header
      0,    0,    0,    0,    0,    0,    0, 0, 9, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,  // from s m h wd
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,        // from d mo y
      0,    0,    0,    0,    30,   0,    0, 0, 18, 0, 0, 0,                        // to s m h
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
  };
  EXPECT_TRUE(std::equal(image.begin(), image.end(), std::begin(expected)));
  EXPECT_EQ(CTempModeFrame::FromBinary(image), f);

  // A list is the frames back to back; a trailing part of a frame is not one.
  const std::vector<CTempModeFrame> list = {f, CTempModeFrame{}, Frame(7, 99999, Weekly(9, 25, 61, 61), Daily(0, 0, 0))};
  std::vector<uint8_t> bytes = FramesToBinary(list);
  ASSERT_EQ(bytes.size(), 3u * 72);
  EXPECT_EQ(FramesFromBinary(bytes), list);
  bytes.resize(bytes.size() + 71, 0xAB);
  EXPECT_EQ(FramesFromBinary(bytes), list);
  EXPECT_TRUE(FramesFromBinary(std::span<const uint8_t>(bytes.data(), 71)).empty());
  EXPECT_TRUE(FramesToBinary({}).empty());
  // A count from a server is believed only as far as the bytes go.
  EXPECT_EQ(FramesFromBinary(bytes, 2), std::vector<CTempModeFrame>(list.begin(), list.begin() + 2));
  EXPECT_EQ(FramesFromBinary(bytes, 1000), list);
  EXPECT_TRUE(FramesFromBinary(bytes, 0).empty());
}

}  // namespace
}  // namespace model::test
