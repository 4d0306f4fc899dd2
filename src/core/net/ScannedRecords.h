#pragma once
// The entries of a computer's disk and folder arrays: what the last poll of
// that computer found. Filled by the poll, shown by the disk and folder views.

#include <array>
#include <cstdint>
#include <string>

namespace core {

inline constexpr size_t kDiskRecordSize = 104;

struct CSI_disk {
  std::array<uint8_t, kDiskRecordSize> record{};  // as received from GetDisks
  bool alarm = false;
  bool critical = false;
  bool unavailable = false;
  int icon = 1;  // 17 with an alarm, else 1
  uint64_t freeMb = 0;
  uint64_t totalMb = 0;
  uint64_t dangerLimitMb = 0;
  uint64_t criticalLimitMb = 0;
};

struct CSI_folder {
  bool alarm = false;
  int icon = 1;  // 17 with an alarm, else 1
  std::string firstText;
  std::string secondText;
  int32_t fileCount = 0;
};

}  // namespace core
