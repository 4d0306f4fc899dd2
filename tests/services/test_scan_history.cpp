// The session history of disks and folders: one sample per recorded poll,
// oldest first, bounded by a count and by an age, the oldest dropped.

#include <gtest/gtest.h>

#include <cstring>

#include "services/ScanHistory.h"

namespace {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;
using Clock = std::chrono::system_clock;

const Clock::time_point kStart = Clock::time_point(seconds(1'700'000'000));

core::CSI_disk Disk(const char* name, uint64_t freeMb, bool unavailable = false) {
  core::CSI_disk disk;
  std::memcpy(disk.record.data(), name, std::strlen(name));
  disk.freeMb = freeMb;
  disk.totalMb = 1000;
  disk.dangerLimitMb = 200;
  disk.criticalLimitMb = 50;
  disk.unavailable = unavailable;
  return disk;
}

core::CSI_folder Folder(const char* name, int32_t files) {
  core::CSI_folder folder;
  folder.firstText = name;
  folder.secondText = "C:\\X";
  folder.fileCount = files;
  return folder;
}

std::vector<uint64_t> Values(const services::HistorySeries& series) {
  std::vector<uint64_t> values;
  for (const auto& sample : series.samples) values.push_back(sample.value);
  return values;
}

TEST(ScanHistory, KeepsOneSamplePerPollPerObjectInOrder) {
  services::ScanHistory history;
  history.Record("SRV1", kStart, {Disk("C:", 500), Disk("D:", 90)}, {Folder("BAD", 3)});
  history.Record("SRV2", kStart, {Disk("C:", 7)}, {});
  history.Record("SRV1", kStart + seconds(10), {Disk("C:", 480), Disk("D:", 80)}, {Folder("BAD", 0)});

  EXPECT_EQ(Values(history.Disk("SRV1", "C:")), (std::vector<uint64_t>{500, 480}));
  EXPECT_EQ(Values(history.Disk("SRV1", "D:")), (std::vector<uint64_t>{90, 80}));
  EXPECT_EQ(Values(history.Disk("SRV2", "C:")), (std::vector<uint64_t>{7}));
  EXPECT_EQ(Values(history.Folder("SRV1", "BAD")), (std::vector<uint64_t>{3, 0}));
  EXPECT_EQ(history.Disk("SRV1", "C:").samples.back().at, kStart + seconds(10));
  EXPECT_EQ(history.Disk("SRV1", "C:").dangerLimit, 200u);
  EXPECT_EQ(history.Disk("SRV1", "C:").criticalLimit, 50u);
  EXPECT_TRUE(history.Disk("SRV3", "C:").samples.empty());
  // A disk name is not a folder name.
  EXPECT_TRUE(history.Folder("SRV1", "C:").samples.empty());
}

TEST(ScanHistory, UnavailableDiskAddsNoSample) {
  services::ScanHistory history;
  history.Record("SRV1", kStart, {Disk("C:", 500)}, {});
  history.Record("SRV1", kStart + seconds(10), {Disk("C:", 0, true)}, {});
  EXPECT_EQ(Values(history.Disk("SRV1", "C:")), (std::vector<uint64_t>{500}));
}

TEST(ScanHistory, BoundedByCountAndAgeDroppingTheOldest) {
  struct Case {
    const char* what;
    size_t maxSamples;
    Clock::duration maxAge;
    Clock::duration step;
    int polls;
    std::vector<uint64_t> kept;
  };
  const Case cases[] = {
      {"under both bounds", 10, hours(24), seconds(10), 4, {0, 1, 2, 3}},
      {"count bound", 3, hours(24), seconds(10), 6, {3, 4, 5}},
      {"age bound", 100, minutes(1), seconds(20), 6, {2, 3, 4, 5}},
      {"count of one", 1, hours(24), seconds(10), 3, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    services::ScanHistory history(c.maxSamples, c.maxAge);
    for (int i = 0; i < c.polls; ++i)
      history.Record("SRV1", kStart + c.step * i, {Disk("C:", static_cast<uint64_t>(i))},
                     {Folder("BAD", i)});
    EXPECT_EQ(Values(history.Disk("SRV1", "C:")), c.kept);
    EXPECT_EQ(Values(history.Folder("SRV1", "BAD")), c.kept);
  }
}

TEST(ScanHistory, NarrowerBoundsTrimAtOnce) {
  services::ScanHistory history;
  for (int i = 0; i < 5; ++i) history.Record("SRV1", kStart + seconds(i), {Disk("C:", i)}, {});
  history.SetBounds(2, hours(24));
  EXPECT_EQ(Values(history.Disk("SRV1", "C:")), (std::vector<uint64_t>{3, 4}));
}

TEST(ScanHistory, ClockSetBackKeepsTheOrder) {
  services::ScanHistory history(10, minutes(1));
  history.Record("SRV1", kStart, {Disk("C:", 1)}, {});
  history.Record("SRV1", kStart - hours(2), {Disk("C:", 2)}, {});
  const auto series = history.Disk("SRV1", "C:");
  // The earlier sample is not taken for two hours older than the new one.
  ASSERT_EQ(Values(series), (std::vector<uint64_t>{1, 2}));
  EXPECT_LE(series.samples[0].at, series.samples[1].at);
}

}  // namespace
