#pragma once
// A copy of what the windows show: the mail servers, their computers with
// the state the polls found, and the computers' tasks. The window thread
// never reads the services while a sequence of calls runs on the worker; it
// draws from the last snapshot, taken whenever the worker is idle. Plain
// values only, CP1251 text.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "core/net/RpcClientDescription.h"
#include "core/net/ScannedRecords.h"
#include "rpc/iface/QueryRecords.h"
#include "services/FavoritesSnapshot.h"

namespace services {

struct TaskSnapshot {
  std::string name;
  std::string comment;
  int32_t state = 0;       // the interface's task state code
  std::string stateText;   // as the navigation tree shows it
};

struct ComputerSnapshot {
  int index = -1;           // computer registry slot
  std::string name;
  std::string address;      // as the configuration file gave it (host part)
  std::string port;         // the endpoint
  bool isLocal = false;
  bool online = false;
  bool stateKnown = false;  // polled at least once
  bool connectionNotUsed = false;
  bool administrator = false;
  bool sessionOpen = false;
  core::StartupLogon startupLogon = core::StartupLogon::NotTried;
  std::string adminUser;        // the computer's current administrator
  std::string adminConnection;  // that administrator's machine identity
  bool tasksKnown = false;      // the task list was read at least once
  std::vector<TaskSnapshot> tasks;
  std::vector<core::CSI_disk> disks;
  std::vector<core::CSI_folder> folders;
  uint32_t replicationWords[4] = {0, 0, 0, 0};
  rpc::ReplicationRecord replicationState{};  // the whole record, for the replication view
  std::string replicationText;                // the last replication report's text
};

struct MailServerSnapshot {
  int index = -1;  // mail server registry slot
  std::string name;
  std::vector<int> computers;  // indexes into ConsoleSnapshot::computers
  // From the host description when it was read ("#HOST_NAME", "#ADDRESS_HOST",
  // "#HOST_UID"); empty until then.
  std::string hostName;
  std::string nodeAddress;
  std::string hostUid;
};

struct ConsoleSnapshot {
  std::vector<MailServerSnapshot> mailServers;  // registry order
  std::vector<ComputerSnapshot> computers;      // registry slot order, used slots only
  std::string machineIdentity;
  std::string configPath;
  core::ProgramSettings settings;  // [COMMON] as the program runs with it
  std::vector<FavoriteGroupView> favorites;  // list order

  const ComputerSnapshot* FindComputer(const std::string& name) const;
  const MailServerSnapshot* FindMailServer(const std::string& name) const;
};

}  // namespace services

namespace services {
class ConsoleServices;
// Reads everything above from the services; only while no sequence of calls
// runs on them.
ConsoleSnapshot TakeSnapshot(ConsoleServices& console);
}  // namespace services
