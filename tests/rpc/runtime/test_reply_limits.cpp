// However a server dribbles its answer, a call ends in bounded time and
// fragments, drops the association, and the next call opens a new one.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Failures.h"
#include "RawPeer.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcBinding.h"
#include "support/BlockingSocketIo.h"

namespace rpc {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using pdu::flag::kFirstFrag;
using pdu::flag::kLastFrag;
using test::Failure;
using test::FailureOf;
using test::RawPeer;

bool Send(int fd, const Bytes& bytes) { return testsupport::WriteAll(fd, bytes.data(), bytes.size()); }

void DrainUntilClosed(int fd) {
  while (!RawPeer::ReadPdu(fd).empty()) {
  }
}

// Each piece sent 20 ms after the one before: always well inside the silence
// allowed. Gives up once the client has gone.
void Trickle(int fd, const std::vector<Bytes>& pieces) {
  for (const Bytes& piece : pieces) {
    std::this_thread::sleep_for(20ms);
    if (!Send(fd, piece)) return;
  }
}

// Answers the request with a first fragment, then 10 s of empty fragments,
// then the last one: a call that waits for it all would succeed.
void TrickledReply(int fd) {
  RawPeer::AcceptBind(fd);
  const Bytes request = RawPeer::ReadPdu(fd);
  if (request.empty()) return;
  const uint32_t id = pdu::ParseHeader(request).callId;
  std::vector<Bytes> pieces = {RawPeer::Response(id, kFirstFrag, Bytes(8))};
  pieces.insert(pieces.end(), 500, RawPeer::Response(id, 0, {}));
  pieces.push_back(RawPeer::Response(id, kLastFrag, {1, 0, 0, 0}));
  Trickle(fd, pieces);
  DrainUntilClosed(fd);
}

// Answers the bind one byte at a time.
void TrickledBindAck(int fd) {
  const Bytes bind = RawPeer::ReadPdu(fd);
  if (bind.empty()) return;
  pdu::BindAck ack;
  ack.results.push_back({pdu::result::kAcceptance, 0, pdu::NdrSyntax()});
  std::vector<Bytes> pieces;
  for (uint8_t byte : pdu::EncodeBindAck(ack, pdu::ParseHeader(bind).callId)) pieces.push_back({byte});
  Trickle(fd, pieces);
  DrainUntilClosed(fd);
}

std::string Address(const RawPeer& peer) { return "ncacn_ip_tcp:127.0.0.1[" + std::to_string(peer.Port()) + "]"; }

TEST(ReplyLimits, AnswerTrickledPastTheDeadlineFailsAndTheNextCallReconnects) {
  struct Case {
    const char* name;
    RawPeer::Script script;
    Failure failure;
  };
  const std::vector<Case> cases = {
      {"reply of endless empty fragments", TrickledReply, {status::kCallFailed, FailureCause::TimedOut}},
      {"bind answer byte by byte", TrickledBindAck, {status::kServerUnavailable, FailureCause::TimedOut}},
  };
  for (const auto& c : cases) {
    RawPeer peer({c.script, RawPeer::AnswerEveryRequest});
    BindingOptions options;
    options.callTimeout = 5s;
    options.replyDeadline = 300ms;
    RpcBinding binding(Address(peer), options);
    EXPECT_EQ(FailureOf([&] { binding.Call(0, {}); }), c.failure) << c.name;
    EXPECT_FALSE(binding.Connected()) << c.name;
    EXPECT_EQ(binding.Call(0, {}).stub, (Bytes{9, 0, 0, 0})) << c.name;
  }
}

TEST(ReplyLimits, FragmentCountIsCappedAtWhatTheSizeCapAllows) {
  // A full reply at the smallest fragment a server may grant still passes.
  static_assert(pdu::kMaxReplyFragments * (pdu::kMinFrag - pdu::kResponseHeaderSize) >= pdu::kMaxReassembled);
  for (const size_t count : {pdu::kMaxReplyFragments, pdu::kMaxReplyFragments + 1}) {
    // All at once: only the count is at fault, never the time.
    auto manyFragments = [count](int fd) {
      RawPeer::AcceptBind(fd);
      const Bytes request = RawPeer::ReadPdu(fd);
      if (request.empty()) return;
      const uint32_t id = pdu::ParseHeader(request).callId;
      Bytes reply = RawPeer::Response(id, kFirstFrag, {1, 0, 0, 0});
      const Bytes empty = RawPeer::Response(id, 0, {});
      for (size_t i = 0; i + 2 < count; ++i) reply.insert(reply.end(), empty.begin(), empty.end());
      const Bytes last = RawPeer::Response(id, kLastFrag, {});
      reply.insert(reply.end(), last.begin(), last.end());
      Send(fd, reply);
      DrainUntilClosed(fd);
    };
    RawPeer peer({manyFragments, RawPeer::AnswerEveryRequest});
    RpcBinding binding(Address(peer));
    if (count <= pdu::kMaxReplyFragments) {
      EXPECT_EQ(binding.Call(0, {}).stub, (Bytes{1, 0, 0, 0}));
      EXPECT_TRUE(binding.Connected());
    } else {
      EXPECT_EQ(FailureOf([&] { binding.Call(0, {}); }),
                (Failure{status::kCallFailed, FailureCause::ProtocolError}));
      EXPECT_FALSE(binding.Connected());
      EXPECT_EQ(binding.Call(0, {}).stub, (Bytes{9, 0, 0, 0}));
    }
  }
}

}  // namespace
}  // namespace rpc
