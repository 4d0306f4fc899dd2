#include <gtest/gtest.h>

#include "core/MachineIdentity.h"

using core::ComputeMachineIdentity;
using core::HostLookup;

TEST(MachineIdentity, FromHostNameAndResolver) {
  struct Case {
    const char* what;
    std::optional<std::string> host;
    HostLookup lookup;
    std::string identity;
  } cases[] = {
      {"resolved", "ws12.example.org", {0, "ws12.example.org", 0x0A000105},
       "WinComputerName=ws12;FQDN=ws12.example.org;IP=10.0.1.5"},
      {"no official name, no address", "ws12", {0, "", 0}, "WinComputerName=ws12;FQDN=;IP="},
      {"host name unreadable", std::nullopt, {}, "** Error initializing unique value (0) **"},
      {"empty host name", "", {}, "** Error initializing unique value (1) **"},
      {"name starting with a dot", ".local", {}, "** Error initializing unique value (1) **"},
      {"not found", "ws12", {11001, "", 0}, "** Error initializing unique value (2) (WSAHOST_NOT_FOUND)**"},
      {"try again", "ws12", {11002, "", 0}, "** Error initializing unique value (2) (WSATRY_AGAIN)**"},
      {"no data", "ws12", {11004, "", 0}, "** Error initializing unique value (2) (WSANO_DATA)**"},
      {"unknown code", "ws12", {12345, "", 0}, "** Error initializing unique value (2) (12345 (0x3039))**"},
  };
  for (const auto& c : cases) {
    std::string asked;
    const auto identity = ComputeMachineIdentity(c.host, [&](const std::string& name) {
      asked = name;
      return c.lookup;
    });
    EXPECT_EQ(identity, c.identity) << c.what;
    if (c.lookup.officialName.size()) {
      EXPECT_EQ(asked, "ws12") << "the resolver gets the name cut at its first dot";
    }
  }
}

TEST(MachineIdentity, IsCutToFitTheIdentityBuffers) {
  const std::string longName(600, 'n');
  const auto identity = ComputeMachineIdentity("h", [&](const std::string&) { return HostLookup{0, longName, 1}; });
  EXPECT_EQ(identity.size(), core::kMachineIdentityMax);
  EXPECT_TRUE(identity.starts_with("WinComputerName=h;FQDN=nnn"));
}
