#include "services/DirectoryLoad.h"

#include <vector>

#include "core/net/NetworkServices.h"
#include "ports/DialogPort.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"

namespace services {

std::string DirectoryBusyText() { return text::Cp("Не возможно получить данные от почтового узла - канал связи занят."); }

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

  const DirectoryListing listing = ListDirectory(console, *queue, dialogs, 2, progress);
  if (listing.outcome != ListingOutcome::kListed) {
    load.outcome = listing.outcome == ListingOutcome::kStopped ? DirectoryLoadOutcome::kStopped
                                                               : DirectoryLoadOutcome::kListFailed;
    return load;
  }
  const std::vector<ListedEntry>& listed = listing.entries;
  const size_t total = listing.total;

  load.entries.reserve(listed.size());
  for (size_t i = 0; i < listed.size(); ++i) {
    model::_VxItemBase entry(console.Hosts(), mailServer, listed[i].name, false);
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
