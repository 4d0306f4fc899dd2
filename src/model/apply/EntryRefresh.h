#pragma once
// Refreshing one entry from its server through the call envelope: the queue
// manager half on the computer named by queueTaskName, then, when it
// succeeded, the Router half on the one named by routerTaskName. A name the
// registry does not know makes that half succeed without calls; a computer
// that cannot be bound fails it.

namespace core {
class NetworkServices;
}
namespace ports {
class DialogPort;
}

namespace model {

class _VxItemBase;

// 1 when both halves succeeded; with a window a failure is shown in a box.
int RefreshEntry(core::NetworkServices& net, _VxItemBase& entry, ports::DialogPort* window);

}  // namespace model
