// Connections to the simulator: each open association is served while others
// stay open, a closed one leaves its worker to the next, and Stop ends them all.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <vector>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcException.h"

namespace {

std::unique_ptr<rpc::RpcBinding> Bind(const simtest::Harness& h) {
  rpc::BindingOptions options;
  options.connectTimeout = std::chrono::milliseconds(2000);
  options.callTimeout = std::chrono::milliseconds(5000);
  return std::make_unique<rpc::RpcBinding>("ncacn_ip_tcp:127.0.0.1[" + std::to_string(h.port) + "]", options);
}

int32_t TaskCount(rpc::CallTarget& target) {
  int32_t count = -1;
  rpc::TaskGetCount(target, &count);
  return count;
}

TEST(Connections, OpenAssociationsAreServedSideBySideAndClosedOnesMakeRoom) {
  simtest::Harness h;
  const int32_t tasks = TaskCount(h.Target());
  ASSERT_GT(tasks, 0);

  // Each association stays open, holding whatever serves it, while the next opens.
  std::vector<std::unique_ptr<rpc::RpcBinding>> open;
  for (int i = 0; i < 6; ++i) {
    open.push_back(Bind(h));
    ASSERT_EQ(TaskCount(*open.back()), tasks) << "association " << i;
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) EXPECT_EQ(TaskCount(**it), tasks);

  // Short associations one after the other, with the long ones closed half-way.
  for (int i = 0; i < 30; ++i) {
    if (i == 15) open.clear();
    EXPECT_EQ(TaskCount(*Bind(h)), tasks) << "short association " << i;
  }
  EXPECT_EQ(h.simulator->AcceptedConnections(), 1u + 6u + 30u);
}

TEST(Connections, StopEndsOpenAndIdleConnections) {
  simtest::Harness h;
  auto held = Bind(h);
  ASSERT_GT(TaskCount(*held), 0);
  ASSERT_GT(TaskCount(*Bind(h)), 0);  // leaves a worker with nothing to do

  auto stopped = std::async(std::launch::async, [&] { h.simulator->Stop(); });
  ASSERT_EQ(stopped.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "Stop hangs";
  EXPECT_THROW(TaskCount(*held), rpc::RpcException);
}

}  // namespace
