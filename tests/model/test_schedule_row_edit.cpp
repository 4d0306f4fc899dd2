// The editing rules of the timings rows: which cells open an editor and what
// an accepted text does to the rest of the row.

#include <gtest/gtest.h>

#include <vector>

#include "ScheduleTestSupport.h"
#include "model/schedule/ScheduleRowEdit.h"

namespace model::test {
namespace {

constexpr const char* kDaily = "Ежедневно";
constexpr const char* kWeekly = "Еженедельно";
constexpr const char* kBlocked = "Заблокировано";
constexpr const char* kInterval = "Вызов с интервалом";
constexpr const char* kBoth = "Вызов с интервалом или по появлению корреспонденции";

// A row with the working day's times.
ScheduleRow Row(const char* type, const char* startDay, const char* endDay, const char* mode, const char* interval) {
  return test::Row(type, startDay, "08:00:00", endDay, "17:00:00", mode, interval);
}

TEST(ScheduleRowEdit, NewRowAndChoices) {
  EXPECT_EQ(Cells(NewScheduleRow()), (std::vector<std::string>{kDaily, "", "", "", "", kBlocked, "", ""}));
  EXPECT_FALSE(NewScheduleRow().source.has_value());

  std::vector<std::string> days;
  for (const auto& d : RowWeekdayChoices()) days.push_back(Utf8(d));
  EXPECT_EQ(days, (std::vector<std::string>{"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота",
                                            "Воскресенье"}));
  std::vector<std::string> modes;
  for (const auto& m : RowModeChoices()) modes.push_back(Utf8(m));
  EXPECT_EQ(modes, (std::vector<std::string>{"Вызов по появлению корреспонденции", kBlocked,
                                             "Только по входящим звонкам", kInterval, kBoth}));
}

TEST(ScheduleRowEdit, WhichCellsOpenAnEditor) {
  const ScheduleRow daily = Row(kDaily, "", "", kBlocked, "");
  const ScheduleRow weekly = Row(kWeekly, "Понедельник", "Пятница", kInterval, "00:30:00");
  const ScheduleRow weeklyBoth = Row(kWeekly, "", "", kBoth, "");
  const struct {
    const char* name;
    const ScheduleRow& row;
    size_t column;
    bool editable;
  } cases[] = {
      {"type", daily, rowcol::kType, true},
      {"weekday of a daily row", daily, rowcol::kStartWeekday, false},
      {"end weekday of a daily row", daily, rowcol::kEndWeekday, false},
      {"weekday of a weekly row", weekly, rowcol::kEndWeekday, true},
      {"time", daily, rowcol::kEndTime, true},
      {"mode", daily, rowcol::kMode, true},
      {"interval when blocked", daily, rowcol::kInterval, false},
      {"interval at an interval", weekly, rowcol::kInterval, true},
      {"interval of the other interval mode", weeklyBoth, rowcol::kInterval, true},
      {"comment", weekly, rowcol::kComment, false},
  };
  for (const auto& c : cases) EXPECT_EQ(CanEditRowCell(c.row, c.column), c.editable) << c.name;
}

TEST(ScheduleRowEdit, EndingAnEdit) {
  const struct {
    const char* name;
    ScheduleRow row;
    size_t column;
    const char* text;
    RowEdit result;
    std::vector<std::string> cells;  // type .. comment afterwards
  } cases[] = {
      {"daily empties both weekdays", Row(kWeekly, "Понедельник", "Пятница", kBlocked, ""), rowcol::kType, kDaily,
       RowEdit::Applied, {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"weekly keeps the row", Row(kDaily, "", "", kBlocked, ""), rowcol::kType, kWeekly, RowEdit::Applied,
       {kWeekly, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"empty type removes the row", Row(kDaily, "", "", kBlocked, ""), rowcol::kType, "  ", RowEdit::RemoveRow,
       {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"weekday on a weekly row", Row(kWeekly, "Понедельник", "Пятница", kBlocked, ""), rowcol::kEndWeekday,
       " Суббота ", RowEdit::Applied, {kWeekly, "Понедельник", "08:00:00", "Суббота", "17:00:00", kBlocked, "", ""}},
      // Stale weekdays of a daily row go too.
      {"weekday on a daily row", Row(kDaily, "Понедельник", "Пятница", kBlocked, ""), rowcol::kStartWeekday,
       "Среда", RowEdit::Dropped, {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"interval when blocked", Row(kDaily, "", "", kBlocked, ""), rowcol::kInterval, "00:10:00", RowEdit::Dropped,
       {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"interval at an interval", Row(kDaily, "", "", kBoth, "00:30:00"), rowcol::kInterval, "01:00:00",
       RowEdit::Applied, {kDaily, "", "08:00:00", "", "17:00:00", kBoth, "01:00:00", ""}},
      {"blocked empties the interval", Row(kDaily, "", "", kInterval, "00:30:00"), rowcol::kMode, kBlocked,
       RowEdit::Applied, {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
      {"interval mode keeps the interval", Row(kDaily, "", "", kInterval, "00:30:00"), rowcol::kMode, kBoth,
       RowEdit::Applied, {kDaily, "", "08:00:00", "", "17:00:00", kBoth, "00:30:00", ""}},
      {"time trimmed", Row(kDaily, "", "", kBlocked, ""), rowcol::kStartTime, " 09:15:00 ", RowEdit::Applied,
       {kDaily, "", "09:15:00", "", "17:00:00", kBlocked, "", ""}},
      {"comment never taken", Row(kDaily, "", "", kBlocked, ""), rowcol::kComment, "note", RowEdit::Dropped,
       {kDaily, "", "08:00:00", "", "17:00:00", kBlocked, "", ""}},
  };
  for (const auto& c : cases) {
    ScheduleRow row = c.row;
    EXPECT_EQ(ApplyRowEdit(row, c.column, text::Cp(c.text)), c.result) << c.name;
    EXPECT_EQ(Cells(row), c.cells) << c.name;
  }
}

// The frames the edited rows make, as the schedule goes to the server.
TEST(ScheduleRowEdit, EditedRowsMakeFrames) {
  CTempModeFrame weekly;
  weekly.mode = callmode::kInterval;
  weekly.interval = 1800;
  weekly.from = {0, 0, 8, 1, kAny, kAny, kAny};
  weekly.to = {0, 0, 17, 5, kAny, kAny, kAny};

  ScheduleRow daily = FrameToRow(weekly);
  ASSERT_EQ(ApplyRowEdit(daily, rowcol::kType, DailyTypeText()), RowEdit::Applied);
  const CTempModeFrame dailyFrame = RowToFrame(daily);
  EXPECT_EQ(dailyFrame.from, (CTempModePoint{0, 0, 8, kAny, kAny, kAny, kAny}));
  EXPECT_EQ(dailyFrame.to, (CTempModePoint{0, 0, 17, kAny, kAny, kAny, kAny}));
  EXPECT_EQ(dailyFrame.interval, 1800u);

  ScheduleRow blocked = FrameToRow(weekly);
  ASSERT_EQ(ApplyRowEdit(blocked, rowcol::kMode, RowModeName(callmode::kBlocked)), RowEdit::Applied);
  const CTempModeFrame blockedFrame = RowToFrame(blocked);
  EXPECT_EQ(blockedFrame.mode, callmode::kBlocked);
  EXPECT_EQ(blockedFrame.interval, 0u);
  EXPECT_EQ(blockedFrame.from.weekday, 1);
}

}  // namespace
}  // namespace model::test
