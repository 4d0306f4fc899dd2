#pragma once
// The agent drop-down of a direction's file transfer agents: the agent names
// declared in the server configuration of the computers of a mail server.
// Blocking remote calls: run it on a worker thread, never on the window's.

#include <string>
#include <vector>

namespace core {
class NetworkServices;
}
namespace rpc {
class CallTarget;
}

namespace model {

// Reads the configuration sections of one computer and adds to `names` every
// agent found there: a key "<X>" (other than "<FOLDER>", any case) of a
// section that is not one of the console's own gives "#X", trimmed and upper-
// cased, unless `names` holds it already. Stops at the first call that fails
// (a non-zero status ends quietly, an RpcException passes through); what was
// added until then stays.
void ReadAgentNamesOn(rpc::CallTarget& target, std::vector<std::string>& names);

// The agents of every computer of `mailServer`, in the mail server's order;
// a computer whose binding cannot be opened is passed over, a failed call
// ends the reading of that computer only. Empty for an unknown mail server.
std::vector<std::string> ReadAgentNames(core::NetworkServices& net, const std::string& mailServer);

}  // namespace model
