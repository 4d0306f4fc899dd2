#pragma once
// Where a mail server keeps its installation sets: "#CLIENT_DIR" of the
// COMMON section of its MQUEUE computer, then "INSTALL\".

#include <optional>
#include <string>
#include <string_view>

namespace rpc {
class CallTarget;
}

namespace model {

// ".\" for an empty value; a "\" unless it already ends in "\" or "/"; then "INSTALL\".
std::string InstallationDirectory(std::string_view clientDir);

// Reads COMMON on `target` (bound to the MQUEUE computer). Empty when the
// sections could not be counted; a missing key counts as an empty value.
// RPC failures pass through as RpcException.
std::optional<std::string> ReadInstallationDirectory(rpc::CallTarget& target);

}  // namespace model
