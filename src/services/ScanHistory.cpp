#include "services/ScanHistory.h"

#include <algorithm>
#include <cstring>

namespace services {

std::string DiskName(const core::CSI_disk& disk) {
  const auto* begin = reinterpret_cast<const char*>(disk.record.data());
  return std::string(begin, strnlen(begin, 64));
}

ScanHistory::ScanHistory(size_t maxSamples, std::chrono::system_clock::duration maxAge)
    : maxSamples_(std::max<size_t>(1, maxSamples)), maxAge_(maxAge) {}

void ScanHistory::SetBounds(size_t maxSamples, std::chrono::system_clock::duration maxAge) {
  std::lock_guard lock(mutex_);
  maxSamples_ = std::max<size_t>(1, maxSamples);
  maxAge_ = maxAge;
  for (auto* map : {&disks_, &folders_})
    for (auto& [key, series] : *map)
      if (!series.samples.empty()) Trim(series, series.samples.back().at);
}

void ScanHistory::Trim(Series& series, std::chrono::system_clock::time_point newest) const {
  while (series.samples.size() > maxSamples_) series.samples.pop_front();
  while (!series.samples.empty() && newest - series.samples.front().at > maxAge_) series.samples.pop_front();
}

void ScanHistory::Add(Series& series, std::chrono::system_clock::time_point at, uint64_t value) const {
  // A clock set back must not leave the samples out of order: a sample
  // older than the newest one takes the newest one's time.
  if (!series.samples.empty() && at < series.samples.back().at) at = series.samples.back().at;
  series.samples.push_back({at, value});
  Trim(series, at);
}

void ScanHistory::Record(const std::string& computer, std::chrono::system_clock::time_point at,
                         const std::vector<core::CSI_disk>& disks, const std::vector<core::CSI_folder>& folders) {
  std::lock_guard lock(mutex_);
  for (const core::CSI_disk& disk : disks) {
    if (disk.unavailable) continue;
    Series& series = disks_[{computer, DiskName(disk)}];
    series.dangerLimit = disk.dangerLimitMb;
    series.criticalLimit = disk.criticalLimitMb;
    Add(series, at, disk.freeMb);
  }
  for (const core::CSI_folder& folder : folders)
    Add(folders_[{computer, folder.firstText}], at, static_cast<uint64_t>(std::max<int32_t>(0, folder.fileCount)));
}

HistorySeries ScanHistory::Copy(const std::map<Key, Series>& from, const Key& key) {
  HistorySeries out;
  const auto found = from.find(key);
  if (found == from.end()) return out;
  out.samples.assign(found->second.samples.begin(), found->second.samples.end());
  out.dangerLimit = found->second.dangerLimit;
  out.criticalLimit = found->second.criticalLimit;
  return out;
}

HistorySeries ScanHistory::Disk(const std::string& computer, const std::string& disk) const {
  std::lock_guard lock(mutex_);
  return Copy(disks_, {computer, disk});
}

HistorySeries ScanHistory::Folder(const std::string& computer, const std::string& folder) const {
  std::lock_guard lock(mutex_);
  return Copy(folders_, {computer, folder});
}

void ScanHistory::Clear() {
  std::lock_guard lock(mutex_);
  disks_.clear();
  folders_.clear();
}

}  // namespace services
