// The free-space rule and the alarm texts of scanned disks, on records laid
// out by hand.

#include <gtest/gtest.h>

#include <cstring>

#include "PollHarness.h"
#include "core/poll/DiskReport.h"
#include "text/Strings.h"

namespace {

using polltest::Cp;

std::string Record(const std::string& name, uint64_t total, uint64_t free, uint32_t critical, uint32_t danger,
                   uint16_t unavailable = 0) {
  std::string r(core::kDiskRecordSize, '\0');
  std::memcpy(r.data(), name.data(), std::min<size_t>(name.size(), 64));
  auto put = [&r](size_t at, uint64_t v, size_t width) {
    for (size_t i = 0; i < width; ++i) r[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(64, total, 8);
  put(72, free, 8);
  put(80, critical, 4);
  put(84, 0xFFFFFFFF, 4);  // not read
  put(88, danger, 4);
  put(96, unavailable, 2);
  return r;
}

constexpr uint64_t kMb = 1 << 20;

struct FreeCase {
  uint64_t freeBytes;
  uint32_t danger;
  uint32_t critical;
  uint64_t freeMb;
  bool alarm;
  bool critical_;
};

TEST(DiskRules, FreeMegabytesAndAlarms) {
  const FreeCase cases[] = {
      {0, 0, 0, 0, true, true},
      {kMb - 1, 0, 0, 0, true, true},
      {kMb, 0, 0, 0, true, true},             // exactly 1 MB counts as 0 and alarms with limits 0
      {2 * kMb, 0, 0, 1, false, false},
      {5 * kMb + 10, 4, 0, 4, true, false},   // 5 MB + 10 bytes counts 4: at the danger limit
      {5 * kMb + 10, 3, 0, 4, false, false},
      {5 * kMb + 10, 10, 4, 4, true, true},   // at the critical limit
      {uint64_t{1} << 45, 100, 50, (uint64_t{1} << 25) - 1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.freeBytes);
    const core::CSI_disk disk = core::ReadDiskRecord(Record("C:", 100 * kMb, c.freeBytes, c.critical, c.danger));
    EXPECT_EQ(disk.freeMb, c.freeMb);
    EXPECT_EQ(disk.alarm, c.alarm);
    EXPECT_EQ(disk.critical, c.critical_);
    EXPECT_EQ(disk.icon, c.alarm ? 17 : 1);
    EXPECT_EQ(disk.totalMb, 100u);
  }
}

TEST(DiskRules, AlarmTexts) {
  const std::string head = Cp("12:00:00,Monday,01/June/2026\nСканируемые диски для\nкомпьютера \"SRV1\" :\n");
  const std::string figures = Cp("  диск \"D:\"\n  всего ................. 200 MB \n  свободно .............. 4 MB \n"
                                 "  опасная граница ....... 10 MB \n  критическая граница ... 2 MB \n"
                                 "----------------------------------\n  свободное пространство\n");
  const std::string stamp = "12:00:00,Monday,01/June/2026";

  EXPECT_EQ(core::DiskAlarmText(stamp, "SRV1", core::ReadDiskRecord(Record("D:", 200 * kMb, 5 * kMb + 10, 2, 10))),
            head + figures + Cp("  меньше опасной границы!"));
  EXPECT_EQ(core::DiskAlarmText(stamp, "SRV1", core::ReadDiskRecord(Record("D:", 200 * kMb, 5 * kMb + 10, 4, 10))),
            head + text::ReplaceAll(figures, Cp("... 2 MB"), Cp("... 4 MB")) + Cp("  меньше критической границы!"));
  const core::CSI_disk gone = core::ReadDiskRecord(Record("E:", 0, 0, 0, 0, 1));
  EXPECT_TRUE(gone.alarm && gone.critical && gone.unavailable);
  EXPECT_EQ(core::DiskAlarmText(stamp, "SRV1", gone), head + Cp("   диск \"E:\"\n   не доступен"));
  EXPECT_EQ(core::DiskAlarmText(stamp, "SRV1", core::ReadDiskRecord(Record("C:", 200 * kMb, 100 * kMb, 2, 10))), "");
}

TEST(DiskRules, NameFillsItsWholeField) {
  const std::string name(64, 'N');
  EXPECT_EQ(core::DiskName(core::ReadDiskRecord(Record(name, 0, 0, 0, 0))), name);
}

}  // namespace
