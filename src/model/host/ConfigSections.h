#pragma once
// Walking the sections of a server's configuration (CfgGetSectionCount,
// CfgGetSectionAt) on a bound target. RPC failures pass through as
// RpcException.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rpc {
class CallTarget;
}

namespace model {

// A zeroed receive buffer for a text of `capacity` bytes and its NUL.
std::vector<char> ConfigTextBuffer(int32_t capacity);

// Calls `visit` with each section's name in order until it returns false.
// A section that cannot be read ends the walk when `stopAtUnreadable`, else
// is passed over. False only when the sections could not be counted.
bool ForEachConfigSection(rpc::CallTarget& target, const std::function<bool(const std::string& name)>& visit,
                          bool stopAtUnreadable);

}  // namespace model
