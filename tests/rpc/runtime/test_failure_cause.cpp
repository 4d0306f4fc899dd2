// The cause a failure carries, in words, and where the runtime sets it.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Failures.h"
#include "RawPeer.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcServer.h"
#include "support/LoopbackSockets.h"

namespace rpc {
namespace {

using namespace std::chrono_literals;
using test::Failure;
using test::FailureOf;
using Action = ServerReply::Action;

TEST(FailureCause, DescriptionGivesTheStatusAndItsCauseOrMeaning) {
  struct Case {
    uint32_t status;
    FailureCause cause;
    const char* text;
  };
  const std::vector<Case> cases = {
      {1722, FailureCause::Refused, "1722 (connection refused)"},
      {1722, FailureCause::NoAnswer, "1722 (no answer)"},
      {1722, FailureCause::Unresolved, "1722 (name not resolved)"},
      {1722, FailureCause::TimedOut, "1722 (timed out)"},
      {1726, FailureCause::Closed, "1726 (connection closed)"},
      {1726, FailureCause::ProtocolError, "1726 (protocol error)"},
      {1818, FailureCause::Cancelled, "1818 (cancelled)"},
      {1722, FailureCause::Other, "1722 (server unavailable)"},
      {1717, FailureCause::Other, "1717 (unknown interface)"},
      {1783, FailureCause::Other, "1783 (bad stub data)"},
      {4242, FailureCause::Other, "4242"},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeFailure(c.status, c.cause), c.text);
  // A thrower that names no cause gets the one its status implies.
  EXPECT_EQ(RpcException(status::kProtocolError).Cause(), FailureCause::ProtocolError);
  EXPECT_EQ(RpcException(status::kCallCancelled).Cause(), FailureCause::Cancelled);
  EXPECT_EQ(RpcException(status::kServerUnavailable).Cause(), FailureCause::Other);
  EXPECT_EQ(RpcException(status::kServerUnavailable, "x", FailureCause::Refused).Describe(),
            "1722 (connection refused)");
}

uint16_t FreePort() {
  const auto listener = testsupport::ListenOnLoopback();
  close(listener.fd);
  return listener.port;
}

TEST(FailureCause, ConnectFailuresSayWhy) {
  const testsupport::BlackHole hole;
  ASSERT_TRUE(hole.Ok());
  struct Case {
    std::string address;
    FailureCause cause;
  };
  const std::vector<Case> cases = {
      {"127.0.0.1[" + std::to_string(FreePort()) + "]", FailureCause::Refused},
      {"127.0.0.3[" + std::to_string(hole.Port()) + "]", FailureCause::NoAnswer},
      {"no-such-host.invalid[12007]", FailureCause::Unresolved},
  };
  BindingOptions options;
  options.connectTimeout = 300ms;
  for (const auto& c : cases) {
    RpcBinding binding("ncacn_ip_tcp:" + c.address, options);
    EXPECT_EQ(FailureOf([&] { binding.Call(0, {}); }), (Failure{status::kServerUnavailable, c.cause})) << c.address;
  }
}

TEST(FailureCause, CallFailuresSayWhy) {
  RpcServer server([](uint16_t, NdrReader& r) { return ServerReply::With(static_cast<Action>(r.Long())); }, 1);
  BindingOptions options;
  options.callTimeout = 200ms;
  RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(server.ListenTcp("127.0.0.1", 0)) + "]", options);
  struct Case {
    Action action;
    Failure failure;
  };
  const std::vector<Case> cases = {
      {Action::kDropConnection, {status::kCallFailed, FailureCause::Closed}},
      {Action::kTruncated, {status::kCallFailed, FailureCause::Closed}},
      {Action::kNoAnswer, {status::kCallFailed, FailureCause::TimedOut}},
      {Action::kMalformed, {status::kProtocolError, FailureCause::ProtocolError}},
  };
  for (const auto& c : cases) {
    NdrWriter w;
    w.Long(static_cast<int32_t>(c.action));
    EXPECT_EQ(FailureOf([&] { binding.Call(0, w.Take()); }), c.failure) << int(c.action);
  }

  // A bind never answered: unavailable, for want of time.
  test::RawPeer mute({[](int fd) {
    while (!test::RawPeer::ReadPdu(fd).empty()) {
    }
  }});
  RpcBinding silent("ncacn_ip_tcp:127.0.0.1[" + std::to_string(mute.Port()) + "]", options);
  EXPECT_EQ(FailureOf([&] { silent.Call(0, {}); }), (Failure{status::kServerUnavailable, FailureCause::TimedOut}));
}

}  // namespace
}  // namespace rpc
