// The daily/weekly row form of a schedule, both ways, and an unedited grid
// giving the frame list back byte for byte.

#include <gtest/gtest.h>

#include <vector>

#include "ScheduleTestSupport.h"
#include "model/schedule/ScheduleRow.h"

namespace model::test {
namespace {

constexpr const char* kInterval = "Вызов с интервалом";
constexpr const char* kBoth = "Вызов с интервалом или по появлению корреспонденции";

TEST(ScheduleRows, RowToFrame) {
  const struct {
    const char* name;
    ScheduleRow row;
    CTempModeFrame frame;
  } cases[] = {
      {"weekly", Row("Еженедельно", "Понедельник", "08:00:00", "Пятница", "17:00:00", "Заблокировано", ""),
       Frame(1, 0, CTempModePoint{0, 0, 8, 1, -1, -1, -1}, CTempModePoint{0, 0, 17, 5, -1, -1, -1})},
      {"daily with interval", Row("Ежедневно", "", "09:00:00", "", "18:30:00", kInterval, "00:30:00"),
       Frame(3, 1800, Daily(9, 0, 0), Daily(18, 30, 0))},
      {"interval cell above a day", Row("Ежедневно", "", "09:00:00", "", "18:00:00", kInterval, "25:00:00"),
       Frame(3, 86400, Daily(9, 0, 0), Daily(18, 0, 0))},
      {"interval mode 4", Row("Ежедневно", "", "01:02:03", "", "04:05:06", kBoth, "01:01:01"),
       Frame(4, 3661, Daily(1, 2, 3), Daily(4, 5, 6))},
      {"interval only in interval modes", Row("Ежедневно", "", "09:00:00", "", "18:00:00", "Заблокировано", "01:00:00"),
       Frame(1, 0, Daily(9, 0, 0), Daily(18, 0, 0))},
      {"midnight to midnight is never empty", Row("Ежедневно", "", "00:00:00", "", "00:00:00", "Заблокировано", ""),
       Frame(1, 0, Daily(0, 0, 0), Daily(0, 1, 0))},
      {"empty times", Row("Ежедневно", "", "", "", "", "Только по входящим звонкам", ""),
       Frame(2, 0, Daily(0, 0, 0), Daily(0, 1, 0))},
      {"hour 24 stays, 25 is 0", Row("Ежедневно", "", "25:10:00", "", "24:00:00", "Заблокировано", ""),
       Frame(1, 0, Daily(0, 10, 0), Daily(24, 0, 0))},
      {"short and odd times", Row("Ежедневно", "", "7", "", "7.5", "Заблокировано", ""),
       Frame(1, 0, Daily(7, 0, 0), Daily(7, 5, 0))},
      {"daily ignores weekday cells", Row("Ежедневно", "Понедельник", "08:00:00", "Пятница", "17:00:00", "Заблокировано", ""),
       Frame(1, 0, Daily(8, 0, 0), Daily(17, 0, 0))},
      {"unknown weekday", Row("Еженедельно", "Funday", "08:00:00", "Воскресенье", "17:00:00", "Заблокировано", ""),
       Frame(1, 0, Daily(8, 0, 0), Weekly(0, 17, 0, 0))},
      {"unknown mode is mode 0", Row("Ежедневно", "", "08:00:00", "", "17:00:00", "", "01:00:00"),
       Frame(0, 0, Daily(8, 0, 0), Daily(17, 0, 0))},
      {"the misspelt mode 4 is not a row mode",
       Row("Ежедневно", "", "08:00:00", "", "17:00:00", "Вызов с интервалом или по появлению копрреспонденции", "01:00:00"),
       Frame(0, 0, Daily(8, 0, 0), Daily(17, 0, 0))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RowToFrame(c.row), c.frame);
  }
}

TEST(ScheduleRows, FrameToRow) {
  const struct {
    const char* name;
    CTempModeFrame frame;
    std::vector<std::string> cells;
  } cases[] = {
      {"weekly", Frame(1, 0, Weekly(1, 8, 0, 0), Weekly(5, 17, 0, 0)),
       {"Еженедельно", "Понедельник", "08:00:00", "Пятница", "17:00:00", "Заблокировано", "", ""}},
      {"weekly to a point without weekday", Frame(3, 3661, Weekly(6, 8, 0, 0), Daily(17, 0, 0)),
       {"Еженедельно", "Суббота", "08:00:00", "", "17:00:00", kInterval, "01:01:01", ""}},
      {"daily", Frame(4, 1800, Daily(9, 0, 0), Daily(18, 30, 0)),
       {"Ежедневно", "", "09:00:00", "", "18:30:00", kBoth, "00:30:00", ""}},
      {"a day of interval", Frame(3, 86400, Daily(9, 0, 0), Daily(18, 0, 0)),
       {"Ежедневно", "", "09:00:00", "", "18:00:00", kInterval, "24:00:00", ""}},
      {"more than a day of interval", Frame(3, 90000, Daily(9, 0, 0), Daily(18, 0, 0)),
       {"Ежедневно", "", "09:00:00", "", "18:00:00", kInterval, "24:00:00", ""}},
      {"no interval outside interval modes", Frame(0, 600, Daily(9, 0, 0), Daily(18, 0, 0)),
       {"Ежедневно", "", "09:00:00", "", "18:00:00", "Вызов по появлению корреспонденции", "", ""}},
      {"unknown mode", Frame(7, 600, Daily(9, 0, 0), Daily(18, 0, 0)),
       {"Ежедневно", "", "09:00:00", "", "18:00:00", "", "", ""}},
      // Kinds other than daily and weekly show as daily rows; "any" shows as 00.
      {"hourly", Frame(2, 0, CTempModePoint{30, 15, -1, -1, -1, -1, -1}, CTempModePoint{0, 45, -1, -1, -1, -1, -1}),
       {"Ежедневно", "", "00:15:30", "", "00:45:00", "Только по входящим звонкам", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScheduleRow row = FrameToRow(c.frame);
    EXPECT_EQ(Cells(row), c.cells);
    ASSERT_TRUE(row.source.has_value());
    EXPECT_EQ(*row.source, c.frame);
  }
  const auto headings = ScheduleRowHeadings();
  EXPECT_EQ(Utf8(headings[0]), "Тип временного интервала");
  EXPECT_EQ(Utf8(headings[6]), "Интервал времени");
  EXPECT_EQ(Utf8(headings[7]), "Комментарий");
}

TEST(ScheduleRows, AnUneditedGridGivesTheListBackByteForByte) {
  CTempModeFrame reservedWords = Frame(1, 0, Daily(22, 0, 0), Daily(6, 0, 0));
  reservedWords.reserved1 = 5;
  reservedWords.reserved2 = 0xFFFFFFFF;
  const std::vector<CTempModeFrame> frames = {
      Frame(3, 1800, Daily(9, 0, 0), Daily(18, 30, 0)),
      Frame(1, 0, Weekly(5, 17, 0, 0), Weekly(1, 8, 0, 0)),
      reservedWords,
      CTempModeFrame{},                                          // kind 0, all zeros: would become 00:01
      Frame(6, 0, Daily(8, 0, 0), Daily(17, 0, 0)),              // a mode no row can show
      Frame(3, 90000, Daily(8, 0, 0), Daily(17, 0, 0)),          // an interval no row can show
      Frame(0, 0, CTempModePoint{0, 0, 8, -1, 1, -1, -1}, CTempModePoint{0, 0, 8, -1, 2, -1, -1}),  // monthly
      Frame(1, 0, CTempModePoint{0, 0, 0, -1, 1, 0, 124}, CTempModePoint{0, 0, 0, -1, 2, 0, 124}),  // once
      Frame(2, 0, Weekly(9, 1, 2, 3), Daily(99, -5, 70)),        // garbage from the wire
  };
  std::vector<ScheduleRow> rows = FramesToRows(frames);
  EXPECT_EQ(FramesToBinary(RowsToFrames(rows)), FramesToBinary(frames));

  // A comment is not part of the frame.
  rows[4].comment = "note";
  EXPECT_EQ(RowsToFrames(rows)[4], frames[4]);

  // An edited row makes a new frame; the words no row shows go with it.
  rows[2].endTime = "07:00:00";
  const CTempModeFrame edited = RowsToFrames(rows)[2];
  EXPECT_EQ(edited.from, Daily(22, 0, 0));
  EXPECT_EQ(edited.to, Daily(7, 0, 0));
  EXPECT_EQ(edited.reserved1, 5u);
  EXPECT_EQ(edited.reserved2, 0xFFFFFFFFu);
  // Editing it back gives the source again.
  rows[2].endTime = "06:00:00";
  EXPECT_EQ(RowsToFrames(rows)[2], reservedWords);

  // The monthly frame rewritten by an edit becomes a daily one.
  rows[6].mode = text::Cp("Заблокировано");
  EXPECT_EQ(RowsToFrames(rows)[6], Frame(1, 0, Daily(8, 0, 0), Daily(8, 0, 0)));
}

TEST(ScheduleRows, DailyAndWeeklyFramesSurviveTheRowForm) {
  // Frames the row form can express come back equal even without their source.
  const CTempModeFrame frames[] = {
      Frame(3, 1800, Daily(9, 0, 0), Daily(18, 30, 0)),
      Frame(4, 86400, Weekly(1, 8, 0, 0), Weekly(5, 17, 0, 0)),
      Frame(0, 0, Daily(22, 0, 0), Daily(6, 0, 0)),
      Frame(1, 0, Weekly(0, 0, 0, 1), Weekly(6, 23, 59, 59)),
  };
  for (const auto& f : frames) {
    ScheduleRow row = FrameToRow(f);
    row.source.reset();
    EXPECT_EQ(RowToFrame(row), f) << testing::PrintToString(f);
  }
}

}  // namespace
}  // namespace model::test
