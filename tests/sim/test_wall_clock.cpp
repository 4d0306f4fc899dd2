// Time stamps leave the simulator as a node sends them: local wall-clock
// seconds (the local date and time counted as if they were UTC), in whatever
// zone the simulator runs, for fixtures and control commands alike.
#include <gtest/gtest.h>

#include "SimHarness.h"
#include "sim/lib/ControlCommands.h"
#include "sim/lib/FaultPlan.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/WallClock.h"

namespace {

struct ZoneCase {
  const char* zone;
  std::time_t now;      // UTC
  int64_t offsetHours;  // of that zone at that moment, daylight bias included
};
void PrintTo(const ZoneCase& c, std::ostream* os) { *os << c.zone << " at " << c.now; }

class WallClockStamps : public testing::TestWithParam<ZoneCase> {};

TEST_P(WallClockStamps, FollowTheLocalZone) {
  const ZoneCase& c = GetParam();
  const simtest::ScopedTimeZone zone(c.zone);
  const int64_t stamp = static_cast<int64_t>(c.now) + c.offsetHours * 3600;
  EXPECT_EQ(sim::LocalWallClockSeconds(c.now), stamp);

  const sim::Node loaded = sim::LoadFixtureText(
      "[DIR RELAY]\nLAST_CONNECTION=now-600\nAGES=now,1000,0,0,now+5\n", "test", c.now);
  const auto& counters = loaded.directory.at(0).counters;
  EXPECT_EQ(counters[sim::counter::kLastConnection], static_cast<uint32_t>(stamp - 600));
  EXPECT_EQ(counters[sim::counter::kFirstAge], static_cast<uint32_t>(stamp));
  EXPECT_EQ(counters[sim::counter::kFirstAge + 1], 1000u) << "a number is sent as written";
  EXPECT_EQ(counters[sim::counter::kFirstAge + 4], static_cast<uint32_t>(stamp + 5));

  sim::SimNode node(loaded);
  sim::FaultPlan faults;
  ASSERT_EQ(sim::RunControlCommand("counters RELAY 0 0 0 0 0 now-60 now 7 0 0 0", faults, node, c.now), "ok");
  const auto& changed = node.FindEntry("RELAY")->counters;
  EXPECT_EQ(changed[sim::counter::kLastConnection], static_cast<uint32_t>(stamp - 60));
  EXPECT_EQ(changed[sim::counter::kFirstAge], static_cast<uint32_t>(stamp));
  EXPECT_EQ(changed[sim::counter::kFirstAge + 1], 7u);
}

// 1765000000 is 2025-12-06 05:46:40 UTC (winter in the north);
// 1751328000 is 2025-07-01 00:00:00 UTC (summer time in Los Angeles).
INSTANTIATE_TEST_SUITE_P(Zones, WallClockStamps,
                         testing::Values(ZoneCase{"UTC", 1765000000, 0}, ZoneCase{"Asia/Tokyo", 1765000000, 9},
                                         ZoneCase{"America/Los_Angeles", 1765000000, -8},
                                         ZoneCase{"America/Los_Angeles", 1751328000, -7},
                                         ZoneCase{"Europe/Moscow", 1751328000, 3}));

}  // namespace
