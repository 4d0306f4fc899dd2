#pragma once
// The computer record: one per entry of [Remote interfaces], owned by the
// computer registry. It carries the address the binding is made from, the
// console's session on that computer, and what the poll last found there.

#include <cstdint>
#include <string>
#include <vector>

#include "core/net/ScannedRecords.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/runtime/FailureCause.h"

namespace core {

// Bits of __RpcClientDescription::flags.
namespace clientflag {
inline constexpr uint32_t kBound = 1u << 0;        // binding established
inline constexpr uint32_t kSessionOpen = 1u << 1;  // logon data stored, cleared after Logoff
inline constexpr uint32_t kAdministrator = 1u << 2;  // this console holds administrator rights
}  // namespace clientflag

inline constexpr const char* kDefaultProtseq = "ncacn_ip_tcp";
inline constexpr const char* kDefaultAddress = "127.0.0.1";
inline constexpr const char* kDefaultEndpoint = "12007";
// A local computer is reached over the local transport at this endpoint.
inline constexpr const char* kLocalProtseq = "ncalrpc";
inline constexpr const char* kLocalEndpoint = "local_rpc_exmon";

// How the start-up logon ended for a computer.
enum class StartupLogon {
  NotTried,
  Unreachable,  // no channel: logged on later, once a poll reaches it
  Refused,      // the user or password was refused: not asked again
  Accepted,
  NotUsed,      // the user chose to work without a connection
};

struct __RpcClientDescription {
  rpc::ReplicationRecord replicationState{};  // first word 1 once valid
  std::string replicationText;                // log text of the last kind 3 query
  std::vector<CSI_folder> folders;            // scanned folders of the last poll
  std::vector<CSI_disk> disks;                // scanned disks of the last poll
  std::string adminUser;                      // the computer's current administrator
  std::string adminConnection;                // that administrator's machine identity
  std::string user;                           // this console's user name for the computer
  std::string password;
  int32_t logoffResult = 0;                   // out value of Logoff
  bool connectionNotUsed = false;             // every bind fails with 66400
  uint32_t flags = 0;                         // clientflag bits
  uint32_t rpcStatus = 0;                     // status of the last binding runtime call
  std::string protseq = kDefaultProtseq;
  std::string networkAddress = kDefaultAddress;
  std::string endpoint = kDefaultEndpoint;
  std::string options;
  uint32_t lastException = 0;                 // code of the last RPC exception around a call
  rpc::FailureCause lastFailureCause = rpc::FailureCause::Other;  // and why it came
  std::string stringBinding;                  // composed binding; emptied on unbind
  int index = -1;                             // slot in the computer registry
  bool isLocal = false;                       // cached result of the local-machine test
  int32_t stateFlag = 0;                      // last GetStateFlag value
  bool stateFlagKnown = false;                // false until the first poll
  std::string name;
  bool pollingSuspended = false;
  bool online = false;                        // outcome of the last call
  bool previousOnline = false;                // online when the current call began
  StartupLogon startupLogon = StartupLogon::NotTried;

  bool Bound() const { return (flags & clientflag::kBound) != 0; }
  bool SessionOpen() const { return (flags & clientflag::kSessionOpen) != 0; }
  bool Administrator() const { return (flags & clientflag::kAdministrator) != 0; }
};

}  // namespace core
