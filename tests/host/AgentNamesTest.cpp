// The agent drop-down read from the server configuration of every computer of
// a mail server, against two simulated nodes over loopback TCP.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/FakePorts.h"
#include "core/net/NetworkServices.h"
#include "model/item/AgentNames.h"
#include "services/ConsoleServices.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"
#include "support/TestConsole.h"
#include "text/Cp1251.h"

namespace {

// Both computers declare <X25>; the first also has sections that declare no
// agents, the local folder in two spellings and a lower-case agent.
const char* const kFirstNode = R"([CFG COMMON]
<COMMONAGENT>=not an agent section

[CFG ROUTER]
<ROUTERAGENT>=not an agent section

[CFG QUEUE MANAGER]
<QMAGENT>=not an agent section

[CFG X25]
#PORT=1
<X25>=Агент X.25

[CFG LOCAL]
<FOLDER>=Обмен через локальную папку
<Folder>=the same

[CFG MODEM]
<zmodem >=lower case
<>=nothing inside
<TCP=not closed
)";

const char* const kSecondNode = R"([CFG X25]
<X25>=Агент X.25

[CFG TCP]
<TCPVELT>=Агент TCP/IP
)";

struct AgentNamesFixture : testing::Test {
  testing_fakes::FakeDialogPort dialogs;
  testing_fakes::FixedClock clock;
  std::unique_ptr<services::ConsoleServices> console;
  std::unique_ptr<sim::NodeSimulator> first;
  std::unique_ptr<sim::NodeSimulator> second;

  void SetUp() override {
    services::ConsolePorts ports;
    ports.dialogs = &dialogs;
    ports.clock = &clock;
    console = testsupport::MakeTestConsole(ports, "WinComputerName=WS;FQDN=ws.lan;IP=10.0.0.7");
    first = Start(kFirstNode);
    second = Start(kSecondNode);
  }

  void TearDown() override {
    console->Net().Binding().UnbindCurrent();
    first->Stop();
    second->Stop();
  }

  static std::unique_ptr<sim::NodeSimulator> Start(const char* sectionsUtf8) {
    return std::make_unique<sim::NodeSimulator>(
        sim::LoadFixtureText(text::Utf8ToCp1251(sectionsUtf8), "test", 1765000000));
  }

  // Registers the computers (name, simulator or null for one that cannot be
  // reached) and the mail server NODE made of them, in that order.
  void Register(const std::vector<std::pair<std::string, sim::NodeSimulator*>>& computers) {
    core::NetworkServices& net = console->Net();
    std::string list;
    for (const auto& [name, node] : computers) {
      // Nothing listens on port 1 of the loopback address.
      const uint16_t port = node != nullptr ? node->ListenTcp("127.0.0.1", 0) : 1;
      ASSERT_EQ(net.RegisterComputer(name, "127.0.0.1:" + std::to_string(port)), 0);
      list += (list.empty() ? "" : ",") + name;
    }
    ASSERT_EQ(net.RegisterMailServer("NODE", list), 0);
  }

  std::vector<std::string> Read() { return model::ReadAgentNames(console->Net(), "NODE"); }
};

using Names = std::vector<std::string>;

TEST_F(AgentNamesFixture, AgentsOfEveryComputerOnceEach) {
  Register({{"SRV1", first.get()}, {"SRV2", second.get()}});
  EXPECT_EQ(Read(), (Names{"#X25", "#ZMODEM", "#", "#TCPVELT"}));
}

TEST_F(AgentNamesFixture, UnknownMailServerGivesNothing) {
  Register({{"SRV1", first.get()}});
  EXPECT_TRUE(model::ReadAgentNames(console->Net(), "OTHER").empty());
}

TEST_F(AgentNamesFixture, ComputerThatCannotBeBoundIsPassedOver) {
  Register({{"DOWN", nullptr}, {"SRV2", second.get()}});
  EXPECT_EQ(Read(), (Names{"#X25", "#TCPVELT"}));
}

// A failed call ends that computer only: its later sections are not read,
// what it gave before stays, and the next computer is read in full.
TEST_F(AgentNamesFixture, FailedCallEndsThatComputer) {
  const struct {
    const char* name;
    const char* firstCommand;   // for SRV1
    const char* secondCommand;  // for SRV2
    Names names;
  } cases[] = {
      {"status of the section count", "answer CfgGetSectionCount 0 status=5", nullptr, {"#X25", "#TCPVELT"}},
      {"status of a parameter count", "answer CfgGetParamCount 0 status=5", nullptr, {"#X25", "#TCPVELT"}},
      {"status of a section", "answer CfgGetSectionAt 0 status=5", nullptr, {"#X25", "#TCPVELT"}},
      {"dropped connection", "drop CfgGetParamAt", nullptr, {"#X25", "#TCPVELT"}},
      {"fault on the second computer", nullptr, "fault 1783 CfgGetParamAt", {"#X25", "#ZMODEM", "#"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Register({{"SRV1", first.get()}, {"SRV2", second.get()}});
    if (c.firstCommand) {
      ASSERT_EQ(first->Command(c.firstCommand), "ok");
    }
    if (c.secondCommand) {
      ASSERT_EQ(second->Command(c.secondCommand), "ok");
    }
    EXPECT_EQ(Read(), c.names);
  }
}

}  // namespace
