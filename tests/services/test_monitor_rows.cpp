// The texts of the disks, folders and replication views.

#include <gtest/gtest.h>

#include <cstring>

#include "services/ConsoleSnapshot.h"
#include "services/MonitorRows.h"
#include "text/Cp1251.h"

namespace {

using text::Cp;
namespace dc = services::disk_column;

core::CSI_disk Disk(uint64_t freeMb, uint64_t totalMb, bool unavailable = false) {
  core::CSI_disk disk;
  std::memcpy(disk.record.data(), "C:", 2);
  disk.freeMb = freeMb;
  disk.totalMb = totalMb;
  disk.dangerLimitMb = 1024;
  disk.criticalLimitMb = 256;
  disk.unavailable = unavailable;
  return disk;
}

TEST(DiskRows, CellsAndUsageBar) {
  struct Case {
    const char* what;
    core::CSI_disk disk;
    const char* freeMb;
    const char* freePercent;
    const char* used;  // UTF-8
    const char* free;
    bool full;
  };
  const Case cases[] = {
      {"partly used", Disk(900, 204800), "   900", "     0 %", "Использовано 203900 MB (99%)", "Свободно 900 MB (1%)",
       false},
      {"free equals total", Disk(500, 500), "   500", "   100 %", "Использовано 0 MB (0%)", "Свободно 500 MB (100%)",
       false},
      {"total 0", Disk(0, 0), "     0", "     0 %", "Использовано 0 MB (100%)", "Свободно 0 MB (0%)", true},
      {"not available", Disk(0, 40960, true), " ??? ", "     0 %", "Использовано 40960 MB (100%)",
       "Свободно 0 MB (0%)", true},
      {"wide numbers keep their digits", Disk(12345678, 23456789), "12345678", "    52 %",
       "Использовано 11111111 MB (47%)", "Свободно 12345678 MB (53%)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto texts = services::DiskRowTexts(c.disk);
    ASSERT_EQ(texts.size(), static_cast<size_t>(dc::kCount));
    EXPECT_EQ(texts[dc::kName], "C:");
    EXPECT_EQ(texts[dc::kFreeMb], c.freeMb);
    EXPECT_EQ(texts[dc::kFreePercent], c.freePercent);
    EXPECT_EQ(texts[dc::kDangerMb], "  1024");
    EXPECT_EQ(texts[dc::kCriticalMb], "   256");
    const services::DiskUsage usage = services::UsageOf(c.disk);
    EXPECT_EQ(services::UsedText(usage), Cp(c.used));
    EXPECT_EQ(services::FreeText(usage), Cp(c.free));
    EXPECT_EQ(usage.usedShare == 1.0, c.full);
    EXPECT_FALSE(usage.freeAboveTotal);
  }
}

TEST(DiskRows, FreeAboveTotalIsMarkedNotWrapped) {
  const services::DiskUsage usage = services::UsageOf(Disk(600, 500));
  EXPECT_TRUE(usage.freeAboveTotal);
  EXPECT_EQ(usage.usedMb, 0u);
  EXPECT_EQ(usage.usedPercent, 0u);
  EXPECT_EQ(services::FreeAboveTotalText(), Cp("Значение \"Свободно\" больше чем значение \"Всего\""));
}

TEST(FolderRows, Cells) {
  core::CSI_folder folder;
  folder.firstText = Cp("Нераспознанные сообщения");
  folder.secondText = "C:\\VELTRANE\\BAD";
  folder.fileCount = 3;
  EXPECT_EQ(services::FolderRowTexts(folder),
            (std::vector<std::string>{"", Cp("Нераспознанные сообщения"), "3", "C:\\VELTRANE\\BAD"}));
  EXPECT_EQ(services::FolderColumnTitles()[2], Cp("Количество файлов"));
}

rpc::ReplicationRecord Record(uint32_t mode, bool inSync, bool busy, const char* partner,
                              std::array<uint32_t, 3> timeouts = {0, 0, 0}) {
  rpc::ReplicationRecord record{};
  auto put = [&](size_t offset, uint32_t v) {
    for (size_t b = 0; b < 4; ++b) record[offset + b] = static_cast<uint8_t>(v >> (8 * b));
  };
  put(0, 1);
  put(8, mode);
  record[12] = inSync ? 1 : 0;
  record[13] = busy ? 1 : 0;
  for (size_t i = 0; i < 3; ++i) put(16 + 4 * i, timeouts[i]);
  std::memcpy(record.data() + 28, partner, std::strlen(partner));
  return record;
}

TEST(ReplicationTexts, StateModeAndAlarm) {
  struct Case {
    const char* what;
    rpc::ReplicationRecord record;
    const char* state;  // UTF-8
    const char* mode;
    bool alarm;
  };
  const Case cases[] = {
      {"primary in sync", Record(1, true, false, "MSK-RESERVE"), "  синхронно  ",
       "ОСНОВНОЙ узел: репликация в \"MSK-RESERVE\"", false},
      {"primary not in sync", Record(1, false, false, "MSK-RESERVE"), "  не синхронно  ",
       "ОСНОВНОЙ узел: репликация в \"MSK-RESERVE\"", true},
      {"synchronising wins over not in sync", Record(1, false, true, "R"), "  синхронизируется  ",
       "ОСНОВНОЙ узел: репликация в \"R\"", true},
      {"backup not in sync is no alarm", Record(2, false, false, "NODE1"), "  не синхронно  ",
       "РЕЗЕРВНЫЙ узел: репликация только при старте из \"NODE1\"", false},
      {"backup synchronising", Record(2, true, true, "NODE1"), "  синхронизируется  ",
       "РЕЗЕРВНЫЙ узел: репликация только при старте из \"NODE1\"", true},
      {"no replication", Record(0, true, false, "X"), "  синхронно  ", "не производить репликацию", false},
      {"unknown mode", Record(7, false, false, "X"), "  не синхронно  ", "не производить репликацию", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const services::ReplicationTexts texts = services::ReplicationTextsOf(c.record);
    EXPECT_EQ(texts.state, Cp(c.state));
    EXPECT_EQ(texts.mode, Cp(c.mode));
    EXPECT_EQ(texts.alarm, c.alarm);
  }
}

TEST(ReplicationTexts, PartnerNameFillingTheRecordStaysInside) {
  rpc::ReplicationRecord record = Record(1, true, false, "");
  std::memset(record.data() + 28, 'N', record.size() - 28);  // no terminating NUL
  const std::string mode = services::ReplicationTextsOf(record).mode;
  EXPECT_EQ(mode, Cp("ОСНОВНОЙ узел: репликация в \"") + std::string(record.size() - 28, 'N') + "\"");
}

TEST(ReplicationTexts, Timeouts) {
  const std::pair<uint32_t, const char*> cases[] = {
      {3661, "01:01:01"}, {0, "не установлен"}, {0xFFFFFFFFu, "не установлен"}, {59, "00:00:59"},
      {360000, "100:00:00"}, {0xFFFFFFFEu, "1193046:28:14"}};
  for (const auto& [seconds, shown] : cases) EXPECT_EQ(services::TimeoutText(seconds), Cp(shown)) << seconds;
  const auto texts = services::ReplicationTextsOf(Record(1, true, false, "R", {300, 0, 3661}));
  EXPECT_EQ(texts.timeouts, (std::array<std::string, 3>{"00:05:00", Cp("не установлен"), "01:01:01"}));
}

TEST(ReplicationComputer, FirstComputerOfTheServerCarryingTheQueueManager) {
  services::ConsoleSnapshot snapshot;
  auto computer = [](const char* name, std::vector<const char*> tasks) {
    services::ComputerSnapshot c;
    c.name = name;
    for (const char* task : tasks) c.tasks.push_back({task, "", 1, ""});
    return c;
  };
  snapshot.computers = {computer("A", {"ROUTER"}), computer("B", {"MQUEUE"}), computer("C", {"MQUEUE"})};
  snapshot.mailServers = {{0, "NODE", {0, 2, 1}, "", "", ""}, {1, "EMPTY", {0}, "", "", ""}};
  const services::ComputerSnapshot* found = services::ReplicationComputer(snapshot, "NODE");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, "C");  // the server's own order, not the registry's
  EXPECT_EQ(services::ReplicationComputer(snapshot, "EMPTY"), nullptr);
  EXPECT_EQ(services::ReplicationComputer(snapshot, "NONE"), nullptr);
}

}  // namespace
