// The same node over the local endpoint (ncalrpc on a Unix-domain socket).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/DirectoryListing.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/runtime/RpcBinding.h"

namespace {

TEST(LocalEndpoint, ServesTheSameNode) {
  ::setenv("VT_RPC_LOCAL_DIR", simtest::TempPath("local-inprocess").c_str(), 1);
  sim::NodeSimulator simulator(simtest::DemoNode());
  simulator.ListenLocal("local_rpc_exmon");
  rpc::RpcBinding local("ncalrpc:[local_rpc_exmon]");

  int32_t level = 0;
  rpc::Logon(local, 5, "HOST", 6, "ADMIN", 6, "admin", &level);
  EXPECT_EQ(level, 2);
  size_t entries = 0;
  EXPECT_FALSE(rpc::ListDirectory(local, {nullptr, [&](const rpc::DirectoryEntry&) { return ++entries, true; }}));
  EXPECT_EQ(entries, 8u);
  rpc::RoutingFetch fetch;
  EXPECT_THAT(fetch.RoutList(local, rpc::level::kOrg).value_or(""), testing::HasSubstr("ARCHIVE:TARCHIVE;"));
  EXPECT_EQ(simulator.Command("taskstate ROUTER 4"), "ok");
  int32_t state = 5;
  rpc::TaskGetState(local, "ROUTER", &state);
  EXPECT_EQ(state, 4);
}

}  // namespace
