#pragma once
// The three reports of a poll: scanned disks, scanned folders and the
// replication state of one computer. Each sends its calls on the binding the
// poll prepared, fills the computer record and logs what needs attention.
// RPC failures are not caught here: they end the poll (RpcException).

#include <string>

#include "core/net/NetLog.h"
#include "core/net/RpcClientDescription.h"

namespace rpc {
class CallTarget;
}

namespace core {

// Line codes of the poll's messages.
// Empties the disks array and reads it again; true when no disk raised an alarm.
bool RunDiskReport(rpc::CallTarget& target, __RpcClientDescription& computer, const std::string& timeStamp,
                   const NetLogFn& log);

struct FolderReportResult {
  bool noAlarm = true;
  // A folder with files whose path names the system error folder: the
  // critical-error box is due (shown by the poll after its calls ended).
  bool systemErrors = false;
};
// Empties the folders array and reads it again. A count below 1 reports 0
// (noAlarm false), as the server's folder scanning is then not working.
FolderReportResult RunFolderReport(rpc::CallTarget& target, __RpcClientDescription& computer,
                                   const std::string& timeStamp, const NetLogFn& log);
// The text of the critical-error box and its caption.
std::string SystemErrorsBoxText(const std::string& computer);
inline constexpr const char* kSystemErrorsCaption = "Veltrane32 remote configuration";

// Reads the replication state (kind 1) and log (kind 3) of the computer for
// `mailServer`; logs the not-in-sync message. True when the state was read.
bool RunReplicationReport(rpc::CallTarget& target, __RpcClientDescription& computer, const std::string& mailServer,
                          const std::string& timeStamp, const NetLogFn& log);

// Words and bytes of the replication record the console reads.
uint32_t ReplicationWord(const rpc::ReplicationRecord& record, size_t word);
inline bool ReplicationConfigured(const rpc::ReplicationRecord& r) { return ReplicationWord(r, 2) == 1; }
inline bool ReplicationInSync(const rpc::ReplicationRecord& r) { return r[12] != 0; }
inline bool ReplicationBusy(const rpc::ReplicationRecord& r) { return r[13] != 0; }

}  // namespace core
