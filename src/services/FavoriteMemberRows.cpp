#include "services/FavoriteMemberRows.h"

#include <ctime>

#include "model/item/VxItem.h"
#include "services/DirectionRows.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

using text::Cp;
namespace counter = model::counter;

std::string CountText(uint32_t value) { return text::Format("%5lu", static_cast<unsigned long>(value)); }

// Per priority of the view (absolute, high, normal, low, reports): the
// entry's counter of files and of the oldest message's time stamp.
constexpr size_t kFilesCounter[] = {counter::kAbsoluteFiles, counter::kHighFiles, counter::kNormalFiles,
                                    counter::kLowFiles, counter::kReportFiles};
constexpr size_t kAgeCounter[] = {counter::kAbsoluteAge, counter::kHighAge, counter::kNormalAge, counter::kLowAge,
                                  counter::kReportAge};

}  // namespace

const std::vector<std::string>& MemberColumnTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> t;
    for (const char* title :
         {"Изображение", "Тип", "Имя", "Приоритет", "Параметры канала связи", "Заблокировано", "Вызов с интервалом",
          "Вызов по появлению корреспонденции", "Абсолютный приоритет (количество файлов)",
          "Высокий приоритет (количество файлов)", "Нормальный приоритет (количество файлов)",
          "Низкий приоритет (количество файлов)", "Отчеты (количество файлов)", "Количество файлов (всего)",
          "Время последнего выхода на связь", "Интервал со времени последнего выхода на связь", "Пароль установлен",
          "Комментарий", "Узел", "Абсолютный приоритет - MAX время простоя в очереди",
          "Абсолютный приоритет - MAX интервал простоя в очереди", "Высокий приоритет - MAX время простоя в очереди",
          "Высокий приоритет - MAX интервал простоя в очереди", "Нормальный приоритет - MAX время простоя в очереди",
          "Нормальный приоритет - MAX интервал простоя в очереди", "Низкий приоритет - MAX время простоя в очереди",
          "Низкий приоритет - MAX интервал простоя в очереди", "Отчеты - MAX время простоя в очереди",
          "Отчеты - MAX интервал простоя в очереди", "Состояние канала связи", "Индикатор ошибок",
          "Форсированный выход на связь"})
      t.push_back(Cp(title));
    return t;
  }();
  return titles;
}

std::string IntervalText(uint64_t seconds) {
  const uint64_t days = seconds / 86400;
  const uint64_t hours = seconds % 86400 / 3600;
  const uint64_t minutes = seconds % 3600 / 60;
  const uint64_t secs = seconds % 60;
  const auto part = [](bool shown, const char* format, uint64_t value) {
    return shown ? text::Format(Cp(format).c_str(), static_cast<unsigned long>(value)) : std::string();
  };
  return part(days != 0, "%lu дн. ", days) + part(days != 0 || hours != 0, "%lu час. ", hours) +
         part(days != 0 || hours != 0 || minutes != 0, "%lu мин. ", minutes) + part(seconds != 0, "%lu сек.", secs);
}

std::string StampText(uint32_t stamp) {
  if (stamp == 0) return " --- ";
  // The stamp is already local wall-clock time: broken down without a zone.
  const std::time_t when = static_cast<std::time_t>(stamp);
  std::tm tm{};
  gmtime_r(&when, &tm);
  char buffer[64];
  std::strftime(buffer, sizeof buffer, "%Y/%m/%d   %H:%M:%S", &tm);
  return buffer;
}

std::string SinceText(uint32_t stamp, int64_t localNow) {
  if (stamp == 0 || static_cast<int64_t>(stamp) > localNow) return " --- ";
  return IntervalText(static_cast<uint64_t>(localNow - static_cast<int64_t>(stamp)));
}

std::string LinkStateText(int32_t state) {
  static const char* const names[] = {"Абонент не выходит на связь", "Установка канала связи", "Обмен",
                                      "Обмен окончен", "Обмен прерван", "Ошибка установки соединения"};
  if (state < 0 || state > 5) return {};
  return Cp(names[state]);
}

std::vector<std::string> MemberRowTexts(const model::_VxItem& item, int64_t localNow) {
  namespace col = member_column;
  std::vector<std::string> row(col::kCount);
  const model::QueueCounters& c = item.queueCounters;
  // The cells the directions table shows too are its own texts.
  namespace dir = direction_column;
  std::vector<std::string> entry = DirectionRowTexts(item);
  for (const auto& [member, direction] :
       {std::pair{col::kType, dir::kType}, {col::kName, dir::kName}, {col::kPriority, dir::kPriority},
        {col::kLinkParameters, dir::kLinkParameters}, {col::kBlocked, dir::kBlocked},
        {col::kCallAtInterval, dir::kCallAtInterval}, {col::kCallOnArrival, dir::kCallOnArrival},
        {col::kPasswordSet, dir::kPasswordSet}, {col::kComment, dir::kComment},
        {col::kForcedConnection, dir::kForcedConnection}})
    row[static_cast<size_t>(member)] = std::move(entry[static_cast<size_t>(direction)]);
  uint32_t total = 0;
  for (size_t p = 0; p < 5; ++p) {
    row[col::kAbsoluteFiles + static_cast<int>(p)] = CountText(c[kFilesCounter[p]]);
    total += c[kFilesCounter[p]];
    row[col::kAbsoluteOldestTime + 2 * static_cast<int>(p)] = StampText(c[kAgeCounter[p]]);
    row[col::kAbsoluteOldestInterval + 2 * static_cast<int>(p)] = SinceText(c[kAgeCounter[p]], localNow);
  }
  row[col::kTotalFiles] = CountText(total);
  row[col::kLastLinkTime] = StampText(c[counter::kLastLinkSetup]);
  row[col::kLastLinkInterval] = SinceText(c[counter::kLastLinkSetup], localNow);
  row[col::kNode] = item.mailServerName;
  row[col::kLinkState] = LinkStateText(item.stateWord);
  row[col::kErrors] = item.alertText;
  return row;
}

std::vector<std::string> UnresolvedMemberRowTexts(const std::string& serverName, const std::string& itemName) {
  std::vector<std::string> row(member_column::kCount);
  row[member_column::kName] = itemName;
  row[member_column::kNode] = serverName;
  return row;
}

std::optional<CounterLimits> CounterOfColumn(int column, const model::_VxItem& item, const core::GroupRecord& group) {
  namespace col = member_column;
  if (column == col::kTotalFiles) {
    CounterLimits limits{0, group.totalDangerous, group.totalCritical};
    for (size_t p = 0; p < 5; ++p) limits.value += item.queueCounters[kFilesCounter[p]];
    return limits;
  }
  if (column < col::kAbsoluteFiles || column > col::kReportFiles) return std::nullopt;
  const size_t p = static_cast<size_t>(column - col::kAbsoluteFiles);
  return CounterLimits{item.queueCounters[kFilesCounter[p]], group.dangerous[p], group.critical[p]};
}

std::optional<uint32_t> IntervalStampOfColumn(int column, const model::_VxItem& item) {
  namespace col = member_column;
  if (column == col::kLastLinkInterval) return item.queueCounters[counter::kLastLinkSetup];
  const int offset = column - col::kAbsoluteOldestInterval;
  if (offset < 0 || column > col::kReportOldestInterval || offset % 2 != 0) return std::nullopt;
  return item.queueCounters[kAgeCounter[static_cast<size_t>(offset / 2)]];
}

std::optional<ThresholdBar> BarFor(const CounterLimits& counter, int cellWidth) {
  if (cellWidth < kBarMinCellWidth || counter.value == 0 || counter.dangerous == 0 || counter.critical == 0 ||
      counter.critical < counter.dangerous)
    return std::nullopt;
  const uint64_t w = static_cast<uint64_t>(cellWidth);
  ThresholdBar bar;
  bar.width = counter.value >= counter.critical ? cellWidth : static_cast<int>(counter.value * w / counter.critical);
  bar.dangerMark = static_cast<int>(counter.dangerous * w / counter.critical);
  bar.percent = static_cast<uint32_t>(static_cast<uint64_t>(counter.value) * 100 / counter.critical);
  bar.withText = cellWidth >= kBarTextMinCellWidth;
  return bar;
}

}  // namespace services
