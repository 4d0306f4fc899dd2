#pragma once
// Whether a computer's address names this machine: then it is reached over
// the local transport instead of TCP.

#include <optional>
#include <string>
#include <vector>

namespace core {

// This machine as the resolver sees it.
struct LocalHostInfo {
  std::string officialName;
  std::vector<std::string> aliases;
  std::vector<std::string> ipv4;  // dotted addresses
};

// Resolves this machine's host name; nullopt when the name cannot be read or
// resolved.
std::optional<LocalHostInfo> SystemLocalHostInfo();

// True when `address` is a dotted IPv4 address found among the host's
// addresses, or a name equal (without regard to ASCII case) to its official
// name or one of its aliases.
bool IsLocalAddress(const std::string& address, const LocalHostInfo& host);

// The system's answer for `address`.
bool IsLocalMachine(const std::string& address);

}  // namespace core
