#include "rpc/runtime/LocalEndpoint.h"

#include <sys/un.h>

#include <cstdlib>

#include "rpc/runtime/RpcException.h"

namespace rpc {

std::string LocalEndpointDir() {
  const char* dir = std::getenv(kLocalDirVariable);
  if (dir == nullptr || *dir == '\0') return kDefaultLocalDir;
  std::string out = dir;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string LocalEndpointPath(std::string_view endpoint) {
  auto bad = [&] { throw RpcException(status::kInvalidEndpointFormat, "bad local endpoint: " + std::string(endpoint)); };
  if (endpoint.empty() || endpoint.size() > 64 || endpoint == "." || endpoint == "..") bad();
  for (char ch : endpoint) {
    const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                    ch == '_' || ch == '-' || ch == '.';
    if (!ok) bad();
  }
  std::string path = LocalEndpointDir() + "/" + std::string(endpoint);
  if (path.size() >= sizeof(sockaddr_un{}.sun_path)) bad();
  return path;
}

}  // namespace rpc
