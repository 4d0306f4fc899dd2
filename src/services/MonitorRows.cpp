#include "services/MonitorRows.h"

#include <cstring>

#include "rpc/iface/Interface.h"
#include "services/ConsoleSnapshot.h"
#include "services/ScanHistory.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

using text::Cp;

namespace {

unsigned long Ul(uint64_t v) { return static_cast<unsigned long>(v); }

uint32_t WordAt(const rpc::ReplicationRecord& record, size_t offset) {
  uint32_t value = 0;
  for (size_t b = 0; b < 4; ++b) value |= static_cast<uint32_t>(record[offset + b]) << (8 * b);
  return value;
}

}  // namespace

std::vector<std::string> DiskColumnTitles() {
  return {Cp("Индикатор ошибок"), Cp("Диск"),       Cp("Свободно (MB)"),          Cp("Свободно (%)"),
          Cp("Всего (MB)"),       Cp("Опасная граница (MB)"), Cp("Критическая граница (MB)")};
}

std::vector<std::string> DiskRowTexts(const core::CSI_disk& disk) {
  std::vector<std::string> texts(disk_column::kCount);
  texts[disk_column::kName] = DiskName(disk);
  texts[disk_column::kFreeMb] = disk.unavailable ? " ??? " : text::Format("%6lu", Ul(disk.freeMb));
  texts[disk_column::kFreePercent] =
      text::Format("%6lu %%", disk.totalMb == 0 ? 0ul : Ul(disk.freeMb * 100 / disk.totalMb));
  texts[disk_column::kTotalMb] = text::Format("%6lu", Ul(disk.totalMb));
  texts[disk_column::kDangerMb] = text::Format("%6lu", Ul(disk.dangerLimitMb));
  texts[disk_column::kCriticalMb] = text::Format("%6lu", Ul(disk.criticalLimitMb));
  return texts;
}

DiskUsage UsageOf(const core::CSI_disk& disk) {
  DiskUsage usage;
  usage.freeAboveTotal = disk.freeMb > disk.totalMb;
  // More free than total would wrap round: nothing counts as used then.
  usage.usedMb = usage.freeAboveTotal ? 0 : disk.totalMb - disk.freeMb;
  usage.freeMb = disk.freeMb;
  usage.usedShare = disk.totalMb == 0 ? 1.0 : static_cast<double>(usage.usedMb) / static_cast<double>(disk.totalMb);
  usage.usedPercent = disk.totalMb == 0 ? 100 : usage.usedMb * 100 / disk.totalMb;
  usage.freePercent = 100 - usage.usedPercent;
  return usage;
}

std::string UsedText(const DiskUsage& usage) {
  return text::Format(Cp("Использовано %lu MB (%lu%%)").c_str(), Ul(usage.usedMb), Ul(usage.usedPercent));
}

std::string FreeText(const DiskUsage& usage) {
  return text::Format(Cp("Свободно %lu MB (%lu%%)").c_str(), Ul(usage.freeMb), Ul(usage.freePercent));
}

std::string FreeAboveTotalText() { return Cp("Значение \"Свободно\" больше чем значение \"Всего\""); }

std::vector<std::string> FolderColumnTitles() {
  return {Cp("Индикатор ошибок"), Cp("Имя"), Cp("Количество файлов"), Cp("Путь")};
}

std::vector<std::string> FolderRowTexts(const core::CSI_folder& folder) {
  return {std::string(), folder.firstText, text::Format("%1u", static_cast<unsigned>(folder.fileCount)),
          folder.secondText};
}

std::string TimeoutText(uint32_t seconds) {
  if (seconds == 0 || seconds == 0xFFFFFFFFu) return Cp("не установлен");
  return text::Format("%02lu:%02lu:%02lu", Ul(seconds / 3600), Ul(seconds % 3600 / 60), Ul(seconds % 60));
}

std::array<std::string, 3> ReplicationTimeoutLabels() {
  return {"* Replication timeout on start", "* Replication timeout on reconstruction",
          "* Period of synchronisation attempts"};
}

ReplicationTexts ReplicationTextsOf(const rpc::ReplicationRecord& record) {
  ReplicationTexts out;
  const uint32_t mode = WordAt(record, 8);
  const bool inSync = record[12] != 0;
  const bool busy = record[13] != 0;
  out.state = busy ? Cp("  синхронизируется  ") : !inSync ? Cp("  не синхронно  ") : Cp("  синхронно  ");
  out.alarm = busy || (!inSync && mode == 1);
  const auto* partnerBegin = reinterpret_cast<const char*>(record.data() + 28);
  const std::string partner(partnerBegin, strnlen(partnerBegin, record.size() - 28));
  if (mode == 1)
    out.mode = text::Format(Cp("ОСНОВНОЙ узел: репликация в \"%s\"").c_str(), partner.c_str());
  else if (mode == 2)
    out.mode = text::Format(Cp("РЕЗЕРВНЫЙ узел: репликация только при старте из \"%s\"").c_str(), partner.c_str());
  else
    out.mode = Cp("не производить репликацию");
  for (size_t i = 0; i < 3; ++i) out.timeouts[i] = TimeoutText(WordAt(record, 16 + 4 * i));
  return out;
}

const ComputerSnapshot* ReplicationComputer(const ConsoleSnapshot& snapshot, const std::string& mailServer) {
  const MailServerSnapshot* server = snapshot.FindMailServer(mailServer);
  if (server == nullptr) return nullptr;
  for (int position : server->computers) {
    const ComputerSnapshot& computer = snapshot.computers[static_cast<size_t>(position)];
    for (const TaskSnapshot& task : computer.tasks)
      if (task.name == rpc::task::kQueueManager) return &computer;
  }
  return nullptr;
}

std::string NoReplicationComputerText() { return Cp("Не возможно выполнить операцию."); }

}  // namespace services
