// Loading a node's directory for the directions views, against the node
// simulator: the names listed and upper-cased, every entry read, the steps
// of the progress, the failures reported under the operation's name, and a
// load stopped by its window.

#include <gtest/gtest.h>

#include <algorithm>

#include "apply/ApplyHarness.h"
#include "services/DirectoryLoad.h"
#include "text/Cp1251.h"

namespace {

using applytest::ApplyHarness;
using services::DirectoryLoadOutcome;

std::vector<std::string> Names(const services::DirectoryLoad& load) {
  std::vector<std::string> names;
  for (const auto& entry : load.entries) names.push_back(entry.mailboxName);
  return names;
}

TEST(DirectoryLoad, ListedNamesAreTrimmedAndUpperCasedAndBlankOnesLeftOut) {
  const struct {
    const char* listed;
    const char* name;
  } cases[] = {{"box1", "BOX1"}, {" \tRELAY1\r\n", "RELAY1"}, {"  \r\n\t", ""}, {"Ivanov", "IVANOV"}};
  for (const auto& c : cases) EXPECT_EQ(services::DirectoryEntryName(c.listed), c.name) << c.listed;
}

TEST(DirectoryLoad, EveryEntryIsReadAndTheProgressTakesTwoStepsAnEntryPlusOne) {
  ApplyHarness harness;
  std::vector<std::pair<size_t, size_t>> steps;
  const services::DirectoryLoad load =
      services::LoadDirectory(*harness.console, "NODE", &harness.dialogs, [&](size_t step, size_t total) {
        steps.emplace_back(step, total);
        return true;
      });
  ASSERT_EQ(load.outcome, DirectoryLoadOutcome::kLoaded);
  const std::vector<std::string> names = Names(load);
  EXPECT_NE(std::find(names.begin(), names.end(), "RELAY1"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "IVANOV"), names.end());
  ASSERT_FALSE(steps.empty());
  const size_t count = names.size();
  EXPECT_EQ(steps.back(), std::make_pair(2 * count, 2 * count + 1));
  EXPECT_EQ(steps.size(), 2 * count);
  for (const auto& entry : load.entries) {
    EXPECT_TRUE(entry.IsLoaded());
    EXPECT_EQ(entry.lastRefreshFailed, 0) << entry.mailboxName;
  }
  const auto relay = std::find_if(load.entries.begin(), load.entries.end(),
                                  [](const model::_VxItemBase& e) { return e.mailboxName == "RELAY1"; });
  ASSERT_NE(relay, load.entries.end());
  EXPECT_EQ(relay->priority, 2u);
  EXPECT_EQ(relay->callAtInterval, 1);
  EXPECT_TRUE(harness.dialogs.shown.empty());
  EXPECT_FALSE(harness.console->ScanRunning());
}

TEST(DirectoryLoad, AFailedListingIsReportedUnderItsOperation) {
  const struct {
    const char* fault;
    const char* operation;
  } cases[] = {
      {"answer QMX_DirGetCount 0 status=1 rpcerr=5", "QMX_DirGetCount"},
      {"answer QMX_DirGetAt 0 status=1 rpcerr=6", "QMX_DirGetAt"},
  };
  for (const auto& c : cases) {
    ApplyHarness harness;
    harness.Command(c.fault);
    const services::DirectoryLoad load = services::LoadDirectory(*harness.console, "NODE", &harness.dialogs, {});
    EXPECT_EQ(load.outcome, DirectoryLoadOutcome::kListFailed) << c.fault;
    EXPECT_TRUE(load.entries.empty());
    ASSERT_EQ(harness.dialogs.shown.size(), 1u) << c.fault;
    EXPECT_NE(harness.dialogs.shown[0].find(text::Cp("Менеджер очереди: ") + c.operation),
              std::string::npos)
        << applytest::Utf8(harness.dialogs.shown[0]);
    EXPECT_FALSE(harness.console->ScanRunning());
  }
}

TEST(DirectoryLoad, AWindowThatGoesAwayStopsTheLoadQuietly) {
  ApplyHarness harness;
  const size_t mark = harness.Mark();
  const services::DirectoryLoad load = services::LoadDirectory(
      *harness.console, "NODE", &harness.dialogs, [](size_t step, size_t) { return step < 1; });
  EXPECT_EQ(load.outcome, DirectoryLoadOutcome::kStopped);
  EXPECT_TRUE(harness.dialogs.shown.empty());
  // Nothing was read after the stop: one count and two listed names.
  size_t reads = 0;
  for (const auto& line : harness.RequestsSince(mark)) reads += line.find("QMX_DirGetAttrs") != std::string::npos;
  EXPECT_EQ(reads, 0u);
}

TEST(DirectoryLoad, RefusedWhileADataScanRuns) {
  ApplyHarness harness;
  harness.console->SetDataScan(true);
  const size_t mark = harness.Mark();
  const services::DirectoryLoad load = services::LoadDirectory(*harness.console, "NODE", &harness.dialogs, {});
  harness.console->SetDataScan(false);
  EXPECT_EQ(load.outcome, DirectoryLoadOutcome::kBusy);
  EXPECT_TRUE(harness.RequestsSince(mark).empty());
  ASSERT_EQ(harness.dialogs.shown.size(), 1u);
  EXPECT_EQ(harness.dialogs.shown[0], "box:" + text::Cp("Сообщение") + ":" + services::DirectoryBusyText());
}

}  // namespace
