#pragma once
// Reads the COMMON section of the server configuration into a host
// description, on a target bound to the server's MQUEUE task interface.
// Sections and parameters that cannot be read are skipped; RPC failures pass
// through as RpcException.

namespace rpc {
class CallTarget;
}

namespace model {

class VtHostData;

// Empties the fourteen texts, then fills those found. False only when the
// sections could not be counted; no COMMON section leaves them empty.
bool ReadCommonSection(rpc::CallTarget& target, VtHostData& host);

}  // namespace model
