#pragma once
// The simulated node: its records and the server side of every operation the
// console issues, acting on the records as the node's tasks would. One method
// per operation takes the decoded request and returns the response to encode.
// Not thread-safe: the simulator serialises calls.
//
// Conventions of this node where the interface leaves the server free:
//   - an unknown directory item answers Status 2 (not found) and -2;
//   - an existing item on QMX_DirAdd, or a rename onto another existing item,
//     answers -5 with both status words 0;
//   - Router refusals use its own error codes (bit 31 set, reason in the low
//     byte): 6 "address not found", 7 "address exists", 9 "abonent exists";
//   - the state-change flag counts up on every change a console should notice:
//     administrator, task states, directory, routing and abonents.

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "ports/Clock.h"
#include "rpc/iface/DirStatus.h"
#include "rpc/iface/Messages.h"
#include "sim/lib/NodeData.h"

namespace sim {

namespace router {
inline constexpr int32_t kAddressMissing = static_cast<int32_t>(0x80000006u);
inline constexpr int32_t kAddressExists = static_cast<int32_t>(0x80000007u);
inline constexpr int32_t kAbonentExists = static_cast<int32_t>(0x80000009u);
inline constexpr int32_t kBadLevel = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t kMailboxHoldsMessages = -7;
inline constexpr int32_t kNotSupported = -1;
}  // namespace router

// The console reads these answers too: they are shared with it.
namespace qm {
inline constexpr int32_t kExists = rpc::dirstatus::kExists;
inline constexpr int32_t kNotFound = rpc::dirstatus::kNotFound;
inline constexpr int32_t kNotFoundStatus = rpc::dirstatus::kNotFoundStatus;
}  // namespace qm

class SimNode {
 public:
  explicit SimNode(Node node, const ports::Clock* clock = nullptr);

  Node& Data() { return node_; }
  const Node& Data() const { return node_; }
  void RaiseStateFlag() { ++node_.stateFlag; }

  // Session.
  rpc::LogonResponse Logon(const rpc::LogonRequest& r);
  rpc::LogoffResponse Logoff(const rpc::LogoffRequest& r);
  rpc::GetCurrentAdminResponse GetCurrentAdmin(const rpc::GetCurrentAdminRequest& r);
  rpc::GetStateFlagResponse GetStateFlag(const rpc::GetStateFlagRequest& r);

  // Tasks.
  rpc::TaskGetCountResponse TaskGetCount(const rpc::TaskGetCountRequest& r);
  rpc::TaskGetAtResponse TaskGetAt(const rpc::TaskGetAtRequest& r);
  rpc::TaskGetStateResponse TaskGetState(const rpc::TaskGetStateRequest& r);
  rpc::TaskControlResponse TaskControl(const rpc::TaskControlRequest& r);
  rpc::ServerControlResponse ServerControl(const rpc::ServerControlRequest& r);
  rpc::TaskGetParamCountResponse TaskGetParamCount(const rpc::TaskGetParamCountRequest& r);
  rpc::TaskGetParamAtResponse TaskGetParamAt(const rpc::TaskGetParamAtRequest& r);

  // Host: disks, server files, scanned folders.
  rpc::GetDisksResponse GetDisks(const rpc::GetDisksRequest& r);
  rpc::ListDirResponse ListDir(const rpc::ListDirRequest& r);
  rpc::GetFileResponse GetFile(const rpc::GetFileRequest& r);
  rpc::GetFolderCountResponse GetFolderCount(const rpc::GetFolderCountRequest& r);
  rpc::GetFolderAtResponse GetFolderAt(const rpc::GetFolderAtRequest& r);

  // Server configuration.
  rpc::CfgGetSectionCountResponse CfgGetSectionCount(const rpc::CfgGetSectionCountRequest& r);
  rpc::CfgGetSectionAtResponse CfgGetSectionAt(const rpc::CfgGetSectionAtRequest& r);
  rpc::CfgGetParamCountResponse CfgGetParamCount(const rpc::CfgGetParamCountRequest& r);
  rpc::CfgGetParamAtResponse CfgGetParamAt(const rpc::CfgGetParamAtRequest& r);

  // Queue manager.
  rpc::QMX_VtQmx_ExecuteQueryResponse ExecuteQuery(const rpc::QMX_VtQmx_ExecuteQueryRequest& r);
  rpc::QMX_DirAddResponse DirAdd(const rpc::QMX_DirAddRequest& r);
  rpc::QMX_DirDeleteResponse DirDelete(const rpc::QMX_DirDeleteRequest& r);
  rpc::QMX_DirGetCountResponse DirGetCount(const rpc::QMX_DirGetCountRequest& r);
  rpc::QMX_DirGetAtResponse DirGetAt(const rpc::QMX_DirGetAtRequest& r);
  rpc::QMX_DirGetAttrsResponse DirGetAttrs(const rpc::QMX_DirGetAttrsRequest& r);
  rpc::QMX_DirModifyResponse DirModify(const rpc::QMX_DirModifyRequest& r);
  rpc::QMX_DirGetTimingsArrayResponse DirGetTimingsArray(const rpc::QMX_DirGetTimingsArrayRequest& r);
  rpc::QMX_DirSetTimingsArrayResponse DirSetTimingsArray(const rpc::QMX_DirSetTimingsArrayRequest& r);
  rpc::QMX_DirGetQueueCountersResponse DirGetQueueCounters(const rpc::QMX_DirGetQueueCountersRequest& r);
  rpc::QMX_DirSetOptionResponse DirSetOption(const rpc::QMX_DirSetOptionRequest& r);
  rpc::QMX_DirReSetOptionResponse DirReSetOption(const rpc::QMX_DirReSetOptionRequest& r);
  rpc::QMX_DirGetOptionResponse DirGetOption(const rpc::QMX_DirGetOptionRequest& r);
  rpc::QMX_DirGetApfListResponse DirGetApfList(const rpc::QMX_DirGetApfListRequest& r);
  rpc::QMX_DirSetApfListResponse DirSetApfList(const rpc::QMX_DirSetApfListRequest& r);

  // Router.
  rpc::AddRoutItemResponse AddRoutItem(const rpc::AddRoutItemRequest& r);
  rpc::RedirRoutItemResponse RedirRoutItem(const rpc::RedirRoutItemRequest& r);
  rpc::DelRoutItemResponse DelRoutItem(const rpc::DelRoutItemRequest& r);
  rpc::GetRoutListResponse GetRoutList(const rpc::GetRoutListRequest& r);
  rpc::SetRoutItemResponse SetRoutItem(const rpc::SetRoutItemRequest& r);
  rpc::GetAbonentInfoResponse GetAbonentInfo(const rpc::GetAbonentInfoRequest& r);

  // Lookups (names compared ASCII case-insensitively, as the tasks do).
  DirEntry* FindEntry(std::string_view name);
  Task* FindTask(std::string_view name);
  AbonentRecord* FindAbonent(std::string_view name);
  const CfgSection* FindSection(std::string_view name) const;

  // Texts the Router hands out.
  std::string RouteTableText(int level) const;
  std::string AllAbonentsText() const;
  std::string OwnAddressesText(std::string_view name) const;

 private:
  int64_t NowSteadyMs() const;
  void RemoveAbonentRoutes(std::string_view name);

  Node node_;
  ports::SystemClock systemClock_;
  const ports::Clock* clock_;
  // Mailboxes whose deletion was answered -7, with the moment the confirmation expires.
  std::map<std::string, int64_t> pendingMailboxDeletes_;
};

}  // namespace sim
