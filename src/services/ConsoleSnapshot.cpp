#include "services/ConsoleSnapshot.h"

#include "model/host/VtHostData.h"
#include "rpc/iface/Interface.h"
#include "services/ConsoleServices.h"

namespace services {

const ComputerSnapshot* ConsoleSnapshot::FindComputer(const std::string& name) const {
  for (const auto& computer : computers)
    if (computer.name == name) return &computer;
  return nullptr;
}

const MailServerSnapshot* ConsoleSnapshot::FindMailServer(const std::string& name) const {
  for (const auto& server : mailServers)
    if (server.name == name) return &server;
  return nullptr;
}

ConsoleSnapshot TakeSnapshot(ConsoleServices& console) {
  ConsoleSnapshot snapshot;
  core::NetworkServices& net = console.Net();
  std::vector<int> position(core::ComputerRegistry::kSlots, -1);
  for (int slot = 0; slot < core::ComputerRegistry::kSlots; ++slot) {
    const core::__RpcClientDescription* record = net.Computers().At(slot);
    if (record == nullptr) continue;
    ComputerSnapshot c;
    c.index = slot;
    c.name = record->name;
    c.address = record->networkAddress;
    c.port = record->endpoint;
    c.isLocal = record->isLocal;
    c.online = record->online;
    c.stateKnown = record->stateFlagKnown || record->startupLogon != core::StartupLogon::NotTried;
    c.connectionNotUsed = record->connectionNotUsed;
    c.administrator = record->Administrator();
    c.sessionOpen = record->SessionOpen();
    c.startupLogon = record->startupLogon;
    c.adminUser = record->adminUser;
    c.adminConnection = record->adminConnection;
    c.tasksKnown = console.Tasks().Known(slot);
    for (const core::TaskRow& row : console.Tasks().Rows(slot))
      c.tasks.push_back({row.name, row.comment, row.state, rpc::TaskStateText(row.state)});
    c.disks = record->disks;
    c.folders = record->folders;
    for (size_t word = 0; word < 4; ++word) {
      uint32_t value = 0;
      for (size_t b = 0; b < 4 && word * 4 + b < record->replicationState.size(); ++b)
        value |= static_cast<uint32_t>(record->replicationState[word * 4 + b]) << (8 * b);
      c.replicationWords[word] = value;
    }
    c.replicationState = record->replicationState;
    c.replicationText = record->replicationText;
    position[static_cast<size_t>(slot)] = static_cast<int>(snapshot.computers.size());
    snapshot.computers.push_back(std::move(c));
  }
  for (int slot = 0; slot < core::MailServerRegistry::kSlots; ++slot) {
    core::__VtHostDescription* record = net.MailServers().At(slot);
    if (record == nullptr) continue;
    MailServerSnapshot s;
    s.index = slot;
    s.name = record->name;
    for (int computer : record->computers)
      if (computer >= 0 && computer < core::ComputerRegistry::kSlots && position[static_cast<size_t>(computer)] >= 0)
        s.computers.push_back(position[static_cast<size_t>(computer)]);
    if (record->model) {
      const model::VtHostData& host = model::VtHostData::Of(*record);
      s.hostName = host.HostName();
      s.nodeAddress = host.NodeAddress();
      s.hostUid = host.HostUid();
    }
    snapshot.mailServers.push_back(std::move(s));
  }
  snapshot.machineIdentity = net.Identity();
  snapshot.configPath = console.App().ConfigPath();
  snapshot.settings = console.App().Settings();
  snapshot.favorites = TakeFavorites(console);
  return snapshot;
}

}  // namespace services
