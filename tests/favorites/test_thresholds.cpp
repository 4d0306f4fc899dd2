#include <gtest/gtest.h>

#include "model/favorites/ThresholdCheck.h"
#include "model/item/VxItem.h"
#include "text/Cp1251.h"

namespace model::test {
namespace {

constexpr int64_t kNow = 1'700'000'000;

core::GroupRecord Limits() {
  core::GroupRecord limits = core::GroupRecord::ReaderDefaults();
  limits.agentIdleLimit = 600;
  return limits;
}

struct StampCase {
  const char* label;
  size_t slot;
  int64_t secondsAgo;  // negative: in the future
  const char* text;    // empty: no overrun
  bool alarm;
};

class StampThresholdTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(StampThresholdTest, OverrunFromLimitSecondsAgoOnly) {
  const StampCase& c = GetParam();
  _VxItem item;
  item.queueCounters[c.slot] = static_cast<uint32_t>(kNow - c.secondsAgo);
  CheckThresholds(item, Limits(), kNow);
  EXPECT_EQ(item.alertText, text::Cp(c.text));
  EXPECT_EQ(item.alertCount, *c.text ? 1 : 0);
  EXPECT_EQ(item.alertSevere, c.alarm ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, StampThresholdTest,
    ::testing::Values(
        StampCase{"NormalExactlyAtLimit", counter::kNormalAge, 3600,
                  "Превышение интервала простоя сообщения в очереди - Нормальный приоритет", true},
        StampCase{"NormalOneSecondShort", counter::kNormalAge, 3599, "", false},
        StampCase{"NormalInTheFuture", counter::kNormalAge, -5000, "", false},
        StampCase{"NormalNow", counter::kNormalAge, 0, "", false},
        StampCase{"AbsoluteNoAlarm", counter::kAbsoluteAge, 4000,
                  "Превышение интервала простоя сообщения в очереди - Абсолютный приоритет", false},
        StampCase{"HighNoAlarm", counter::kHighAge, 4000,
                  "Превышение интервала простоя сообщения в очереди - Высокий приоритет", false},
        StampCase{"LowAlarm", counter::kLowAge, 4000,
                  "Превышение интервала простоя сообщения в очереди - Низкий приоритет", true},
        StampCase{"ReportsAlarm", counter::kReportAge, 4000,
                  "Превышение интервала простоя сообщения в очереди - Отчеты", true},
        StampCase{"LinkExactlyAtLimit", counter::kLastLinkSetup, 600,
                  "Превышен временной интервал установки канала связи АПФ", true},
        StampCase{"LinkShort", counter::kLastLinkSetup, 599, "", false},
        StampCase{"LinkInTheFuture", counter::kLastLinkSetup, -1, "", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ThresholdCheckTest, QueueLengthsAtCriticalCountAndTotalFirst) {
  _VxItem item;
  item.queueCounters[counter::kAbsoluteFiles] = 75;  // at the limit
  item.queueCounters[counter::kHighFiles] = 74;      // below
  item.queueCounters[counter::kReportFiles] = 80;
  CheckThresholds(item, Limits(), kNow);  // total 229 >= 120
  EXPECT_EQ(item.alertText, text::Cp("Превышение количества файлов в очереди - Общее количество файлов\n"
                                     "Превышение количества файлов в очереди - Абсолютный приоритет\n"
                                     "Превышение количества файлов в очереди - Отчеты"));
  EXPECT_EQ(item.alertCount, 3);
  EXPECT_EQ(item.alertSevere, 1);
}

TEST(ThresholdCheckTest, OrderIsWaitingTimesThenLengthsThenLinkAndOldResultsAreCleared) {
  _VxItem item;
  item.alertText = "stale";
  item.alertCount = 9;
  item.queueCounters[counter::kLastLinkSetup] = static_cast<uint32_t>(kNow - 700);
  item.queueCounters[counter::kLowFiles] = 75;
  item.queueCounters[counter::kHighAge] = static_cast<uint32_t>(kNow - 3600);
  CheckThresholds(item, Limits(), kNow);
  EXPECT_EQ(item.alertText, text::Cp("Превышение интервала простоя сообщения в очереди - Высокий приоритет\n"
                                     "Превышение количества файлов в очереди - Низкий приоритет\n"
                                     "Превышен временной интервал установки канала связи АПФ"));
  EXPECT_EQ(item.alertCount, 3);
}

TEST(ThresholdCheckTest, AllThresholdsZeroNeverAlarm) {
  core::GroupRecord limits = Limits();
  limits.SetNumbers({});
  _VxItem item;
  item.queueCounters.fill(1);  // old stamps and queued files everywhere
  item.queueCounters[counter::kNormalFiles] = 100000;
  CheckThresholds(item, limits, kNow);
  EXPECT_EQ(item.alertText, "");
  EXPECT_EQ(item.alertCount, 0);
  EXPECT_EQ(item.alertSevere, 0);
}

}  // namespace
}  // namespace model::test
