#include "model/favorites/HostFavoritesServers.h"

#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "model/host/VtHostData.h"

namespace model {

HostFavoritesServers::HostFavoritesServers(core::NetworkServices& net, HostServices& hosts)
    : net_(net), hosts_(hosts) {}

int HostFavoritesServers::ServerSlot(const std::string& serverName) const {
  const core::__VtHostDescription* host = net_.FindMailServer(serverName);
  return host ? host->index : -1;
}

WatchedList* HostFavoritesServers::Watched(const std::string& serverName) const {
  core::__VtHostDescription* host = net_.FindMailServer(serverName);
  return host ? &VtHostData::Of(*host).watched : nullptr;
}

std::unique_ptr<_VxItem> HostFavoritesServers::MakeItem(const std::string& serverName, const std::string& itemName) {
  if (!net_.FindMailServer(serverName)) return nullptr;
  auto item = std::make_unique<_VxItem>(hosts_, serverName, itemName, false);
  if (!item->IsValid()) return nullptr;
  return item;
}

bool HostFavoritesServers::Refresh(_VxItem& item) {
  const _VxItem before(item);
  if (hosts_.RefreshItem(item)) return true;
  // What this attempt learnt stays: the task computers it found and that it failed.
  std::string queueTask = item.queueTaskName;
  std::string routerTask = item.routerTaskName;
  const int32_t entryMissing = item.queueEntryMissing;
  item = before;
  item.queueTaskName = std::move(queueTask);
  item.routerTaskName = std::move(routerTask);
  item.queueEntryMissing = entryMissing;
  item.lastRefreshFailed = 1;
  return false;
}

}  // namespace model
