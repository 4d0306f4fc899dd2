#pragma once
// Deleting a direction or abonent from its node (the delete command of the
// directions views): the refusals and the SYSOP question, the Router's record
// with its -7 confirmation loop, then the queue manager's directory entry,
// and the abonent records of the routing cache marked for re-reading.
//
// The whole deletion holds the operation gate: while its questions are open
// no poll or scan can slip in between its calls.
//
//   model::DeleteEntry({"NODE", "IVANOV", rights, scanRunning}, dialogs, net, hosts, gate);

#include <string>

namespace core {
class NetworkServices;
class OperationGate;
}  // namespace core
namespace ports {
class DialogPort;
}

namespace model {

class HostServices;

struct DeleteRequest {
  std::string mailServerName;
  std::string mailboxName;
  bool hasAdministratorRights = false;  // this console holds the node's rights
  bool scanRunning = false;             // a view is reading the node's data
};

enum class DeleteOutcome {
  kRefused,       // channel busy, scan, rights, unknown node: nothing sent
  kDeclined,      // the user kept SYSOP or did not confirm a mailbox with messages, or the Router refused (shown)
  kRouterFailed,  // reported; the queue manager was not asked
  kQueueFailed,   // the Router deleted, the queue manager did not
  kDeleted,
};

// The caller closes the entry's views once this returns kDeleted: a
// refusal or a No keeps them with any edit not applied yet.
DeleteOutcome DeleteEntry(const DeleteRequest& request, ports::DialogPort& dialogs, core::NetworkServices& net,
                          HostServices& hosts, core::OperationGate& gate);

}  // namespace model
