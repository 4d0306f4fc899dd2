#include "model/apply/EntryRefresh.h"

#include "core/net/NetworkServices.h"
#include "model/item/VxItemBase.h"

namespace model {

namespace {

// One half on its computer; a bind failure fails the half and the refresh.
template <class Half>
int RunHalf(core::NetworkServices& net, _VxItemBase& entry, const std::string& computerName, Half half) {
  core::__RpcClientDescription* computer = net.FindComputer(computerName);
  if (!computer) return half(nullptr);
  int done = 0;
  if (!net.Binding().CallOn(*computer, [&](rpc::CallTarget& target) { done = half(&target); })) {
    entry.lastRefreshFailed = 1;
    return 0;
  }
  return done;
}

}  // namespace

int RefreshEntry(core::NetworkServices& net, _VxItemBase& entry, ports::DialogPort* window) {
  int ok = RunHalf(net, entry, entry.queueTaskName,
                   [&](rpc::CallTarget* target) { return entry.RefreshQueueManager(target); });
  if (ok) {
    ok = RunHalf(net, entry, entry.routerTaskName,
                 [&](rpc::CallTarget* target) { return entry.RefreshRouter(target); });
  }
  if (!ok && window) entry.ShowRefreshFailure(*window);
  return ok;
}

}  // namespace model
