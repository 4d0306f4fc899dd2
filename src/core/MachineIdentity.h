#pragma once
// The console's machine identity: one text that names this workstation to the
// servers ("WinComputerName=%s;FQDN=%s;IP=%s"), sent with every logon and
// compared with the current administrator's connection.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace core {

// What the name resolver found for the host name.
struct HostLookup {
  int error = 0;             // 0, or a socket error code (11001-11004 for resolver failures)
  std::string officialName;  // empty when none
  uint32_t ipv4 = 0;         // first address, host byte order; 0 when none
};
using HostResolver = std::function<HostLookup(const std::string& hostName)>;

// The longest identity: it must fit the 512-byte identity buffer and the
// 511-byte capacity of the administrator's connection text.
inline constexpr size_t kMachineIdentityMax = 510;

// The name of a socket error code ("WSAHOST_NOT_FOUND"), or "%lu (0x%lX)".
std::string SocketErrorName(unsigned long code);

// The identity from a host name (nullopt: the name could not be read) and a
// resolver. The host name is cut at its first '.'.
std::string ComputeMachineIdentity(const std::optional<std::string>& hostName, const HostResolver& resolve);

// The system's host name and resolver (getaddrinfo, IPv4).
std::optional<std::string> SystemHostName();
HostLookup SystemResolve(const std::string& hostName);

// Computed from the system on first use and kept.
const std::string& MachineIdentity();

}  // namespace core
