#pragma once
// The settings of one favourite group: name, comment, scan period, thresholds
// and alarm reactions, as stored in a "GROUP" value of [Favorites] and in the
// FV_DEFAULT_SETINGS key of [COMMON]. A plain value; the group list with its
// member references builds on it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

struct GroupRecord {
  // Queue counters in the order the text form and the checks use them.
  enum Priority { kAbsolute = 0, kHigh, kNormal, kLow, kReports, kPriorityCount };
  // Numbers in the value: 13 after the two quoted texts, 6 after the next two.
  static constexpr size_t kLeadingNumbers = 13;
  static constexpr size_t kTrailingNumbers = 6;
  static constexpr size_t kNumberCount = kLeadingNumbers + kTrailingNumbers;
  // The scan period read from text is raised to this.
  static constexpr uint32_t kMinScanPeriod = 20;

  std::string name;
  std::string comment;
  uint32_t scanPeriod = 180;  // seconds between scans
  uint32_t totalCritical = 120;
  uint32_t totalDangerous = 100;
  std::array<uint32_t, kPriorityCount> critical{75, 75, 75, 75, 75};
  std::array<uint32_t, kPriorityCount> dangerous{50, 50, 50, 50, 50};
  std::string soundFile;
  std::string application;
  uint32_t agentIdleLimit = 3600;  // seconds since the link was last set up
  std::array<uint32_t, kPriorityCount> idleLimit{3600, 3600, 3600, 3600, 3600};

  // The values the text reader starts from (the member initialisers above).
  static GroupRecord ReaderDefaults();
  // A group made internally before its values are set.
  static GroupRecord InternalDefaults();

  // The nineteen numbers in text order (fields 3-15, then 18-23).
  std::array<uint32_t, kNumberCount> Numbers() const;
  void SetNumbers(const std::array<uint32_t, kNumberCount>& numbers);

  bool operator==(const GroupRecord&) const = default;
};

// Reads a "GROUP" value: from the reader defaults, overwritten field by field
// with what the text holds. Never fails; a short text leaves the rest default.
GroupRecord ReadGroupValue(std::string_view value);

// The value written for a "GROUP" parameter.
std::string FormatGroupValue(const GroupRecord& group);

}  // namespace core
