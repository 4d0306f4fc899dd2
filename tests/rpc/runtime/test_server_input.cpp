// The server runtime against clients that break the protocol: it answers what
// can be answered and closes the connection on anything out of step.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "RawPeer.h"
#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcServer.h"

namespace rpc {
namespace {

using Bytes = std::vector<uint8_t>;

class RawClient {
 public:
  explicit RawClient(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  }
  ~RawClient() { close(fd_); }
  void Send(const Bytes& bytes) { test::RawPeer::Send(fd_, bytes); }
  Bytes Read() { return test::RawPeer::ReadPdu(fd_); }
  void Bind() {
    pdu::Bind bind;
    bind.contexts.push_back({0, pdu::InterfaceSyntax(), {pdu::NdrSyntax()}});
    Send(pdu::EncodeBind(bind, 1));
    ASSERT_EQ(pdu::ParseHeader(Read()).type, pdu::type::kBindAck);
  }

 private:
  int fd_ = -1;
};

Bytes Request(uint32_t callId, uint8_t flags, const Bytes& stub, uint16_t contextId = 0) {
  pdu::Request head;
  head.contextId = contextId;
  Bytes out = pdu::EncodeRequestHeader(head, callId, flags, stub.size());
  out.insert(out.end(), stub.begin(), stub.end());
  return out;
}

constexpr uint8_t kWhole = pdu::flag::kFirstFrag | pdu::flag::kLastFrag;

class ServerInput : public ::testing::Test {
 protected:
  void SetUp() override { port_ = server_.ListenTcp("127.0.0.1", 0); }
  RpcServer server_{[](uint16_t, NdrReader& r) { return ServerReply::Answer(Bytes(r.Remaining(), 1)); }, 1};
  uint16_t port_ = 0;
};

TEST_F(ServerInput, AnswersWhatCanBeAnswered) {
  RawClient client(port_);
  client.Bind();
  // A request on a context that was never bound.
  client.Send(Request(2, kWhole, {}, 7));
  Bytes fault = client.Read();
  ASSERT_EQ(pdu::ParseHeader(fault).type, pdu::type::kFault);
  EXPECT_EQ(pdu::ParseFault(pdu::ParseHeader(fault), fault).status, nca::kUnknownInterface);
  // A request in three fragments is served as one.
  client.Send(Request(3, pdu::flag::kFirstFrag, Bytes(8)));
  client.Send(Request(3, 0, Bytes(8)));
  client.Send(Request(3, pdu::flag::kLastFrag, Bytes(4)));
  const Bytes response = client.Read();
  ASSERT_EQ(pdu::ParseHeader(response).type, pdu::type::kResponse);
  EXPECT_EQ(response.size(), pdu::kResponseHeaderSize + 20);
  // An alter_context is answered like a bind.
  pdu::Bind alter;
  alter.contexts.push_back({1, pdu::InterfaceSyntax(), {pdu::NdrSyntax()}});
  Bytes bytes = pdu::EncodeBind(alter, 4);
  bytes[2] = pdu::type::kAlterContext;
  client.Send(bytes);
  EXPECT_EQ(pdu::ParseHeader(client.Read()).type, pdu::type::kAlterContextResp);
  // A bind without any context is refused.
  client.Send(pdu::EncodeBind(pdu::Bind{}, 5));
  EXPECT_EQ(pdu::ParseHeader(client.Read()).type, pdu::type::kBindNak);
}

TEST_F(ServerInput, ClosesConnectionsThatGoOutOfStep) {
  struct Case {
    const char* name;
    bool bind;
    std::function<void(RawClient&)> send;
  };
  const std::vector<Case> cases = {
      {"request before bind", false, [](RawClient& c) { c.Send(Request(1, kWhole, {})); }},
      {"next fragment of another call", true,
       [](RawClient& c) {
         c.Send(Request(2, pdu::flag::kFirstFrag, Bytes(8)));
         c.Send(Request(3, pdu::flag::kLastFrag, Bytes(8)));
       }},
      {"middle fragment without a first", true, [](RawClient& c) { c.Send(Request(2, pdu::flag::kLastFrag, {})); }},
      {"not a PDU", true, [](RawClient& c) { c.Send(Bytes(16, 0xEE)); }},
      {"request above the size cap", true,
       [](RawClient& c) {
         const Bytes chunk(5000);
         c.Send(Request(2, pdu::flag::kFirstFrag, chunk));
         for (size_t sent = 0; sent <= pdu::kMaxReassembled; sent += chunk.size()) c.Send(Request(2, 0, chunk));
       }},
  };
  for (const auto& c : cases) {
    RawClient client(port_);
    if (c.bind) client.Bind();
    c.send(client);
    EXPECT_TRUE(client.Read().empty()) << c.name;
  }
}

}  // namespace
}  // namespace rpc
