#pragma once
// The texts of the disks, folders and replication views, from what the last
// poll of a computer found (CP1251). No Qt: the windows only place them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/net/ScannedRecords.h"
#include "rpc/iface/QueryRecords.h"

namespace services {

struct ComputerSnapshot;
struct ConsoleSnapshot;

// --- disks ---------------------------------------------------------------

namespace disk_column {
inline constexpr int kIcon = 0, kName = 1, kFreeMb = 2, kFreePercent = 3, kTotalMb = 4, kDangerMb = 5,
                     kCriticalMb = 6, kCount = 7;
}

std::vector<std::string> DiskColumnTitles();
// One text per column; the icon column's is empty, the name column's the
// disk's name.
std::vector<std::string> DiskRowTexts(const core::CSI_disk& disk);

// The usage bar of the name column.
struct DiskUsage {
  uint64_t usedMb = 0;
  uint64_t freeMb = 0;
  double usedShare = 1;      // 0..1; a disk of total 0 is full
  uint64_t usedPercent = 100;
  uint64_t freePercent = 0;
  bool freeAboveTotal = false;
};
DiskUsage UsageOf(const core::CSI_disk& disk);
std::string UsedText(const DiskUsage& usage);  // "Использовано %lu MB (%lu%%)"
std::string FreeText(const DiskUsage& usage);  // "Свободно %lu MB (%lu%%)"
std::string FreeAboveTotalText();

// --- folders -------------------------------------------------------------

namespace folder_column {
inline constexpr int kIcon = 0, kName = 1, kFiles = 2, kPath = 3, kCount = 4;
}
std::vector<std::string> FolderColumnTitles();
std::vector<std::string> FolderRowTexts(const core::CSI_folder& folder);

// --- replication ----------------------------------------------------------

struct ReplicationTexts {
  std::string state;                   // "  синхронно  " ...
  std::string mode;                    // with the partner node's name
  std::array<std::string, 3> timeouts; // on start, on reconstruction, sync period
  bool alarm = false;                  // synchronising, or not in sync on a primary node
};
ReplicationTexts ReplicationTextsOf(const rpc::ReplicationRecord& record);
// "%02lu:%02lu:%02lu", or "не установлен" for 0 and 0xFFFFFFFF.
std::string TimeoutText(uint32_t seconds);
std::array<std::string, 3> ReplicationTimeoutLabels();

// The computer of `mailServer` that carries the queue manager (the first in
// the mail server's list with an "MQUEUE" task row); null when none.
const ComputerSnapshot* ReplicationComputer(const ConsoleSnapshot& snapshot, const std::string& mailServer);
// "Не возможно выполнить операцию."
std::string NoReplicationComputerText();

}  // namespace services
