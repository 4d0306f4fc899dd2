#include "core/net/LocalMachine.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "text/Strings.h"

namespace core {

namespace {

void AddUnique(std::vector<std::string>& list, const std::string& value) {
  if (!value.empty() && std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// The aliases the hosts database knows for the name.
void AddAliases(const std::string& hostName, LocalHostInfo& info) {
  hostent entry{};
  hostent* found = nullptr;
  std::vector<char> buffer(8192);
  int error = 0;
  if (gethostbyname_r(hostName.c_str(), &entry, buffer.data(), buffer.size(), &found, &error) != 0 || !found)
    return;
  for (char** alias = found->h_aliases; alias && *alias; ++alias) AddUnique(info.aliases, *alias);
  if (found->h_addrtype == AF_INET && found->h_length == 4) {
    for (char** address = found->h_addr_list; address && *address; ++address) {
      char dotted[INET_ADDRSTRLEN] = {};
      if (inet_ntop(AF_INET, *address, dotted, sizeof dotted)) AddUnique(info.ipv4, dotted);
    }
  }
}

}  // namespace

std::optional<LocalHostInfo> SystemLocalHostInfo() {
  char name[512] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return std::nullopt;
  const std::string hostName(name);

  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_CANONNAME;
  addrinfo* result = nullptr;
  if (getaddrinfo(hostName.c_str(), nullptr, &hints, &result) != 0) return std::nullopt;
  LocalHostInfo info;
  if (result->ai_canonname) info.officialName = result->ai_canonname;
  for (const addrinfo* a = result; a; a = a->ai_next) {
    if (a->ai_family != AF_INET || !a->ai_addr) continue;
    char dotted[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
    if (inet_ntop(AF_INET, &in->sin_addr, dotted, sizeof dotted)) AddUnique(info.ipv4, dotted);
  }
  freeaddrinfo(result);
  // The machine's own host name names it, also where the resolver's official
  // name is the fully qualified one and no alias repeats the short one.
  AddUnique(info.aliases, hostName);
  AddAliases(hostName, info);
  return info;
}

bool IsLocalAddress(const std::string& address, const LocalHostInfo& host) {
  in_addr parsed{};
  if (inet_pton(AF_INET, address.c_str(), &parsed) == 1) {
    char dotted[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &parsed, dotted, sizeof dotted);
    return std::find(host.ipv4.begin(), host.ipv4.end(), std::string(dotted)) != host.ipv4.end();
  }
  if (address.empty()) return false;
  if (text::EqualsNoCaseAscii(address, host.officialName)) return true;
  return std::any_of(host.aliases.begin(), host.aliases.end(),
                     [&](const std::string& alias) { return text::EqualsNoCaseAscii(address, alias); });
}

bool IsLocalMachine(const std::string& address) {
  const std::optional<LocalHostInfo> host = SystemLocalHostInfo();
  return host && IsLocalAddress(address, *host);
}

}  // namespace core
