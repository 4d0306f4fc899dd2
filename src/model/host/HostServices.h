#pragma once
// The host description's remote side: reading the COMMON section through the
// server's MQUEUE task interface and filling the routing cache through its
// ROUTER task interface, on the registries and the process binding. It also
// answers the directory entries' questions about a mail server and refreshes
// a watched entry on the task computers found by the task lists.
//
//   model::HostServices hosts(net, log);
//   core::__VtHostDescription* host = net.FindMailServer("NODE");
//   hosts.EnsureLoaded(*host, false, "MQUEUE");
//   hosts.LoadRoutingData(*host, true, true, nullptr);   // no window: errors go to the log

#include <string>

#include "core/net/NetLog.h"
#include "core/net/NetworkServices.h"
#include "model/host/VtHostData.h"
#include "model/item/VxItemBase.h"
#include "rpc/iface/Interface.h"

namespace ports {
class DialogPort;
class ProgressPort;
}  // namespace ports

namespace model {

// The task names as the interface spells them (NUL-terminated literals).
inline constexpr const char* kQueueTask = rpc::task::kQueueManager.data();
inline constexpr const char* kRouterTask = rpc::task::kRouter.data();

// The window a routing load runs under: its message boxes and progress lines.
struct LoadWindow {
  ports::DialogPort* dialogs = nullptr;
  ports::ProgressPort* progress = nullptr;
};

class HostServices : public ItemServerLookup {
 public:
  HostServices(core::NetworkServices& net, core::NetLogFn log);

  // 1 when host name, node address and host identifier are known (read now
  // when missing or when forced); 0 when the task computer is unknown or the
  // read gave nothing usable.
  int EnsureLoaded(core::__VtHostDescription& host, bool force, const std::string& task = kQueueTask);
  // Reads COMMON on `queue`: 1, or 0 when the call failed or the sections
  // could not be counted.
  int ReadHostDescription(core::__VtHostDescription& host, core::__RpcClientDescription& queue);
  // Fetches the invalid tables and/or the abonent records; 1 on success.
  // `window` null: nothing is shown and Router errors go to the log.
  int LoadRoutingData(core::__VtHostDescription& host, bool tables, bool abonents, const LoadWindow* window);
  // 1 when the server has computers and every one is registered and usable.
  int AreComputersReady(const core::__VtHostDescription& host) const;

  // ItemServerLookup: the MQUEUE and ROUTER task computers and the node address.
  bool Find(const std::string& mailServerName, ItemServerNames& names) override;

  // Refreshes a watched entry: its task computers are looked up again when
  // unknown, and an entry whose queue manager computer is missing counts as failed.
  int RefreshItem(_VxItemBase& item);
  // Refreshes an entry a view shows: the queue manager half on the computer
  // named by queueTaskName, then, when it succeeded, the Router half on the one
  // named by routerTaskName. A name the registry does not know makes that half
  // succeed without calls. 1 when both succeeded; with a window a failure is
  // shown in a box.
  int RefreshEntry(_VxItemBase& entry, ports::DialogPort* window);

 private:
  // Both halves on the given computers (null: that half runs without calls);
  // a computer that cannot be bound fails its half and marks the entry.
  int RefreshOn(_VxItemBase& item, core::__RpcClientDescription* queue, core::__RpcClientDescription* router);
  core::__RpcClientDescription* TaskComputer(core::__VtHostDescription& host, const char* task);
  int Fetch(core::__VtHostDescription& host, core::__RpcClientDescription& router, bool tables, bool abonents,
            const LoadWindow* window);
  bool Progress(const LoadWindow* window, const std::string& line);
  void ReportRouter(const LoadWindow* window, const rpc::CallFailure& failure);

  core::NetworkServices& net_;
  core::NetLogFn log_;
};

}  // namespace model
