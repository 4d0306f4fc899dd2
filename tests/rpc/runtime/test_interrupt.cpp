// A stop signal ends every client wait at once: a call to a silent server, a
// connect nobody answers, the connection probe; and no later call goes out
// until the interrupt is reset.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "Failures.h"
#include "RawPeer.h"
#include "core/poll/ConnectProbe.h"
#include "rpc/runtime/CallInterrupt.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcServer.h"
#include "support/LoopbackSockets.h"

namespace rpc {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using test::Failure;
using test::FailureOf;
using test::RawPeer;

const Failure kCancelled{status::kCallCancelled, FailureCause::Cancelled};

std::string TcpAddress(uint16_t port) { return "ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]"; }

class Interrupt : public ::testing::Test {
 protected:
  void TearDown() override { ResetCallInterrupt(); }

  // Runs `blocking` on a thread, fires `interrupt` once `ready` is, and
  // returns what `blocking` threw; the whole must end long before the 60 s
  // the waits would otherwise take.
  Failure Interrupted(std::function<void()> blocking, std::function<void()> interrupt,
                      std::future<void> ready) {
    auto done = std::async(std::launch::async, [&] { return FailureOf(blocking); });
    EXPECT_EQ(ready.wait_for(10s), std::future_status::ready);
    interrupt();
    EXPECT_EQ(done.wait_for(10s), std::future_status::ready) << "the wait did not end";
    return done.get();
  }
};

// A peer that accepts the bind, takes the request and never answers it.
RawPeer::Script SilentAfterRequest(std::promise<void>& requested) {
  return [&requested](int fd) {
    RawPeer::AcceptBind(fd);
    if (RawPeer::ReadPdu(fd).empty()) return;
    requested.set_value();
    while (!RawPeer::ReadPdu(fd).empty()) {
    }
  };
}

void InterruptOnSignal(int) { InterruptCalls(); }

// Nothing tells when a call has begun to wait on its socket: once `before` is
// ready, the thread is given a moment to get there. (An interrupt that comes
// earlier is caught all the same, by the check before each wait.)
std::future<void> AfterAMoment(std::shared_future<void> before = {}) {
  return std::async(std::launch::async, [before] {
    if (before.valid()) before.wait_for(10s);
    std::this_thread::sleep_for(200ms);
  });
}

TEST_F(Interrupt, StopSignalEndsACallToASilentServerAndEveryLaterCall) {
  std::promise<void> requested;
  RawPeer peer({SilentAfterRequest(requested)});
  BindingOptions options;
  options.callTimeout = 60s;
  RpcBinding binding(TcpAddress(peer.Port()), options);
  struct sigaction action {}, old{};
  action.sa_handler = InterruptOnSignal;
  sigaction(SIGUSR1, &action, &old);
  const Failure failure =
      Interrupted([&] { binding.Call(0, {}); }, [] { kill(getpid(), SIGUSR1); }, AfterAMoment(requested.get_future()));
  sigaction(SIGUSR1, &old, nullptr);
  EXPECT_EQ(failure, kCancelled);
  EXPECT_FALSE(binding.Connected());
  EXPECT_TRUE(CallsInterrupted());

  // Later calls fail without connecting.
  RpcServer server([](uint16_t, NdrReader&) { return ServerReply::Answer({1, 0, 0, 0}); }, 1);
  RpcBinding live(TcpAddress(server.ListenTcp("127.0.0.1", 0)));
  EXPECT_EQ(FailureOf([&] { live.Call(0, {}); }), kCancelled);
  EXPECT_EQ(server.AcceptedConnections(), 0u);

  ResetCallInterrupt();
  EXPECT_FALSE(CallsInterrupted());
  EXPECT_EQ(live.Call(0, {}).stub, (Bytes{1, 0, 0, 0}));
}

TEST_F(Interrupt, ConnectNobodyAnswersEnds) {
  const testsupport::BlackHole hole;
  ASSERT_TRUE(hole.Ok());
  BindingOptions options;
  options.connectTimeout = 60s;
  RpcBinding binding("ncacn_ip_tcp:127.0.0.3[" + std::to_string(hole.Port()) + "]", options);
  EXPECT_EQ(Interrupted([&] { binding.Call(0, {}); }, InterruptCalls, AfterAMoment()), kCancelled);
  EXPECT_FALSE(binding.Connected());
}

TEST_F(Interrupt, ConnectionProbeEndsAndDialsNobodyOnceInterrupted) {
  const testsupport::BlackHole hole;
  ASSERT_TRUE(hole.Ok());
  const auto live = testsupport::ListenOnLoopback("127.0.0.1", 16);
  const std::vector<core::ProbeTarget> targets = {{"127.0.0.3", hole.Port()}, {"127.0.0.3", hole.Port()}};
  std::vector<bool> answered;
  Interrupted([&] { answered = core::ProbeConnections(targets, 60s); }, InterruptCalls, AfterAMoment());
  EXPECT_EQ(answered, (std::vector<bool>{false, false}));

  const std::vector<core::ProbeTarget> liveOnly = {{"127.0.0.1", live.port}};
  EXPECT_EQ(core::ProbeConnections(liveOnly, 60s), std::vector<bool>{false});
  ResetCallInterrupt();
  EXPECT_EQ(core::ProbeConnections(liveOnly, 60s), std::vector<bool>{true});
  close(live.fd);
}

}  // namespace
}  // namespace rpc
