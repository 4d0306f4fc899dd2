// The binding handle against the server runtime over real loopback sockets.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "RawPeer.h"
#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/LocalEndpoint.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcException.h"
#include "rpc/runtime/RpcServer.h"

namespace rpc {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using Action = ServerReply::Action;

// The operations of the test service.
enum Op : uint16_t {
  kEcho = 0,      // answers the request body as it came
  kSized = 1,     // L n -> n bytes of a pattern
  kBigEndian = 2, // L v -> L[1] v, Bv[16; "abc"], L 0, all big-endian
  kAct = 3,       // L action, L fault status -> that action
  kStrict = 4,    // reads exactly one L; anything more is bad stub data
  kCount = 5,
};

Bytes Pattern(size_t n) {
  Bytes out(n);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return out;
}

Bytes LongBody(std::initializer_list<int32_t> values) {
  NdrWriter w;
  for (int32_t v : values) w.Long(v);
  return w.Take();
}

ServerReply Serve(uint16_t opnum, NdrReader& r) {
  switch (opnum) {
    case kEcho: {
      Bytes body(r.Remaining());
      for (auto& b : body) b = static_cast<uint8_t>(r.Char());
      return ServerReply::Answer(std::move(body));
    }
    case kSized: return ServerReply::Answer(Pattern(static_cast<uint32_t>(r.Long())));
    case kBigEndian: {
      NdrWriter w(true);
      w.LongArray1(r.Long());
      w.VaryingBytes(16, "abc");
      w.Long(0);
      return ServerReply::Answer(w.Take(), true);
    }
    case kAct: {
      const auto action = static_cast<Action>(r.Long());
      ServerReply reply = ServerReply::With(action);
      reply.faultStatus = static_cast<uint32_t>(r.Long());
      reply.stub = Pattern(20000);  // several fragments, for the truncated answer
      return reply;
    }
    case kStrict: {
      const int32_t v = r.Long();
      r.ExpectEnd();
      return ServerReply::Answer(LongBody({v}));
    }
    default: return ServerReply::Answer({});
  }
}

uint32_t CodeOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RpcException& e) {
    return e.Code();
  }
  return 0;
}

class Loopback : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<RpcServer>(Serve, kCount);
    port_ = server_->ListenTcp("127.0.0.1", 0);
  }
  std::string Address() const { return "ncacn_ip_tcp:127.0.0.1[" + std::to_string(port_) + "]"; }
  std::unique_ptr<RpcBinding> Bind(BindingOptions options = {}) {
    if (options.callTimeout == 60000ms) options.callTimeout = 10s;
    return std::make_unique<RpcBinding>(Address(), options);
  }
  void ExpectEchoWorks(RpcBinding& binding) {
    const Bytes body = LongBody({1, 2, 3});
    EXPECT_EQ(binding.Call(kEcho, body).stub, body);
  }

  std::unique_ptr<RpcServer> server_;
  uint16_t port_ = 0;
};

TEST_F(Loopback, CallsShareOneAssociationOpenedOnTheFirstCall) {
  auto binding = Bind();
  EXPECT_FALSE(binding->Connected());
  EXPECT_EQ(server_->AcceptedConnections(), 0u);
  const Bytes body = LongBody({11, 22, 33});  // as small as a routing-table request
  for (int i = 0; i < 3; ++i) {
    const Reply reply = binding->Call(kEcho, body);
    EXPECT_EQ(reply.stub, body);
    EXPECT_FALSE(reply.bigEndian);
  }
  EXPECT_TRUE(binding->Connected());
  EXPECT_EQ(server_->AcceptedConnections(), 1u);
  EXPECT_EQ(binding->MaxXmitFrag(), 5840);
  EXPECT_EQ(binding->MaxRecvFrag(), 5840);
  EXPECT_TRUE(binding->Call(kEcho, {}).stub.empty());
}

TEST_F(Loopback, FragmentsBothWays) {
  auto binding = Bind();
  // A file answer of 4.5 MiB comes back in some 800 fragments.
  const Reply big = binding->Call(kSized, LongBody({4718592}));
  EXPECT_EQ(big.stub.size(), 4718592u);
  EXPECT_TRUE(big.stub == Pattern(4718592));
  // A request of a megabyte goes out in fragments and comes back whole.
  const Bytes request = Pattern(1000003);
  EXPECT_TRUE(binding->Call(kEcho, request).stub == request);
  // Exactly one fragment's worth, and one byte more.
  for (size_t n : {size_t{5816}, size_t{5817}}) {
    EXPECT_TRUE(binding->Call(kEcho, Pattern(n)).stub == Pattern(n)) << n;
  }
}

TEST_F(Loopback, BigEndianReplyIsFlaggedAndReadsRight) {
  auto binding = Bind();
  const Reply reply = binding->Call(kBigEndian, LongBody({0x01020304}));
  EXPECT_TRUE(reply.bigEndian);
  NdrReader r(reply.stub, reply.bigEndian);
  EXPECT_EQ(r.LongArray1(), 0x01020304);
  EXPECT_EQ(r.VaryingBytes(16), "abc");
  EXPECT_EQ(r.Long(), 0);
  EXPECT_NO_THROW(r.ExpectEnd());
}

TEST_F(Loopback, FaultsGiveTheirCodesAndKeepTheAssociation) {
  auto binding = Bind();
  const std::vector<std::pair<uint32_t, uint32_t>> cases = {
      {nca::kOpRangeError, 1745}, {nca::kFaultNdr, 1783}, {nca::kUnknownInterface, 1717},
      {nca::kUnspec, 1726},       {5, 5},
  };
  for (const auto& [faultStatus, code] : cases) {
    EXPECT_EQ(CodeOf([&] { binding->Call(kAct, LongBody({int32_t(Action::kFault), int32_t(faultStatus)})); }), code);
  }
  EXPECT_EQ(CodeOf([&] { binding->Call(kCount, {}); }), status::kProcNumOutOfRange);
  EXPECT_EQ(CodeOf([&] { binding->Call(kStrict, LongBody({1, 2})); }), status::kBadStubData);
  ExpectEchoWorks(*binding);
  EXPECT_EQ(server_->AcceptedConnections(), 1u);
}

TEST_F(Loopback, BrokenRepliesDropTheAssociationAndTheNextCallReconnects) {
  struct Case {
    Action action;
    uint32_t code;
  };
  const std::vector<Case> cases = {
      {Action::kDropConnection, status::kCallFailed},
      {Action::kTruncated, status::kCallFailed},
      {Action::kMalformed, status::kProtocolError},
  };
  auto binding = Bind();
  uint64_t connections = 0;
  for (const auto& c : cases) {
    ExpectEchoWorks(*binding);
    EXPECT_EQ(server_->AcceptedConnections(), ++connections);
    EXPECT_EQ(CodeOf([&] { binding->Call(kAct, LongBody({int32_t(c.action), 0})); }), c.code)
        << int(c.action);
    EXPECT_FALSE(binding->Connected());
  }
  ExpectEchoWorks(*binding);
}

TEST_F(Loopback, ReplyAboveTheCapIsAProtocolError) {
  auto binding = Bind();
  EXPECT_EQ(CodeOf([&] { binding->Call(kSized, LongBody({int32_t(pdu::kMaxReassembled + 1)})); }),
            status::kProtocolError);
  EXPECT_FALSE(binding->Connected());
  ExpectEchoWorks(*binding);
}

TEST_F(Loopback, SilentReplyFailsAfterTheCallTimeout) {
  BindingOptions options;
  options.callTimeout = 200ms;
  auto binding = Bind(options);
  EXPECT_EQ(CodeOf([&] { binding->Call(kAct, LongBody({int32_t(Action::kNoAnswer), 0})); }), status::kCallFailed);
  EXPECT_FALSE(binding->Connected());
  ExpectEchoWorks(*binding);
}

TEST_F(Loopback, WrongInterfaceIsRefusedAtBind) {
  struct Case {
    const char* name;
    std::function<void(BindingOptions&)> change;
  };
  const std::vector<Case> cases = {
      {"newer minor version", [](BindingOptions& o) { o.versionMinor = 3; }},
      {"other major version", [](BindingOptions& o) { o.versionMajor = 2; }},
      {"other interface", [](BindingOptions& o) { o.interfaceUuid.timeLow ^= 1; }},
  };
  for (const auto& c : cases) {
    BindingOptions options;
    c.change(options);
    auto binding = Bind(options);
    EXPECT_EQ(CodeOf([&] { binding->Call(kEcho, {}); }), status::kUnknownIf) << c.name;
    EXPECT_FALSE(binding->Connected());
  }
  BindingOptions older;
  older.versionMinor = 1;  // a client of an older minor version is served
  ExpectEchoWorks(*Bind(older));
}

TEST_F(Loopback, StopEndsConnectionsAndDelayedHandlers) {
  RpcServer server([](uint16_t, NdrReader&) {
    ServerReply r = ServerReply::Answer({});
    r.delay = 1h;
    return r;
  }, 1);
  const uint16_t port = server.ListenTcp("127.0.0.1", 0);
  RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]");
  std::thread caller([&] { EXPECT_EQ(CodeOf([&] { binding.Call(0, {}); }), status::kCallFailed); });
  const auto deadline = std::chrono::steady_clock::now() + 60s;  // only against a hang
  while (server.AcceptedConnections() == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_NE(server.AcceptedConnections(), 0u) << "the call never connected";
  std::this_thread::sleep_for(50ms);
  server.Stop();  // must not wait for the hour
  caller.join();
}

TEST(Connect, RefusedConnectionIsServerUnavailable) {
  // A port that was free a moment ago and has no listener.
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t length = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
  close(fd);
  BindingOptions options;
  options.connectTimeout = 500ms;
  RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(ntohs(addr.sin_port)) + "]", options);
  EXPECT_EQ(CodeOf([&] { binding.Call(0, {}); }), status::kServerUnavailable);
  EXPECT_FALSE(binding.Connected());

  RpcBinding unresolved("ncacn_ip_tcp:no-such-host.invalid[12007]", options);
  EXPECT_EQ(CodeOf([&] { unresolved.Call(0, {}); }), status::kServerUnavailable);
}

TEST(Connect, ServerThatAcceptsButNeverAnswersTimesOut) {
  test::RawPeer peer({[](int fd) {
    // Swallows whatever comes until the client gives up.
    while (!test::RawPeer::ReadPdu(fd).empty()) {
    }
  }});
  BindingOptions options;
  options.callTimeout = 200ms;
  RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(peer.Port()) + "]", options);
  EXPECT_EQ(CodeOf([&] { binding.Call(0, {}); }), status::kServerUnavailable);
  EXPECT_FALSE(binding.Connected());
}

TEST(Connect, BindingStringsAreCheckedWithoutConnecting) {
  EXPECT_EQ(CodeOf([] { RpcBinding("ncacn_np:host[\\pipe\\x]"); }), status::kProtseqNotSupported);
  EXPECT_EQ(CodeOf([] { RpcBinding("ncacn_ip_tcp:host"); }), status::kInvalidEndpointFormat);
  EXPECT_EQ(CodeOf([] { RpcBinding("ncacn_ip_tcp:203.0.113.1[12007]"); }), 0u);  // nothing is sent
}

// A peer that accepts the bind and answers the first request with `reply`
// made from the request's call id; a second connection is served properly.
std::vector<test::RawPeer::Script> LyingThenHonest(std::function<Bytes(uint32_t callId)> reply) {
  auto lying = [reply](int fd) {
    test::RawPeer::AcceptBind(fd);
    const auto request = test::RawPeer::ReadPdu(fd);
    if (request.empty()) return;
    test::RawPeer::Send(fd, reply(pdu::ParseHeader(request).callId));
    shutdown(fd, SHUT_WR);  // what was sent is all there is
    while (!test::RawPeer::ReadPdu(fd).empty()) {
    }
  };
  return {lying, test::RawPeer::AnswerEveryRequest};
}

Bytes Response(uint32_t callId, uint8_t flags, const Bytes& stub, bool big = false, uint32_t allocHint = 0) {
  return test::RawPeer::Response(callId, flags, stub, big, allocHint);
}

TEST(LyingServer, RepliesThatBreakTheProtocolAreRefused) {
  using pdu::flag::kFirstFrag;
  using pdu::flag::kLastFrag;
  struct Case {
    const char* name;
    std::function<Bytes(uint32_t)> reply;
    uint32_t code;
  };
  const std::vector<Case> cases = {
      {"another call id", [](uint32_t id) { return Response(id + 1, kFirstFrag | kLastFrag, {1, 0, 0, 0}); },
       status::kProtocolError},
      {"first fragment not flagged first", [](uint32_t id) { return Response(id, kLastFrag, {1, 0, 0, 0}); },
       status::kProtocolError},
      {"second fragment flagged first",
       [](uint32_t id) {
         Bytes a = Response(id, kFirstFrag, Bytes(8));
         Bytes b = Response(id, kFirstFrag | kLastFrag, Bytes(8));
         a.insert(a.end(), b.begin(), b.end());
         return a;
       },
       status::kProtocolError},
      {"data representation changes",
       [](uint32_t id) {
         Bytes a = Response(id, kFirstFrag, Bytes(8));
         Bytes b = Response(id, kLastFrag, Bytes(8), true);
         a.insert(a.end(), b.begin(), b.end());
         return a;
       },
       status::kProtocolError},
      {"a bind_ack for a reply", [](uint32_t id) { return pdu::EncodeBindAck({}, id); }, status::kProtocolError},
      {"response shorter than its header",
       [](uint32_t id) {
         Bytes r = Response(id, kFirstFrag | kLastFrag, {});
         r[8] = 20;
         r.resize(20);
         return r;
       },
       status::kProtocolError},
      {"fragment cut by a closed connection",
       [](uint32_t id) {
         Bytes r = Response(id, kFirstFrag | kLastFrag, Bytes(100));
         r.resize(60);
         return r;
       },
       status::kCallFailed},
      {"fault in pieces", [](uint32_t id) { return pdu::EncodeFault({0, 0, 0, nca::kOpRangeError}, id, kFirstFrag); },
       status::kProcNumOutOfRange},
  };
  for (const auto& c : cases) {
    test::RawPeer peer(LyingThenHonest(c.reply));
    BindingOptions options;
    options.callTimeout = 5s;
    RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(peer.Port()) + "]", options);
    EXPECT_EQ(CodeOf([&] { binding.Call(0, {}); }), c.code) << c.name;
    EXPECT_FALSE(binding.Connected()) << c.name;
    EXPECT_EQ(binding.Call(0, {}).stub, (Bytes{9, 0, 0, 0})) << c.name;
  }
}

TEST(LyingServer, HugeAllocHintIsNotTrusted) {
  test::RawPeer peer(LyingThenHonest([](uint32_t id) {
    return Response(id, pdu::flag::kFirstFrag | pdu::flag::kLastFrag, {7, 0, 0, 0}, false, 0xFFFFFFFF);
  }));
  RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(peer.Port()) + "]");
  const Reply reply = binding.Call(0, {});
  EXPECT_EQ(reply.stub, (Bytes{7, 0, 0, 0}));
  EXPECT_LE(reply.stub.capacity(), pdu::kMaxReassembled);
}

TEST(LyingServer, BindRefusalsGiveTheirCodes) {
  struct Case {
    const char* name;
    std::function<Bytes(uint32_t)> answer;
    uint32_t code;
  };
  pdu::BindAck tiny;
  tiny.maxXmitFrag = tiny.maxRecvFrag = 100;
  tiny.results.push_back({pdu::result::kAcceptance, 0, pdu::NdrSyntax()});
  pdu::BindAck noResult;
  const std::vector<Case> cases = {
      {"bind_nak unspecified", [](uint32_t id) { return pdu::EncodeBindNak({}, id); }, status::kCallFailedDne},
      {"bind_nak congestion", [](uint32_t id) { return pdu::EncodeBindNak({pdu::nak::kTemporaryCongestion}, id); },
       status::kServerTooBusy},
      {"fragments below the minimum", [tiny](uint32_t id) { return pdu::EncodeBindAck(tiny, id); },
       status::kProtocolError},
      {"no context result", [noResult](uint32_t id) { return pdu::EncodeBindAck(noResult, id); },
       status::kProtocolError},
      {"answered with another call id", [](uint32_t id) { return pdu::EncodeBindNak({}, id + 1); },
       status::kProtocolError},
  };
  for (const auto& c : cases) {
    test::RawPeer peer({[&](int fd) {
      const auto bind = test::RawPeer::ReadPdu(fd);
      test::RawPeer::Send(fd, c.answer(pdu::ParseHeader(bind).callId));
      while (!test::RawPeer::ReadPdu(fd).empty()) {
      }
    }});
    RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(peer.Port()) + "]");
    EXPECT_EQ(CodeOf([&] { binding.Call(0, {}); }), c.code) << c.name;
    EXPECT_FALSE(binding.Connected()) << c.name;
  }
}

class LocalEndpoint : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("vt-rpc-test-" + std::to_string(getpid()));
    setenv(kLocalDirVariable, dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv(kLocalDirVariable);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
};

TEST_F(LocalEndpoint, RoundTripOverTheLocalSocket) {
  RpcServer server(Serve, kCount);
  server.ListenLocal("local_rpc_exmon");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "local_rpc_exmon"));
  RpcBinding binding("ncalrpc:[local_rpc_exmon]");
  const Bytes body = Pattern(20000);
  EXPECT_EQ(binding.Call(kEcho, body).stub, body);
  EXPECT_EQ(CodeOf([&] { RpcServer(Serve, kCount).ListenLocal("local_rpc_exmon"); }), 1720u);  // live endpoint
  server.Stop();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "local_rpc_exmon"));
  EXPECT_EQ(CodeOf([&] { RpcBinding("ncalrpc:[local_rpc_exmon]").Call(kEcho, body); }), status::kServerUnavailable);
}

TEST_F(LocalEndpoint, StaleSocketFileIsReplaced) {
  {
    RpcServer first(Serve, kCount);
    first.ListenLocal("ep");
  }
  // Leave a socket file behind as a killed server would.
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string path = LocalEndpointPath("ep");
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  close(fd);
  RpcServer second(Serve, kCount);
  second.ListenLocal("ep");
  EXPECT_EQ(RpcBinding("ncalrpc:[ep]").Call(kEcho, LongBody({5})).stub, LongBody({5}));
}

}  // namespace
}  // namespace rpc
