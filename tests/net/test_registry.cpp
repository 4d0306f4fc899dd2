// The registries as start-up fills them from [Remote interfaces] and [Hosts].
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include "NetHarness.h"
#include "core/net/LocalMachine.h"
#include "core/net/RemoteAddress.h"

namespace {

using nettest::Cp;
using nettest::LogEntry;
using testing::ElementsAre;
using testing::ElementsAreArray;

struct AddressCase {
  const char* value;
  const char* address;
  uint32_t port;
};

TEST(RemoteAddress, SplitsAddressAndPort) {
  const AddressCase cases[] = {
      {"10.0.0.5:12007", "10.0.0.5", 12007},
      {"10.0.0.5", "10.0.0.5", 5003},
      {"10.0.0.5:12a07", "10.0.0.5", 5003},
      {"  mail.example.ru  :  8080 ", "mail.example.ru", 8080},
      {"host:", "host", 5003},
      {"host:0", "host", 5003},
      {"host:65535", "host", 65535},
      {"host:65536", "host", 5003},
      {"host:99999999999999999999", "host", 5003},
      {"host:-1", "host", 5003},
      {"host:007", "host", 7},
      {"host:1:2", "host", 5003},
      {" spaced name ", " spaced name ", 5003},  // without ':' the value is kept as it is
  };
  for (const auto& c : cases) {
    const core::RemoteAddress parsed = core::ParseRemoteAddress(c.value);
    EXPECT_EQ(parsed.address, c.address) << c.value;
    EXPECT_EQ(parsed.port, c.port) << c.value;
  }
}

class ComputerRegistryTest : public nettest::NetTest {};

TEST_F(ComputerRegistryTest, StoresAddressAndEndpointAndLogsThem) {
  struct Case {
    const char* value;
    const char* address;
    const char* endpoint;
    const char* logPort;
  };
  const Case cases[] = {
      {"10.0.0.5:12007", "10.0.0.5", "12007", "   порт  = 12007 = 0x2EE7 -  OK."},
      {"10.0.0.5", "10.0.0.5", "5003", "   порт  = 5003 = 0x138B -  OK."},
      {"10.0.0.5:12a07", "10.0.0.5", "5003", "   порт  = 5003 = 0x138B -  OK."},
  };
  int n = 0;
  for (const auto& c : cases) {
    log.clear();
    const std::string name = "SRV" + std::to_string(++n);
    const core::__RpcClientDescription& computer = Computer(name, c.value);
    EXPECT_EQ(computer.name, name);
    EXPECT_EQ(computer.networkAddress, c.address);
    EXPECT_EQ(computer.endpoint, c.endpoint);
    EXPECT_EQ(computer.protseq, "ncacn_ip_tcp");
    EXPECT_EQ(computer.index, n - 1);
    EXPECT_THAT(log, ElementsAre(LogEntry{std::string("Инициализация сетевого интерфейса:\n   адрес = \"") + c.address +
                                              "\"\n" + c.logPort,
                                          5}));
  }
}

TEST_F(ComputerRegistryTest, EmptyNameOrValueIsSkippedQuietly) {
  EXPECT_EQ(net.RegisterComputer("", "10.0.0.5"), 0);
  EXPECT_EQ(net.RegisterComputer("SRV1", ""), 0);
  EXPECT_EQ(net.Computers().Count(), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(ComputerRegistryTest, TheHundredAndFirstComputerIsRefused) {
  for (int i = 0; i < 100; ++i) ASSERT_EQ(net.RegisterComputer("C" + std::to_string(i), "10.0.0.1:12007"), 0);
  log.clear();
  EXPECT_EQ(net.RegisterComputer("EXTRA", "10.0.0.9:12007"), 666);
  EXPECT_THAT(log, ElementsAre(LogEntry{"Инициализация сетевого интерфейса:\n   адрес = \"10.0.0.9\"\n"
                                        "   порт  = 12007 = 0x2EE7 -  FAILED !!!",
                                        6}));
  EXPECT_EQ(net.Computers().Count(), 100);
  EXPECT_EQ(net.FindComputer("EXTRA"), nullptr);
  // A freed slot is taken again.
  net.Teardown();
  EXPECT_EQ(net.RegisterComputer("EXTRA", "10.0.0.9:12007"), 0);
  EXPECT_EQ(net.FindComputer("EXTRA")->index, 0);
}

TEST_F(ComputerRegistryTest, FindIsExactAndCaseSensitive) {
  Computer("SRV1", "10.0.0.5:12007");
  EXPECT_NE(net.FindComputer("SRV1"), nullptr);
  EXPECT_EQ(net.FindComputer("srv1"), nullptr);
  EXPECT_EQ(net.FindComputer("SRV"), nullptr);
  EXPECT_EQ(net.Computers().At(-1), nullptr);
  EXPECT_EQ(net.Computers().At(100), nullptr);
}

// [Hosts] entries, each over the computers SRV1 and SRV2.
struct HostsCase {
  const char* name;
  const char* key;
  const char* value;
  int prefill;  // mail servers registered before, named NODE0...
  int code;
  std::vector<int> computers;
  std::vector<LogEntry> log;
};

class MailServerRegistryTest : public nettest::NetTest, public testing::WithParamInterface<HostsCase> {};

TEST_P(MailServerRegistryTest, RegistersOrRefuses) {
  const HostsCase& c = GetParam();
  Computer("SRV1", "10.0.0.1:12007");
  Computer("SRV2", "10.0.0.2:12007");
  for (int i = 0; i < c.prefill; ++i) ASSERT_EQ(net.RegisterMailServer("NODE" + std::to_string(i), "SRV1"), 0);
  const int before = net.MailServers().Count();
  log.clear();

  EXPECT_EQ(net.RegisterMailServer(c.key, c.value), c.code);
  EXPECT_THAT(log, ElementsAreArray(c.log));
  const core::__VtHostDescription* server = net.FindMailServer(c.key);
  if (c.code == 0) {
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->computers, c.computers);
    EXPECT_EQ(net.MailServers().Count(), before + 1);
  } else {
    EXPECT_EQ(net.MailServers().Count(), before);
    if (c.code != 1) {
      EXPECT_EQ(server, nullptr);
    }
  }
}

const std::vector<LogEntry> kTwoComputers = {
    {"Регистрация почтового сервера:\n  \"NODE\"", 0},
    {"  Интерфейс:\n    \"SRV1\"", 1},
    {"    OK, добавлен.", 1},
    {"  Интерфейс:\n    \"SRV2\"", 1},
    {"    OK, добавлен.", 1},
    {"  OK.", 1},
};

INSTANTIATE_TEST_SUITE_P(
    Hosts, MailServerRegistryTest,
    testing::Values(
        HostsCase{"EmptyNamesSkipped", "NODE", "SRV1,,SRV2,", 0, 0, {0, 1}, kTwoComputers},
        HostsCase{"BlanksTrimmed", "NODE", " SRV2 , SRV1", 0, 0, {1, 0},
                  {{"Регистрация почтового сервера:\n  \"NODE\"", 0},
                   {"  Интерфейс:\n    \"SRV2\"", 1},
                   {"    OK, добавлен.", 1},
                   {"  Интерфейс:\n    \"SRV1\"", 1},
                   {"    OK, добавлен.", 1},
                   {"  OK.", 1}}},
        HostsCase{"UnknownComputer", "NODE", "SRV1,SRVX,SRV2", 0, 4, {},
                  {{"Регистрация почтового сервера:\n  \"NODE\"", 0},
                   {"  Интерфейс:\n    \"SRV1\"", 1},
                   {"    OK, добавлен.", 1},
                   {"  Интерфейс:\n    \"SRVX\"", 1},
                   {"    Не найден !!!", 6},
                   {"  FAILED !!!", 6}}},
        HostsCase{"NamesAreCaseSensitive", "NODE", "srv1", 0, 4, {},
                  {{"Регистрация почтового сервера:\n  \"NODE\"", 0},
                   {"  Интерфейс:\n    \"srv1\"", 1},
                   {"    Не найден !!!", 6},
                   {"  FAILED !!!", 6}}},
        HostsCase{"Duplicate", "NODE0", "SRV2", 1, 1, {}, {}},
        HostsCase{"FiftyFirst", "NODE", "SRV1", 50, 2, {},
                  {{"Регистрация почтового сервера:\n  \"NODE\"", 0}, {"  FAILED !!!", 6}}},
        HostsCase{"FiftiethFits", "NODE", "SRV1,SRV2", 49, 0, {0, 1}, kTwoComputers}),
    [](const testing::TestParamInfo<HostsCase>& info) { return std::string(info.param.name); });

class MailServerEntryTest : public nettest::NetTest {};

TEST_F(MailServerEntryTest, EmptyValueRegistersNothing) {
  EXPECT_EQ(net.RegisterMailServer("NODE", ""), 0);
  EXPECT_EQ(net.RegisterMailServer("", "SRV1"), 0);
  EXPECT_EQ(net.MailServers().Count(), 0);
}

TEST_F(MailServerEntryTest, AFailedEntryFreesItsSlotForTheNext) {
  Computer("SRV1", "10.0.0.1:12007");
  EXPECT_EQ(net.RegisterMailServer("BAD", "SRVX"), 4);
  EXPECT_EQ(net.RegisterMailServer("GOOD", "SRV1"), 0);
  EXPECT_EQ(net.FindMailServer("GOOD")->index, 0);
}

TEST(LocalMachine, ComparesNamesWithoutCaseAndAddressesExactly) {
  const core::LocalHostInfo host{"ws.example.lan", {"ws", "loghost"}, {"10.0.0.7", "192.168.1.4"}};
  const std::pair<const char*, bool> cases[] = {
      {"ws.example.lan", true}, {"WS.Example.LAN", true}, {"ws", true},          {"LOGHOST", true},
      {"10.0.0.7", true},       {"192.168.1.4", true},    {"10.0.0.8", false},    {"ws.example", false},
      {"", false},              {"other", false},         {"10.0.0.70", false},
  };
  for (const auto& [address, local] : cases) EXPECT_EQ(core::IsLocalAddress(address, host), local) << address;
}

TEST(LocalMachine, ThisMachinesHostNameIsLocal) {
  char name[512] = {};
  ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
  const auto host = core::SystemLocalHostInfo();
  ASSERT_TRUE(host.has_value());
  EXPECT_TRUE(core::IsLocalMachine(name));
  for (const std::string& ip : host->ipv4) EXPECT_TRUE(core::IsLocalMachine(ip)) << ip;
  EXPECT_FALSE(core::IsLocalMachine("no-such-host.invalid"));
  EXPECT_FALSE(core::IsLocalMachine("192.0.2.77"));
}

}  // namespace
