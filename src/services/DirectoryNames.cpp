#include "services/DirectoryNames.h"

#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "model/host/VtHostData.h"
#include "ports/DialogPort.h"
#include "services/ConsoleServices.h"
#include "services/DirectoryLoad.h"
#include "text/Cp1251.h"

namespace services {

DirectoryNames LoadDirectoryNames(ConsoleServices& console, const std::string& mailServer,
                                  ports::DialogPort* dialogs, const DirectoryProgress& progress) {
  DirectoryNames names;
  if (console.ScanRunning()) {
    if (dialogs) dialogs->Message(DirectoryBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
    return names;
  }
  names.outcome = DirectoryNamesOutcome::kNoTasks;
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServer);
  if (host == nullptr) return names;
  model::ItemServerNames tasks;
  if (!console.Hosts().Find(mailServer, tasks) || tasks.queueTaskName == model::kNoData) return names;
  core::__RpcClientDescription* queue = console.Net().Computers().Find(tasks.queueTaskName);
  if (queue == nullptr) return names;

  console.SetDataScan(true);
  struct ScanEnd {
    ConsoleServices& console;
    ~ScanEnd() { console.SetDataScan(false); }
  } scanEnd{console};

  // Abonent records only: the tables are not needed to tell the kinds apart.
  // A failed fetch has been told; the names are worth listing all the same.
  const model::LoadWindow window{dialogs, nullptr};
  console.Hosts().LoadRoutingData(*host, false, true, dialogs ? &window : nullptr);

  const DirectoryListing listing = ListDirectory(console, *queue, dialogs, 1, progress);
  const model::VtHostData& data = model::VtHostData::Of(*host);
  names.entries.reserve(listing.entries.size());
  for (const ListedEntry& listed : listing.entries)
    names.entries.push_back({listed.name, data.FindAbonentSection(listed.name).has_value(), listed.values[1] == 0});
  switch (listing.outcome) {
    case ListingOutcome::kListed: names.outcome = DirectoryNamesOutcome::kLoaded; break;
    case ListingOutcome::kStopped: names.outcome = DirectoryNamesOutcome::kStopped; break;
    case ListingOutcome::kFailed: names.outcome = DirectoryNamesOutcome::kListFailed; break;
  }
  return names;
}

}  // namespace services
