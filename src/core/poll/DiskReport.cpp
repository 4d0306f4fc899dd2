#include "core/poll/DiskReport.h"

#include <algorithm>

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

constexpr size_t kNameWidth = 64;
constexpr size_t kTotalOffset = 64;
constexpr size_t kFreeOffset = 72;
constexpr size_t kCriticalOffset = 80;
constexpr size_t kDangerOffset = 88;
constexpr size_t kUnavailableOffset = 96;
constexpr int kAlarmIcon = 17;
constexpr int kPlainIcon = 1;

uint64_t ReadLe(const uint8_t* bytes, size_t offset, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) value |= uint64_t{bytes[offset + i]} << (8 * i);
  return value;
}

}  // namespace

uint64_t FreeMegabytes(uint64_t freeBytes) {
  const uint64_t mb = freeBytes >> 20;
  return mb >= 1 ? mb - 1 : 0;
}

CSI_disk ReadDiskRecord(std::string_view record) {
  CSI_disk disk;
  std::copy_n(record.begin(), std::min(record.size(), kDiskRecordSize), disk.record.begin());
  const uint8_t* r = disk.record.data();
  disk.criticalLimitMb = ReadLe(r, kCriticalOffset, 4);
  disk.dangerLimitMb = ReadLe(r, kDangerOffset, 4);
  if (ReadLe(r, kUnavailableOffset, 2) != 0) {
    disk.alarm = disk.critical = disk.unavailable = true;
  } else {
    disk.freeMb = FreeMegabytes(ReadLe(r, kFreeOffset, 8));
    disk.totalMb = ReadLe(r, kTotalOffset, 8) >> 20;
    if (disk.freeMb <= disk.dangerLimitMb) disk.alarm = true;
    if (disk.freeMb <= disk.criticalLimitMb) disk.alarm = disk.critical = true;
  }
  disk.icon = disk.alarm ? kAlarmIcon : kPlainIcon;
  return disk;
}

std::string DiskName(const CSI_disk& disk) {
  const auto begin = disk.record.begin();
  const auto end = std::find(begin, begin + kNameWidth, uint8_t{0});
  return std::string(begin, end);
}

std::string DiskAlarmText(const std::string& timeStamp, const std::string& computer, const CSI_disk& disk) {
  using text::Cp;
  const std::string name = DiskName(disk);
  if (disk.unavailable)
    return text::Format(Cp("%s\nСканируемые диски для\nкомпьютера \"%s\" :\n   диск \"%s\"\n   не доступен").c_str(),
                        timeStamp.c_str(), computer.c_str(), name.c_str());
  if (!disk.alarm) return {};
  const std::string tail = disk.critical ? Cp("  меньше критической границы!") : Cp("  меньше опасной границы!");
  return text::Format(Cp("%s\nСканируемые диски для\nкомпьютера \"%s\" :\n  диск \"%s\"\n"
                         "  всего ................. %lu MB \n"
                         "  свободно .............. %lu MB \n"
                         "  опасная граница ....... %lu MB \n"
                         "  критическая граница ... %lu MB \n"
                         "----------------------------------\n"
                         "  свободное пространство\n")
                          .c_str(),
                      timeStamp.c_str(), computer.c_str(), name.c_str(),
                      static_cast<unsigned long>(disk.totalMb), static_cast<unsigned long>(disk.freeMb),
                      static_cast<unsigned long>(disk.dangerLimitMb), static_cast<unsigned long>(disk.criticalLimitMb)) +
         tail;
}

}  // namespace core
