// The process binding and the call envelope: which computer is bound, what a
// failed call does to the on-line state, and the local transport.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "NetHarness.h"
#include "rpc/iface/SessionTexts.h"
#include "rpc/runtime/LocalEndpoint.h"

namespace {

using testing::ElementsAre;

class BindingTest : public nettest::NetTest {
 protected:
  // One state-flag call to the computer through the envelope.
  bool Poll(core::__RpcClientDescription& computer) {
    return net.Binding().CallOn(computer, [&](rpc::CallTarget& target) {
      flag = rpc::GetStateFlagWithTexts(target, nettest::kIdentity, "OPER");
    });
  }
  int32_t flag = -1;
};

TEST_F(BindingTest, FailedCallGoesOffLineAndTheNextAfterRestartComesBack) {
  nettest::SimNode node;
  core::__RpcClientDescription& computer = Computer("SRV1", node.Entry());
  EXPECT_STREQ(core::OnlineText(computer).first, "off-line");
  EXPECT_EQ(core::OnlineText(computer).second, 0);

  ASSERT_TRUE(Poll(computer));
  EXPECT_EQ(flag, 1);
  EXPECT_TRUE(computer.online);
  EXPECT_STREQ(core::OnlineText(computer).first, "on-line");
  EXPECT_EQ(core::OnlineText(computer).second, 1);
  EXPECT_EQ(computer.stringBinding, "ncacn_ip_tcp:127.0.0.1[" + std::to_string(node.Port()) + "]");
  EXPECT_THAT(notifier.states, ElementsAre(std::pair{0, true}));

  ASSERT_TRUE(Poll(computer));  // no change, no notice
  EXPECT_EQ(notifier.states.size(), 1u);

  node.Stop();
  EXPECT_FALSE(Poll(computer));
  EXPECT_FALSE(computer.online);
  EXPECT_NE(computer.lastException, 0u);
  EXPECT_THAT(notifier.states, ElementsAre(std::pair{0, true}, std::pair{0, false}));
  // The binding was rebuilt at once for the next try.
  EXPECT_TRUE(computer.Bound());
  EXPECT_EQ(net.Binding().CurrentIndex(), 0);

  EXPECT_FALSE(Poll(computer));  // still down: no second notice
  EXPECT_EQ(notifier.states.size(), 2u);

  node.Restart();
  ASSERT_TRUE(Poll(computer));
  EXPECT_TRUE(computer.online);
  EXPECT_THAT(notifier.states, ElementsAre(std::pair{0, true}, std::pair{0, false}, std::pair{0, true}));
}

TEST_F(BindingTest, FaultIsStoredAsLastException) {
  nettest::SimNode node;
  core::__RpcClientDescription& computer = Computer("SRV1", node.Entry());
  ASSERT_TRUE(Poll(computer));
  node.Command("fault 1783 GetStateFlag");
  EXPECT_FALSE(Poll(computer));
  EXPECT_EQ(computer.lastException, 1783u);
  EXPECT_FALSE(computer.online);
  // Only the failed call was lost: the next goes through.
  EXPECT_TRUE(Poll(computer));
}

TEST_F(BindingTest, BindingAnotherComputerDropsTheFirstButKeepsItsReport) {
  nettest::SimNode first;
  nettest::SimNode second;
  core::__RpcClientDescription& one = Computer("SRV1", first.Entry());
  core::__RpcClientDescription& two = Computer("SRV2", second.Entry());
  ASSERT_TRUE(Poll(one));
  one.disks.resize(2);
  one.folders.resize(3);

  ASSERT_TRUE(Poll(two));
  EXPECT_EQ(net.Binding().CurrentIndex(), 1);
  EXPECT_FALSE(one.Bound());
  EXPECT_TRUE(one.stringBinding.empty());
  EXPECT_STREQ(core::OnlineText(one).first, "off-line");
  EXPECT_EQ(one.disks.size(), 2u);
  EXPECT_EQ(one.folders.size(), 3u);

  // Each call binds to its own computer again.
  ASSERT_TRUE(Poll(one));
  EXPECT_EQ(net.Binding().CurrentIndex(), 0);
  EXPECT_EQ(first->AcceptedConnections(), 2u);
  EXPECT_EQ(second->AcceptedConnections(), 1u);
}

TEST_F(BindingTest, BadEndpointIsABindFailureNotACrash) {
  core::__RpcClientDescription& computer = Computer("SRV1", "10.0.0.5:12007");
  computer.endpoint = "12a";  // never made by the registry; set by hand
  uint32_t status = 0;
  EXPECT_FALSE(net.Binding().CallOn(computer, [](rpc::CallTarget&) { FAIL(); }, &status));
  EXPECT_NE(status, 0u);
  EXPECT_EQ(computer.rpcStatus, status);
  EXPECT_FALSE(computer.Bound());
  EXPECT_EQ(net.Binding().CurrentIndex(), -1);
}

TEST_F(BindingTest, TeardownEmptiesBothRegistries) {
  nettest::SimNode node;
  core::__RpcClientDescription& computer = Computer("SRV1", node.Entry());
  ASSERT_EQ(net.RegisterMailServer("NODE", "SRV1"), 0);
  ASSERT_TRUE(Poll(computer));
  net.Teardown();
  EXPECT_EQ(net.Binding().CurrentIndex(), -1);
  EXPECT_EQ(net.Computers().Count(), 0);
  EXPECT_EQ(net.MailServers().Count(), 0);
  EXPECT_EQ(net.FindComputer("SRV1"), nullptr);
}

class FixedCarrier : public core::TaskCarrierLookup {
 public:
  std::string FindTaskComputer(const std::string& server, const std::string& task) override {
    return server == "NODE" && task == "MQUEUE" ? "SRV2" : "";
  }
};

TEST_F(BindingTest, TaskCarrierIsLookedUpInTheRegistry) {
  Computer("SRV1", "10.0.0.1:12007");
  Computer("SRV2", "10.0.0.2:12007");
  EXPECT_EQ(net.FindTaskComputer("NODE", "MQUEUE"), nullptr);  // nobody to ask yet
  FixedCarrier carrier;
  net.SetTaskCarrierLookup(&carrier);
  EXPECT_EQ(net.FindTaskComputer("NODE", "MQUEUE"), net.FindComputer("SRV2"));
  EXPECT_EQ(net.FindTaskComputer("NODE", "ROUTER"), nullptr);
}

// This machine's own name goes over the local transport, whatever port its
// entry names.
TEST_F(BindingTest, ThisMachineIsReachedOverTheLocalEndpoint) {
  const auto dir = std::filesystem::temp_directory_path() / ("vt_net_local_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  ::setenv(rpc::kLocalDirVariable, dir.c_str(), 1);
  sim::NodeSimulator simulator(nettest::Users());
  simulator.ListenLocal("local_rpc_exmon");

  char host[512] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  net.Computers().SetLocalTest(core::IsLocalMachine);
  log.clear();
  core::__RpcClientDescription& computer = Computer("HERE", std::string(host) + ":1");
  EXPECT_TRUE(computer.isLocal);
  EXPECT_THAT(log, ElementsAre(nettest::LogEntry{
                       "Инициализация сетевого интерфейса:\n   протокол = ncalrpc\n   порт  = local_rpc_mqueue -  OK.", 5}));

  net.Logon().logonComputer = "HERE";
  net.Logon().userName = "ADMIN";
  net.Logon().password = "adm";
  EXPECT_EQ(net.Sessions().Logon(false), 1);
  EXPECT_EQ(net.Logon().accessLevel, 2);
  EXPECT_EQ(computer.stringBinding, "ncalrpc:[local_rpc_exmon]");
  simulator.Stop();
  ::unsetenv(rpc::kLocalDirVariable);
  std::filesystem::remove_all(dir);
}

}  // namespace
