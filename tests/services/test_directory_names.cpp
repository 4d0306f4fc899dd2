// The shortcut list's names against the node simulator running the demo node:
// the kinds told by the Router's abonent records, the blocked entries, one
// progress step a name, nothing read in full, and the failures reported under
// the operation's name.

#include <gtest/gtest.h>

#include <algorithm>

#include "apply/ApplyHarness.h"
#include "services/DirectoryLoad.h"
#include "services/DirectoryNames.h"
#include "sim/lib/DemoFixture.h"
#include "text/Cp1251.h"

namespace {

using applytest::ApplyHarness;
using services::DirectoryNamesOutcome;

std::string DemoSectionsUtf8() { return applytest::Utf8(sim::DemoFixtureText()); }

size_t CountOf(const std::vector<std::string>& operations, const std::string& name) {
  return static_cast<size_t>(std::count(operations.begin(), operations.end(), name));
}

TEST(DirectoryNames, TheDemoNodeIsListedWithItsKindsAndBlockedEntriesAndNothingReadInFull) {
  ApplyHarness harness(DemoSectionsUtf8());
  std::vector<std::pair<size_t, size_t>> steps;
  const services::DirectoryNames names =
      services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, [&](size_t step, size_t total) {
        steps.emplace_back(step, total);
        return true;
      });
  ASSERT_EQ(names.outcome, DirectoryNamesOutcome::kLoaded);
  const struct {
    const char* name;
    bool abonent;
    bool active;
  } expected[] = {
      {"SPB-NODE", false, true}, {"NSK-NODE", false, true}, {"KALUGA", false, false}, {"ARCHIVE", false, true},
      {"SYSOP", true, true},     {"IVANOV", true, true},    {"PETROVA", true, true},  {"BUH", true, true},
  };
  ASSERT_EQ(names.entries.size(), std::size(expected));
  for (size_t i = 0; i < names.entries.size(); ++i) {
    EXPECT_EQ(names.entries[i].name, expected[i].name);
    EXPECT_EQ(names.entries[i].abonent, expected[i].abonent) << expected[i].name;
    EXPECT_EQ(names.entries[i].active, expected[i].active) << expected[i].name;
  }
  // One step a name, of count + 1.
  const size_t count = names.entries.size();
  ASSERT_EQ(steps.size(), count);
  for (size_t i = 0; i < count; ++i) EXPECT_EQ(steps[i], std::make_pair(i + 1, count + 1));

  const std::vector<std::string> operations = harness.Operations();
  EXPECT_EQ(CountOf(operations, "GetAbonentInfo"), 1u);
  EXPECT_EQ(CountOf(operations, "QMX_DirGetCount"), 1u);
  EXPECT_EQ(CountOf(operations, "QMX_DirGetAt"), count);
  for (const char* read : {"QMX_DirGetAttrs", "QMX_DirGetQueueCounters", "QMX_DirGetOption", "QMX_DirGetApfList",
                           "QMX_DirGetTimingsArray", "QMX_VtQmx_ExecuteQuery", "GetRoutList"})
    EXPECT_EQ(CountOf(operations, read), 0u) << read;
  EXPECT_TRUE(harness.dialogs.shown.empty());
  EXPECT_FALSE(harness.console->ScanRunning());
}

TEST(DirectoryNames, AbonentRecordsAlreadyCachedAreNotFetchedAgain) {
  ApplyHarness harness(DemoSectionsUtf8());
  ASSERT_EQ(services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, {}).outcome,
            DirectoryNamesOutcome::kLoaded);
  const size_t mark = harness.Mark();
  const services::DirectoryNames again = services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, {});
  ASSERT_EQ(again.outcome, DirectoryNamesOutcome::kLoaded);
  for (const auto& line : harness.RequestsSince(mark)) EXPECT_EQ(line.find("GetAbonentInfo"), std::string::npos);
  EXPECT_TRUE(std::any_of(again.entries.begin(), again.entries.end(), [](const auto& e) { return e.abonent; }));
}

TEST(DirectoryNames, AFailedListingIsReportedUnderItsOperation) {
  const struct {
    const char* fault;
    const char* operation;
  } cases[] = {
      {"answer QMX_DirGetCount 0 status=1 rpcerr=5", "QMX_DirGetCount"},
      {"answer QMX_DirGetAt 0 status=1 rpcerr=6", "QMX_DirGetAt"},
  };
  for (const auto& c : cases) {
    ApplyHarness harness(DemoSectionsUtf8());
    harness.Command(c.fault);
    const services::DirectoryNames names =
        services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, {});
    EXPECT_EQ(names.outcome, DirectoryNamesOutcome::kListFailed) << c.fault;
    EXPECT_TRUE(names.entries.empty());
    ASSERT_EQ(harness.dialogs.shown.size(), 1u) << c.fault;
    EXPECT_NE(harness.dialogs.shown[0].find(text::Cp("Менеджер очереди: ") + c.operation), std::string::npos)
        << applytest::Utf8(harness.dialogs.shown[0]);
    EXPECT_FALSE(harness.console->ScanRunning());
  }
}

// Without the abonent records the names are still listed, all as directions,
// after the Router's failure has been told.
TEST(DirectoryNames, AFailedAbonentFetchIsToldAndTheNamesListedAsDirections) {
  ApplyHarness harness(DemoSectionsUtf8());
  harness.Command("answer GetAbonentInfo -100");
  const services::DirectoryNames names = services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, {});
  ASSERT_EQ(names.outcome, DirectoryNamesOutcome::kLoaded);
  EXPECT_EQ(names.entries.size(), 8u);
  for (const auto& entry : names.entries) EXPECT_FALSE(entry.abonent) << entry.name;
  const std::vector<std::string> shown = harness.dialogs.ShownUtf8();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0].find("МАРШРУТИЗАТОР: GetAbonentInfo"), std::string::npos) << shown[0];
  EXPECT_NE(shown[1].find("Ошибка получения маршрутных таблиц."), std::string::npos) << shown[1];
}

TEST(DirectoryNames, AWindowThatGoesAwayStopsTheListQuietly) {
  ApplyHarness harness(DemoSectionsUtf8());
  const size_t mark = harness.Mark();
  const services::DirectoryNames names = services::LoadDirectoryNames(
      *harness.console, "NODE", &harness.dialogs, [](size_t step, size_t) { return step < 2; });
  EXPECT_EQ(names.outcome, DirectoryNamesOutcome::kStopped);
  EXPECT_TRUE(harness.dialogs.shown.empty());
  size_t listed = 0;
  for (const auto& line : harness.RequestsSince(mark)) listed += line.rfind("QMX_DirGetAt ", 0) == 0;
  EXPECT_EQ(listed, 2u);
  EXPECT_FALSE(harness.console->ScanRunning());
}

TEST(DirectoryNames, RefusedWhileADataScanRuns) {
  ApplyHarness harness(DemoSectionsUtf8());
  harness.console->SetDataScan(true);
  const size_t mark = harness.Mark();
  const services::DirectoryNames names = services::LoadDirectoryNames(*harness.console, "NODE", &harness.dialogs, {});
  harness.console->SetDataScan(false);
  EXPECT_EQ(names.outcome, DirectoryNamesOutcome::kBusy);
  EXPECT_TRUE(harness.RequestsSince(mark).empty());
  ASSERT_EQ(harness.dialogs.shown.size(), 1u);
  EXPECT_EQ(harness.dialogs.shown[0], "box:" + text::Cp("Сообщение") + ":" + services::DirectoryBusyText());
}

}  // namespace
