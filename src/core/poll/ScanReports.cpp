#include "core/poll/ScanReports.h"

#include <vector>

#include "core/MessageImage.h"
#include "core/poll/DiskReport.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/iface/ReplyBounds.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

constexpr int kAlarmIcon = 17;
constexpr int kPlainIcon = 1;

}  // namespace

uint32_t ReplicationWord(const rpc::ReplicationRecord& record, size_t word) {
  const size_t at = word * 4;
  return uint32_t{record[at]} | uint32_t{record[at + 1]} << 8 | uint32_t{record[at + 2]} << 16 |
         uint32_t{record[at + 3]} << 24;
}

bool RunDiskReport(rpc::CallTarget& target, __RpcClientDescription& computer, const std::string& timeStamp,
                   const NetLogFn& log) {
  computer.disks.clear();
  std::vector<char> buffer(rpc::cap::kDiskRecords + 1, 0);
  int32_t length = 0, count = 0, unused = 0;
  rpc::GetDisks(target, rpc::cap::kDiskRecords, &length, buffer.data(), &count, &unused);
  const int32_t records = rpc::BoundedDiskCount(count, length);

  bool noAlarm = true;
  for (int32_t i = 0; i < records; ++i) {
    const std::string_view record(buffer.data() + size_t(i) * kDiskRecordSize, kDiskRecordSize);
    CSI_disk disk = ReadDiskRecord(record);
    if (disk.alarm) {
      noAlarm = false;
      log(DiskAlarmText(timeStamp, computer.name, disk), image::kDisk);
    }
    computer.disks.push_back(disk);
  }
  return noAlarm;
}

FolderReportResult RunFolderReport(rpc::CallTarget& target, __RpcClientDescription& computer,
                                   const std::string& timeStamp, const NetLogFn& log) {
  using text::Cp;
  FolderReportResult result;
  computer.folders.clear();
  const int32_t count = rpc::BoundedServerCount(rpc::GetFolderCount(target));
  if (count < 1) {
    result.noAlarm = false;
    return result;
  }
  for (int32_t index = 0; index < count; ++index) {
    std::vector<char> first(rpc::cap::kFolderText + 1, 0), second(rpc::cap::kFolderText + 1, 0);
    int32_t firstLength = 0, secondLength = 0, files = 0;
    if (rpc::GetFolderAt(target, index, rpc::cap::kFolderText, &firstLength, first.data(), rpc::cap::kFolderText,
                         &secondLength, second.data(), &files) != 0) {
      result.noAlarm = false;
      break;
    }
    CSI_folder folder;
    folder.firstText = first.data();
    folder.secondText = second.data();
    folder.fileCount = files;
    // A negative count is no files.
    if (files > 0) {
      if (text::ToLowerAscii(folder.secondText).find("syserr") == std::string::npos) {
        folder.alarm = true;
        result.noAlarm = false;
        log(text::Format(Cp("%s\nСканируемые папки для\nкомпьютера \"%s\" :\n   \"%s\"\n   \"%s\"\n"
                            "   количество файлов = %lu\n")
                             .c_str(),
                         timeStamp.c_str(), computer.name.c_str(), folder.firstText.c_str(),
                         folder.secondText.c_str(), static_cast<unsigned long>(files)),
            image::kFolder);
      } else {
        result.systemErrors = true;
      }
    }
    folder.icon = folder.alarm ? kAlarmIcon : kPlainIcon;
    computer.folders.push_back(std::move(folder));
  }
  return result;
}

std::string SystemErrorsBoxText(const std::string& computer) {
  using text::Cp;
  return text::Format(Cp("Обнаружены критические ошибки в работе почтового сервера \"%s\".\n"
                         "RPC соединения между задачами узла были потеряны.")
                          .c_str(),
                      computer.c_str());
}

bool RunReplicationReport(rpc::CallTarget& target, __RpcClientDescription& computer, const std::string& mailServer,
                          const std::string& timeStamp, const NetLogFn& log) {
  using text::Cp;
  const uint32_t word1 = ReplicationWord(computer.replicationState, 1);
  bool read = false;
  if (auto state = rpc::ReplicationStateFrom(rpc::RunQuery(target, rpc::ReplicationQuery(rpc::query::kReplicationState, word1)))) {
    computer.replicationState = *state;
    // The record counts as received from now on.
    computer.replicationState[0] = 1;
    computer.replicationState[1] = computer.replicationState[2] = computer.replicationState[3] = 0;
    read = true;
  }
  if (auto log3 = rpc::ReplicationLogFrom(rpc::RunQuery(target, rpc::ReplicationQuery(rpc::query::kReplicationLog, word1))))
    computer.replicationText = *log3;

  // Only a state received this time is judged, and only when replication is
  // configured at all: a stale record must not repeat an old warning.
  const rpc::ReplicationRecord& r = computer.replicationState;
  if (read && ReplicationConfigured(r) && !ReplicationInSync(r) && !ReplicationBusy(r))
    log(text::Format(Cp("%s\nПодсистема репликации состояния\nпочтового узла \"%s\"\nнаходится в не синхронном\n"
                        "состоянии.\n(данные получены от компьютера\n\"%s\")")
                         .c_str(),
                     timeStamp.c_str(), mailServer.c_str(), computer.name.c_str()),
        image::kReplication);
  return read;
}

}  // namespace core
