#pragma once
// What the polls found over time: each watched disk's free space and each
// watched folder's file count, one sample per poll of the computer, since
// the console started. Kept in memory only, bounded by a count and an age:
// the oldest samples go first. Recorded on the worker, read by the window
// thread, hence the lock.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/net/ScannedRecords.h"

namespace services {

struct HistorySample {
  std::chrono::system_clock::time_point at;
  uint64_t value = 0;  // free MB of a disk, file count of a folder
};

// One watched object's samples, oldest first, with the limits current at
// its latest sample (disks only: both 0 for a folder).
struct HistorySeries {
  std::vector<HistorySample> samples;
  uint64_t dangerLimit = 0;
  uint64_t criticalLimit = 0;
};

class ScanHistory {
 public:
  // 24 hours of polls at the shortest period the settings allow (5 s).
  static constexpr size_t kDefaultMaxSamples = 24 * 3600 / 5;
  static constexpr std::chrono::hours kDefaultMaxAge{24};

  explicit ScanHistory(size_t maxSamples = kDefaultMaxSamples,
                       std::chrono::system_clock::duration maxAge = kDefaultMaxAge);

  // Changes the bounds; samples beyond them go at once.
  void SetBounds(size_t maxSamples, std::chrono::system_clock::duration maxAge);

  // One poll of `computer`: a sample for each disk (free MB; none for a disk
  // that was not available) and each folder (file count), keyed by name.
  void Record(const std::string& computer, std::chrono::system_clock::time_point at,
              const std::vector<core::CSI_disk>& disks, const std::vector<core::CSI_folder>& folders);

  // Copies; empty series for an object never recorded.
  HistorySeries Disk(const std::string& computer, const std::string& disk) const;
  HistorySeries Folder(const std::string& computer, const std::string& folder) const;

  void Clear();

 private:
  struct Series {
    std::deque<HistorySample> samples;
    uint64_t dangerLimit = 0;
    uint64_t criticalLimit = 0;
  };
  using Key = std::pair<std::string, std::string>;  // computer, object name

  void Add(Series& series, std::chrono::system_clock::time_point at, uint64_t value) const;
  void Trim(Series& series, std::chrono::system_clock::time_point newest) const;
  static HistorySeries Copy(const std::map<Key, Series>& from, const Key& key);

  mutable std::mutex mutex_;
  size_t maxSamples_;
  std::chrono::system_clock::duration maxAge_;
  std::map<Key, Series> disks_;
  std::map<Key, Series> folders_;
};

// The disk name of a disk record (NUL-terminated text at its head).
std::string DiskName(const core::CSI_disk& disk);

}  // namespace services
