// The members view's texts and threshold bars, from a watched entry and its
// group's limits.

#include <gtest/gtest.h>

#include "model/item/VxItem.h"
#include "services/FavoriteMemberRows.h"
#include "text/Cp1251.h"

namespace {

using text::Cp;
namespace col = services::member_column;
namespace counter = model::counter;

constexpr int64_t kNow = 1'700'000'000;  // local wall-clock seconds

model::_VxItem Entry() {
  model::_VxItem item;
  item.mailboxName = "RELAY1";
  item.mailServerName = "NODE";
  item.kindOnServer = 0;
  item.priority = 7;
  item.active = 0;
  item.callAtInterval = 1;
  item.noCallOnArrival = 0;
  item.linkParameters = "TCP\r\nMODEM";
  item.passwordSet = 1;
  item.forcedConnection = 0;
  item.stateWord = 2;
  item.alertText = Cp("Превышение количества файлов в очереди - Отчеты");
  item.parameters.push_back({"#COMMENT", Cp("главный канал")});
  item.queueCounters[counter::kAbsoluteFiles] = 1;
  item.queueCounters[counter::kHighFiles] = 2;
  item.queueCounters[counter::kNormalFiles] = 3;
  item.queueCounters[counter::kLowFiles] = 4;
  item.queueCounters[counter::kReportFiles] = 90;
  item.queueCounters[counter::kLastLinkSetup] = static_cast<uint32_t>(kNow - 3725);
  item.queueCounters[counter::kReportAge] = static_cast<uint32_t>(kNow - 90061);
  item.queueCounters[counter::kLowAge] = static_cast<uint32_t>(kNow + 60);  // the server's clock is ahead
  return item;
}

TEST(FavoriteMemberRows, EveryColumnOfOneEntry) {
  ASSERT_EQ(services::MemberColumnTitles().size(), static_cast<size_t>(col::kCount));
  const auto row = services::MemberRowTexts(Entry(), kNow);
  ASSERT_EQ(row.size(), static_cast<size_t>(col::kCount));
  const struct {
    int column;
    std::string text;
  } expected[] = {
      {col::kImage, ""},
      {col::kType, Cp("Направление")},
      {col::kName, "RELAY1"},
      {col::kPriority, "7"},
      {col::kLinkParameters, "TCP  MODEM"},
      {col::kBlocked, Cp("Да")},
      {col::kCallAtInterval, Cp("Да")},
      {col::kCallOnArrival, Cp("Да")},
      {col::kAbsoluteFiles, "    1"},
      {col::kReportFiles, "   90"},
      {col::kTotalFiles, "  100"},
      {col::kLastLinkTime, "2023/11/14   21:11:15"},
      {col::kLastLinkInterval, Cp("1 час. 2 мин. 5 сек.")},
      {col::kPasswordSet, Cp("Да")},
      {col::kComment, Cp("главный канал")},
      {col::kNode, "NODE"},
      {col::kAbsoluteOldestTime, " --- "},
      {col::kAbsoluteOldestInterval, " --- "},
      {col::kReportOldestInterval, Cp("1 дн. 1 час. 1 мин. 1 сек.")},
      {col::kLowOldestTime, "2023/11/14   22:14:20"},
      {col::kLowOldestInterval, " --- "},
      {col::kLinkState, Cp("Обмен")},
      {col::kErrors, Cp("Превышение количества файлов в очереди - Отчеты")},
      {col::kForcedConnection, Cp("Нет")},
  };
  for (const auto& e : expected) EXPECT_EQ(row[static_cast<size_t>(e.column)], e.text) << "column " << e.column;
}

TEST(FavoriteMemberRows, IntervalsShowOnlyFromTheLargestNonZeroUnit) {
  const struct {
    uint64_t seconds;
    const char* text;
  } cases[] = {
      {0, ""},
      {59, "59 сек."},
      {60, "1 мин. 0 сек."},
      {3600, "1 час. 0 мин. 0 сек."},
      {86400 + 5, "1 дн. 0 час. 0 мин. 5 сек."},
  };
  for (const auto& c : cases) EXPECT_EQ(services::IntervalText(c.seconds), Cp(c.text)) << c.seconds;
}

TEST(FavoriteMemberRows, LinkStatesOutsideTheKnownSixAreEmpty) {
  EXPECT_EQ(services::LinkStateText(0), Cp("Абонент не выходит на связь"));
  EXPECT_EQ(services::LinkStateText(5), Cp("Ошибка установки соединения"));
  EXPECT_EQ(services::LinkStateText(6), "");
  EXPECT_EQ(services::LinkStateText(-1), "");
}

TEST(FavoriteMemberRows, AbonentsAndUnresolvedMembers) {
  model::_VxItem abonent = Entry();
  abonent.kindOnServer = 1;
  EXPECT_EQ(services::MemberRowTexts(abonent, kNow)[col::kType], Cp("Абонент"));
  const auto row = services::UnresolvedMemberRowTexts("OTHER", "GONE");
  EXPECT_EQ(row[col::kName], "GONE");
  EXPECT_EQ(row[col::kNode], "OTHER");
  EXPECT_EQ(row[col::kType], "");
}

TEST(FavoriteMemberRows, CounterColumnsCarryTheirGroupLimits) {
  core::GroupRecord group = core::GroupRecord::ReaderDefaults();
  group.dangerous[core::GroupRecord::kReports] = 40;
  group.critical[core::GroupRecord::kReports] = 80;
  const model::_VxItem item = Entry();
  const auto reports = services::CounterOfColumn(col::kReportFiles, item, group);
  ASSERT_TRUE(reports);
  EXPECT_EQ(reports->value, 90u);
  EXPECT_EQ(reports->dangerous, 40u);
  EXPECT_EQ(reports->critical, 80u);
  const auto total = services::CounterOfColumn(col::kTotalFiles, item, group);
  ASSERT_TRUE(total);
  EXPECT_EQ(total->value, 100u);
  EXPECT_EQ(total->critical, group.totalCritical);
  const auto normal = services::CounterOfColumn(col::kNormalFiles, item, group);
  ASSERT_TRUE(normal);
  EXPECT_EQ(normal->value, 3u);
  EXPECT_FALSE(services::CounterOfColumn(col::kName, item, group));
  EXPECT_FALSE(services::CounterOfColumn(col::kLastLinkTime, item, group));
}

TEST(FavoriteMemberRows, ThresholdBars) {
  struct Case {
    services::CounterLimits counter;
    int cellWidth;
    bool bar;
    int width, mark;
    uint32_t percent;
    bool withText;
  };
  const Case cases[] = {
      {{50, 50, 100}, 100, true, 50, 50, 50, true},
      {{150, 50, 100}, 100, true, 100, 50, 150, true},  // past the critical count: the whole cell
      {{25, 50, 100}, 30, true, 7, 15, 25, false},      // too narrow for the text
      {{25, 50, 100}, 19, false, 0, 0, 0, false},       // too narrow for a bar
      {{0, 50, 100}, 100, false, 0, 0, 0, false},
      {{25, 0, 100}, 100, false, 0, 0, 0, false},
      {{25, 50, 0}, 100, false, 0, 0, 0, false},
      {{25, 100, 50}, 100, false, 0, 0, 0, false},  // critical below dangerous
  };
  for (const Case& c : cases) {
    const auto bar = services::BarFor(c.counter, c.cellWidth);
    ASSERT_EQ(bar.has_value(), c.bar) << c.counter.value << " in " << c.cellWidth;
    if (!bar) continue;
    EXPECT_EQ(bar->width, c.width);
    EXPECT_EQ(bar->dangerMark, c.mark);
    EXPECT_EQ(bar->percent, c.percent);
    EXPECT_EQ(bar->withText, c.withText);
  }
}

}  // namespace
