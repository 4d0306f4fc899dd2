#pragma once
// The favourite groups on the console's own registries: the mail server
// registry gives the slot and the one list of watched entries of each server
// (kept with its host description), and the host services build an entry
// from a server name and fetch its queue data, looking its task computers up
// again on every fetch. Nothing is shown in a box.
//
//   model::HostServices hosts(net, log);
//   model::HostFavoritesServers servers(net, hosts);
//   env.servers = &servers;

#include "model/favorites/FavoritesEnvironment.h"

namespace core {
class NetworkServices;
}

namespace model {

class HostServices;

class HostFavoritesServers : public FavoritesServers {
 public:
  HostFavoritesServers(core::NetworkServices& net, HostServices& hosts);

  int ServerSlot(const std::string& serverName) const override;
  WatchedList* Watched(const std::string& serverName) const override;
  // A direction until the Router says otherwise; null for a server that is
  // not registered.
  std::unique_ptr<_VxItem> MakeItem(const std::string& serverName, const std::string& itemName) override;
  // A failed fetch leaves the entry's data as it was before, so that the
  // checks and the members view go on with it; only the task computers it
  // found and the failure itself are recorded.
  bool Refresh(_VxItem& item) override;

 private:
  core::NetworkServices& net_;
  HostServices& hosts_;
};

}  // namespace model
