#include "core/MachineIdentity.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include "text/Strings.h"

namespace core {

std::string SocketErrorName(unsigned long code) {
  switch (code) {
    case 10093: return "WSANOTINITIALISED";
    case 10050: return "WSAENETDOWN";
    case 10036: return "WSAEINPROGRESS";
    case 10014: return "WSAEFAULT";
    case 10004: return "WSAEINTR";
    case 11001: return "WSAHOST_NOT_FOUND";
    case 11002: return "WSATRY_AGAIN";
    case 11003: return "WSANO_RECOVERY";
    case 11004: return "WSANO_DATA";
    default: return text::Format("%lu (0x%lX)", code, code);
  }
}

std::string ComputeMachineIdentity(const std::optional<std::string>& hostName, const HostResolver& resolve) {
  if (!hostName) return "** Error initializing unique value (0) **";
  const std::string name = hostName->substr(0, hostName->find('.'));
  if (name.empty()) return "** Error initializing unique value (1) **";

  const HostLookup found = resolve(name);
  std::string identity;
  if (found.error != 0) {
    identity = text::Format("** Error initializing unique value (2) (%s)**",
                            SocketErrorName(static_cast<unsigned long>(found.error)).c_str());
  } else {
    std::string ip;
    if (found.ipv4 != 0)
      ip = text::Format("%lu.%lu.%lu.%lu", (found.ipv4 >> 24) & 0xFFul, (found.ipv4 >> 16) & 0xFFul,
                        (found.ipv4 >> 8) & 0xFFul, found.ipv4 & 0xFFul);
    identity = "WinComputerName=" + name + ";FQDN=" + found.officialName + ";IP=" + ip;
  }
  if (identity.size() > kMachineIdentityMax) identity.resize(kMachineIdentityMax);
  return identity;
}

std::optional<std::string> SystemHostName() {
  char buffer[512] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0) return std::nullopt;
  return std::string(buffer);
}

HostLookup SystemResolve(const std::string& hostName) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_CANONNAME;
  addrinfo* result = nullptr;
  HostLookup found;
  const int rc = getaddrinfo(hostName.c_str(), nullptr, &hints, &result);
  if (rc != 0) {
    // The resolver's failures in the socket library's terms.
    switch (rc) {
      case EAI_NONAME: found.error = 11001; break;
      case EAI_AGAIN: found.error = 11002; break;
#ifdef EAI_NODATA
      case EAI_NODATA: found.error = 11004; break;
#endif
#ifdef EAI_ADDRFAMILY
      case EAI_ADDRFAMILY: found.error = 11004; break;
#endif
      default: found.error = 11003; break;
    }
    return found;
  }
  if (result->ai_canonname) found.officialName = result->ai_canonname;
  for (const addrinfo* a = result; a; a = a->ai_next) {
    if (a->ai_family == AF_INET && a->ai_addr) {
      found.ipv4 = ntohl(reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
      break;
    }
  }
  freeaddrinfo(result);
  return found;
}

const std::string& MachineIdentity() {
  static const std::string identity = ComputeMachineIdentity(SystemHostName(), SystemResolve);
  return identity;
}

}  // namespace core
