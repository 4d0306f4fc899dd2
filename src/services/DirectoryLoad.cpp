#include "services/DirectoryLoad.h"

#include <vector>

#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "ports/DialogPort.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/DirCalls.h"
#include "rpc/report/QueueManagerReport.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

// A transport failure has no status word: its exception code stands in the
// place of the queue manager's access error, so that the box names it.
void ReportListFailure(ports::DialogPort* dialogs, int32_t status, int32_t rpcErr, const char* operation) {
  if (dialogs) rpc::ReportQueueManagerError(*dialogs, 0, status, rpcErr != 0 ? rpcErr : status, operation);
}

}  // namespace

std::string DirectoryBusyText() { return text::Cp("Не возможно получить данные от почтового узла - канал связи занят."); }

std::string DirectoryEntryName(std::string_view listed) {
  return text::ToUpperAscii(text::Trim(listed, " \r\n\t"));
}

DirectoryLoad LoadDirectory(ConsoleServices& console, const std::string& mailServer, ports::DialogPort* dialogs,
                            const DirectoryProgress& progress) {
  DirectoryLoad load;
  if (console.ScanRunning()) {
    if (dialogs) dialogs->Message(DirectoryBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
    return load;
  }
  model::ItemServerNames names;
  if (!console.Hosts().Find(mailServer, names) || names.queueTaskName == model::kNoData ||
      names.routerTaskName == model::kNoData) {
    load.outcome = DirectoryLoadOutcome::kNoTasks;
    return load;
  }
  load.queueTaskName = names.queueTaskName;
  load.routerTaskName = names.routerTaskName;
  load.nodeAddress = names.nodeAddress;
  core::__RpcClientDescription* queue = console.Net().Computers().Find(names.queueTaskName);
  if (queue == nullptr) {
    load.outcome = DirectoryLoadOutcome::kNoTasks;
    return load;
  }

  // The scan state keeps polls, scans and other loads out while it runs.
  console.SetDataScan(true);
  struct ScanEnd {
    ConsoleServices& console;
    ~ScanEnd() { console.SetDataScan(false); }
  } scanEnd{console};

  std::vector<std::string> listed;
  bool stopped = false;
  load.outcome = DirectoryLoadOutcome::kListFailed;
  int32_t status = 0;
  int32_t rpcErr = 0;
  const char* failedOperation = "QMX_DirGetCount";
  size_t total = 1;
  const bool called = console.Net().Binding().CallOn(*queue, [&](rpc::CallTarget& target) {
    int32_t count = 0;
    rpc::QMX_DirGetCount(target, &status, &rpcErr, &count);
    if (status != 0 || rpcErr != 0) return;
    count = std::max<int32_t>(count, 0);
    total = 2 * static_cast<size_t>(count) + 1;
    failedOperation = "QMX_DirGetAt";
    std::vector<char> text(static_cast<size_t>(rpc::cap::kDirItemText) + 1);
    for (int32_t index = 0; index < count; ++index) {
      int32_t length = 0;
      int32_t values[5] = {};
      rpc::QMX_DirGetAt(target, &status, &rpcErr, index, rpc::cap::kDirItemText, &length, text.data(),
                        &values[0], &values[1], &values[2], &values[3], &values[4]);
      if (status != 0 || rpcErr != 0) return;
      const std::string name = DirectoryEntryName(std::string_view(text.data()));
      if (!name.empty()) listed.push_back(name);
      if (progress && !progress(listed.size(), total)) {
        stopped = true;
        return;
      }
    }
    failedOperation = nullptr;
  });
  // A failure after the window went (or while the program ends, which
  // breaks the calls off) is not told.
  if (stopped || ((!called || failedOperation != nullptr) && progress && !progress(listed.size(), total))) {
    load.outcome = DirectoryLoadOutcome::kStopped;
    return load;
  }
  if (!called) {
    ReportListFailure(dialogs, 0, static_cast<int32_t>(queue->lastException), failedOperation);
    return load;
  }
  if (failedOperation != nullptr) {
    ReportListFailure(dialogs, status, rpcErr, failedOperation);
    return load;
  }

  load.entries.reserve(listed.size());
  for (size_t i = 0; i < listed.size(); ++i) {
    model::_VxItemBase entry(console.Hosts(), mailServer, listed[i], false);
    if (!console.Hosts().RefreshEntry(entry, nullptr)) {
      if (progress && !progress(listed.size() + i, total)) {
        load.outcome = DirectoryLoadOutcome::kStopped;
        return load;
      }
      if (dialogs) entry.ShowRefreshFailure(*dialogs);
      load.outcome = DirectoryLoadOutcome::kEntryFailed;
      return load;
    }
    load.entries.push_back(std::move(entry));
    if (progress && !progress(listed.size() + i + 1, total)) {
      load.outcome = DirectoryLoadOutcome::kStopped;
      return load;
    }
  }
  load.outcome = DirectoryLoadOutcome::kLoaded;
  return load;
}

}  // namespace services
