// The queue manager half of an apply.

#include <new>
#include <string>
#include <vector>

#include "core/net/NetworkServices.h"
#include "model/apply/ApplyHalves.h"
#include "model/item/VxItemBase.h"
#include "rpc/iface/DirCalls.h"
#include "rpc/iface/DirStatus.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/report/QueueManagerReport.h"
#include "text/Strings.h"

namespace model {

bool QueueEntryExists(const _VxItemBase& work, const ApplyServices& services) {
  core::__RpcClientDescription* queue = services.net.FindComputer(work.queueTaskName);
  if (work.queueTaskName.empty() || !queue) return false;
  const std::string name = text::ToUpperAscii(text::TrimView(work.mailboxName));
  bool exists = false;
  services.net.Binding().CallOn(*queue, [&](rpc::CallTarget& target) {
    int32_t status = 0, rpcErr = 0, priority = 0, blocked = 0, interval = 0, arrival = 0, extra = 0;
    const int32_t r = rpc::QMX_DirGetAttrs(target, &status, &rpcErr, name.c_str(), &priority, &blocked, &interval,
                                           &arrival, &extra);
    exists = r == 0 && status == 0 && rpcErr == 0;
  });
  return exists;
}

int ApplyToQueueManager(_VxItemBase& work, _VxItemBase& shown, const ApplyServices& services) {
  // 1. Where the queue manager runs.
  if (work.queueTaskName.empty()) return 0;
  core::__RpcClientDescription* queue = services.net.FindComputer(work.queueTaskName);
  if (!queue) return 0;

  // 2. Names go to the server trimmed and upper-cased. An entry the queue
  // manager had no directory entry for at the last refresh is added again.
  work.mailboxName = text::ToUpperAscii(text::TrimView(work.mailboxName));
  shown.mailboxName = text::ToUpperAscii(text::TrimView(shown.mailboxName));
  const bool isNew = shown.mailboxName.empty();
  const bool add = isNew || shown.queueEntryMissing;

  // 3. The schedule as one array of 72-byte frames, in list order.
  std::vector<uint8_t> frames;
  try {
    frames = FramesToBinary(work.schedule);
  } catch (const std::bad_alloc&) {
    return 0;
  }

  const char* name = work.mailboxName.c_str();
  const int32_t priority = static_cast<int32_t>(work.priority);
  const int32_t blocked = work.active ? 0 : 1;
  int result = 0;
  // 4. Bound: the call bracket is open for the whole run.
  work.callStatus = work.callError = 0;
  services.net.Binding().CallOn(*queue, [&](rpc::CallTarget& target) {
    auto failed = [&](int32_t r) { return r != 0 || work.callStatus != 0 || work.callError != 0; };
    auto report = [&](int32_t r, const char* operation) {
      rpc::ReportQueueManagerError(services.dialogs, r, work.callStatus, work.callError, operation);
    };
    auto clear = [&] { work.callStatus = work.callError = 0; };

    // 5. The directory entry; a rename takes effect in the modify.
    if (add) {
      const std::string withNul = work.mailboxName + '\0';
      clear();
      int32_t r = rpc::QMX_DirAdd(target, &work.callStatus, &work.callError, static_cast<int32_t>(withNul.size()),
                                  reinterpret_cast<const uint8_t*>(withNul.data()), priority, blocked,
                                  work.callAtInterval, work.noCallOnArrival, work.extraOption);
      if (r == rpc::dirstatus::kExists && !isNew && work.callStatus == 0 && work.callError == 0) {
        // The stored entry's directory entry came back since the refresh:
        // modify it. A new entry never takes over a stored one (the apply
        // asked before writing; this is a name taken in between).
        clear();
        r = rpc::QMX_DirModify(target, &work.callStatus, &work.callError, "", name, priority, blocked,
                               work.callAtInterval, work.noCallOnArrival, work.extraOption);
      }
      if (failed(r)) return report(r, "QMX_DirAdd");
    } else {
      clear();
      const int32_t r = rpc::QMX_DirModify(target, &work.callStatus, &work.callError, shown.mailboxName.c_str(), name,
                                           priority, blocked, work.callAtInterval, work.noCallOnArrival,
                                           work.extraOption);
      if (failed(r)) return report(r, "QMX_DirModify");
    }

    // 6. The password option, when it may have changed (a fresh directory entry has none).
    if (add || work.optionsChanged || work.isNew || work.passwordHash != shown.passwordHash ||
        work.passwordSet != shown.passwordSet) {
      clear();
      const int32_t r =
          work.passwordSet && !work.password.empty()
              ? rpc::QMX_DirSetOption(target, &work.callStatus, &work.callError, name,
                                      static_cast<int32_t>(work.passwordHash))
              : rpc::QMX_DirReSetOption(target, &work.callStatus, &work.callError, name);
      if (failed(r)) return report(r, "QMX_DirSetOption/QMX_DirReSetOption");
    }

    // 7. The link parameters.
    clear();
    int32_t r = rpc::QMX_DirSetApfList(target, &work.callStatus, &work.callError, name, work.linkParameters.c_str());
    if (failed(r)) return report(r, "QMX_DirSetApfList");

    // 8. The schedule.
    clear();
    static const uint8_t kNoFrames = 0;
    r = rpc::QMX_DirSetTimingsArray(target, &work.callStatus, &work.callError, name,
                                    static_cast<int32_t>(frames.size()), frames.empty() ? &kNoFrames : frames.data());
    if (failed(r)) return report(r, "QMX_DirSetTimingsArray");

    // 9. The forced connection; an abonent never has one.
    if (work.kind) work.forcedConnection = 0;
    if (work.forcedConnection != shown.forcedConnection) {
      const rpc::QueryReply reply = rpc::RunQuery(
          target, rpc::ItemQuery(rpc::query::kForcedSet, work.mailboxName, work.forcedConnection ? 1 : 0));
      work.callStatus = reply.status;
      work.callError = reply.rpcErr;
      if (const auto failure = rpc::ForcedFlagSetFailure(reply)) {
        rpc::ReportQueueManagerError(services.dialogs, *failure);
        return;
      }
    }
    // 10.
    result = 1;
  });
  // 11. The bracket is closed.
  return result;
}

}  // namespace model
