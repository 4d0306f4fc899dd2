#include "model/favorites/ThresholdCheck.h"

#include <array>
#include <ctime>
#include <string>

#include "model/item/VxItem.h"
#include "ports/Clock.h"
#include "text/Cp1251.h"

namespace model {
namespace {

using core::GroupRecord;

// The item's counter slots in the group's priority order.
constexpr std::array<size_t, GroupRecord::kPriorityCount> kFileCounter{
    counter::kAbsoluteFiles, counter::kHighFiles, counter::kNormalFiles, counter::kLowFiles, counter::kReportFiles};
constexpr std::array<size_t, GroupRecord::kPriorityCount> kAgeCounter{
    counter::kAbsoluteAge, counter::kHighAge, counter::kNormalAge, counter::kLowAge, counter::kReportAge};

const std::string& PriorityName(size_t priority) {
  static const std::array<std::string, GroupRecord::kPriorityCount> names{
      text::Cp("Абсолютный приоритет"), text::Cp("Высокий приоритет"), text::Cp("Нормальный приоритет"),
      text::Cp("Низкий приоритет"), text::Cp("Отчеты")};
  return names[priority];
}

void Overrun(_VxItem& item, const std::string& message, bool alarm) {
  if (!item.alertText.empty()) item.alertText += '\n';
  item.alertText += message;
  ++item.alertCount;
  if (alarm) item.alertSevere = 1;
}

// A time stamp T against a limit: T set, in the past, and at least limit seconds ago.
bool StampOverrun(uint32_t stamp, uint32_t limit, int64_t localNow) {
  return stamp != 0 && limit != 0 && static_cast<int64_t>(stamp) < localNow &&
         localNow - static_cast<int64_t>(stamp) >= static_cast<int64_t>(limit);
}

bool CountOverrun(uint64_t count, uint32_t limit) { return count != 0 && limit != 0 && count >= limit; }

}  // namespace

int64_t LocalWallClockNow(const ports::Clock& clock) {
  std::tm local = clock.LocalTime();
  return static_cast<int64_t>(timegm(&local));
}

void CheckThresholds(_VxItem& item, const GroupRecord& limits, int64_t localNow) {
  item.alertText.clear();
  item.alertCount = 0;
  item.alertSevere = 0;
  const auto& counters = item.queueCounters;

  static const std::string waitText = text::Cp("Превышение интервала простоя сообщения в очереди - ");
  for (size_t p = 0; p < GroupRecord::kPriorityCount; ++p) {
    if (StampOverrun(counters[kAgeCounter[p]], limits.idleLimit[p], localNow)) {
      // Waiting absolute and high priority mail is reported but raises no alarm.
      Overrun(item, waitText + PriorityName(p), p != GroupRecord::kAbsolute && p != GroupRecord::kHigh);
    }
  }

  static const std::string countText = text::Cp("Превышение количества файлов в очереди - ");
  uint64_t total = 0;
  for (size_t slot : kFileCounter) total += counters[slot];
  if (CountOverrun(total, limits.totalCritical)) Overrun(item, countText + text::Cp("Общее количество файлов"), true);
  for (size_t p = 0; p < GroupRecord::kPriorityCount; ++p) {
    if (CountOverrun(counters[kFileCounter[p]], limits.critical[p])) Overrun(item, countText + PriorityName(p), true);
  }

  // The last link setup is a time stamp like the ages.
  if (StampOverrun(counters[counter::kLastLinkSetup], limits.agentIdleLimit, localNow)) {
    Overrun(item, text::Cp("Превышен временной интервал установки канала связи АПФ"), true);
  }
}

}  // namespace model
