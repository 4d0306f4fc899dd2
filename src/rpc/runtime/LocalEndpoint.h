#pragma once
// Where an ncalrpc endpoint lives: a Unix-domain socket named after the
// endpoint, in the folder named by the environment variable VT_RPC_LOCAL_DIR,
// or /tmp/vtconsole-rpc when it is unset or empty. Client and server both ask
// here, so they agree by construction.

#include <string>
#include <string_view>

namespace rpc {

inline constexpr const char* kLocalDirVariable = "VT_RPC_LOCAL_DIR";
inline constexpr const char* kDefaultLocalDir = "/tmp/vtconsole-rpc";

// The folder of the local endpoints.
std::string LocalEndpointDir();
// The socket path of an endpoint. Throws RpcException(1706) when the endpoint
// is empty, longer than 64 bytes or holds anything but letters, digits, '_',
// '-' and '.' (no '/', no "." or ".."), or when the path is too long for a socket.
std::string LocalEndpointPath(std::string_view endpoint);

}  // namespace rpc
