#include <gtest/gtest.h>

#include "core/OperationGate.h"

#include "FavoritesTestSupport.h"
#include "text/Cp1251.h"

namespace model::test {
namespace {

class RecordingViews : public FavoritesViews {
 public:
  bool MembersOpen(const std::string& name) const override { return open.count(name) > 0; }
  void ShowMembers(const _VxGroup& group) override { shown.push_back(group.settings.name); }
  void RefreshGrid() override { ++gridRefreshes; }
  std::set<std::string> open;
  std::vector<std::string> shown;
  int gridRefreshes = 0;
};

class ScanTest : public ::testing::Test, protected FavoritesFixture {
 protected:
  FavoritesEnvironment WithViews() {
    env.views = &views;
    return env;
  }

  // Groups A (period 60: SHARED, ONLYA) and B (period 120: SHARED).
  void TwoGroupsSharingAMember() {
    ASSERT_TRUE(groups.AddReference("A", "NODE1", "SHARED", false));
    ASSERT_TRUE(groups.AddReference("A", "NODE1", "ONLYA", false));
    ASSERT_TRUE(groups.AddReference("B", "NODE1", "SHARED", true));
    groups.GroupAt(0).settings.scanPeriod = 60;
    groups.GroupAt(1).settings.scanPeriod = 120;
  }
  int Fetches(const char* item) { return servers.fetches[{"NODE1", item}]; }
  const _VxItem& Item(const char* name) { return *groups.WatchedItem(_VxItemRef(name, "NODE1")); }

  RecordingViews views;
  FavoriteGroups groups{WithViews()};
};

TEST_F(ScanTest, SharedMemberIsFetchedOncePerCycle) {
  TwoGroupsSharingAMember();
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("SHARED"), 1);
  EXPECT_EQ(Fetches("ONLYA"), 1);
  EXPECT_EQ(progress.rangeMax, 2 * 3 + 1);
  EXPECT_EQ(progress.begun, 1);
  EXPECT_EQ(progress.ended, 1);
  EXPECT_EQ(groups.Groups()[0].lastScanTime, clock.now);
  EXPECT_EQ(groups.Groups()[1].lastScanTime, clock.now);
  EXPECT_EQ(Item("SHARED").lastScanTime, clock.now);

  // Within both periods nothing is due.
  clock.now += 60;
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("SHARED"), 1);
  EXPECT_EQ(progress.begun, 1);

  // Only A is due: its members are fetched again, B is left alone.
  clock.now += 1;
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("SHARED"), 2);
  EXPECT_EQ(Fetches("ONLYA"), 2);
  EXPECT_EQ(groups.Groups()[1].lastScanTime, clock.now - 61);

  // Both due: again one fetch of the shared member.
  clock.now += 61;
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("SHARED"), 3);
}

TEST_F(ScanTest, NothingDueOrAnotherOperationRunningStartsNoScan) {
  groups.AddGroup("Empty");
  groups.ScanFavorites();
  EXPECT_EQ(progress.begun, 0);

  ASSERT_TRUE(groups.AddReference("A", "NODE1", "X", true));
  core::OperationGate gate;
  FavoritesEnvironment gatedEnv = env;
  gatedEnv.gate = &gate;
  FavoriteGroups guarded(gatedEnv);
  ASSERT_TRUE(guarded.AddReference("A", "NODE1", "X", true));
  {
    const auto poll = gate.Enter(core::Operation::Poll);
    guarded.ScanFavorites();
    EXPECT_EQ(Fetches("X"), 0);
  }
  // The scan holds the gate while it fetches, and lets it go after.
  servers.onRefresh = [&gate] { EXPECT_EQ(gate.Holder(), core::Operation::FavoritesScan); };
  guarded.ScanFavorites();
  EXPECT_EQ(Fetches("X"), 1);
  EXPECT_FALSE(gate.Busy());
}

TEST_F(ScanTest, NoNestedScanAndNoGroupEditsWhileScanning) {
  ASSERT_TRUE(groups.AddReference("A", "NODE1", "X", true));
  servers.onRefresh = [this] {
    EXPECT_TRUE(groups.ScanRunning());
    groups.ScanFavorites();
    EXPECT_EQ(groups.AddGroup("New"), -1);
    EXPECT_FALSE(groups.RemoveGroup("A", true));
    EXPECT_FALSE(groups.AddReference("A", "NODE1", "Y", true));
    EXPECT_FALSE(groups.RemoveReference("A", "NODE1", "X", true));
  };
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("X"), 1);
  EXPECT_FALSE(groups.ScanRunning());
  EXPECT_EQ(groups.Groups().size(), 1u);
}

TEST_F(ScanTest, FailedFetchKeepsThePreviousDataForTheChecks) {
  ASSERT_TRUE(groups.AddReference("A", "NODE1", "X", true));
  servers.counters[{"NODE1", "X"}][counter::kNormalFiles] = 80;
  groups.ScanFavorites();
  EXPECT_EQ(Item("X").alertSevere, 1);

  servers.failing.insert({"NODE1", "X"});
  clock.now += 100;
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("X"), 2);
  EXPECT_EQ(Item("X").queueCounters[counter::kNormalFiles], 80u);
  EXPECT_EQ(Item("X").alertSevere, 1);
}

TEST_F(ScanTest, AlarmPlaysStartsAndLogsThePopup) {
  ASSERT_TRUE(groups.AddReference("Ring", "NODE1", "X", true));
  ASSERT_TRUE(groups.AddReference("Quiet", "NODE1", "Y", true));
  auto& ring = groups.GroupAt(0).settings;
  ring.soundFile = "/snd/bell.wav";
  ring.application = "/opt/tools/notify all";
  groups.GroupAt(1).settings.soundFile = "/snd/quiet.wav";
  servers.counters[{"NODE1", "X"}][counter::kLowFiles] = 75;
  views.open.insert("Ring");
  clock.now = 1'700'000'000;  // 22:13:20 on Tuesday 14 November 2023
  views.shown.clear();

  groups.ScanFavorites();
  EXPECT_TRUE(groups.HasAlarm(groups.Groups()[0]));
  EXPECT_FALSE(groups.HasAlarm(groups.Groups()[1]));
  EXPECT_EQ(alerts.calls, (std::vector<std::string>{
                              "stop", "play /snd/bell.wav",
                              "start /opt/tools/notify all | Started from Veltrane32 configuration program : "
                              "22:13:20 - [/opt/tools/notify all]"}));
  EXPECT_EQ(views.shown, (std::vector<std::string>{"Ring"}));
  EXPECT_EQ(views.gridRefreshes, 2);

  const std::string log = messages.Text();
  EXPECT_EQ(messages.Lines().front().substr(0, 3), "\x07" "17");
  EXPECT_NE(log.find("22:13:20,Tuesday,14/November/2023"), std::string::npos) << log;
  EXPECT_NE(log.find(text::Cp("Группа избранных направлений/абонентов")), std::string::npos);
  EXPECT_NE(log.find("  \"Ring\""), std::string::npos);
  EXPECT_NE(log.find(text::Cp("содержит информацию об ошибках.")), std::string::npos);
  EXPECT_EQ(messages.Popup().lifetimeMs, 7000u);
}

TEST_F(ScanTest, RescanFetchesTheGroupAgainAtOnce) {
  ASSERT_TRUE(groups.AddReference("A", "NODE1", "X", true));
  groups.ScanFavorites();
  clock.now += 5;
  groups.ScanFavorites();
  EXPECT_EQ(Fetches("X"), 1);
  groups.Rescan("A");
  EXPECT_EQ(Fetches("X"), 2);
}

}  // namespace
}  // namespace model::test
