#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcException.h"

namespace rpc {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t CodeOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RpcException& e) {
    return e.Code();
  }
  return 0;
}

TEST(Pdu, BindOffersTheInterfaceAndNdr) {
  pdu::Bind bind;
  bind.contexts.push_back({0, pdu::InterfaceSyntax(), {pdu::NdrSyntax()}});
  const Bytes expected = {
      5, 0, 11, 3, 0x10, 0, 0, 0, 72, 0, 0, 0, 1, 0, 0, 0,  // common header, call id 1
      0xd0, 0x16, 0xd0, 0x16, 0, 0, 0, 0,                   // 5840 / 5840, no group
      1, 0, 0, 0,                                           // one context
      0, 0, 1, 0,                                           // context 0, one transfer syntax
      0x4f, 0x48, 0x59, 0xfc, 0x10, 0x94, 0xdd, 0x4b, 0x8e, 0x7d, 0x5f, 0xfd, 0xd4, 0x2f, 0xdf, 0x6f,
      1, 0, 2, 0,  // version 1.2
      0x04, 0x5d, 0x88, 0x8a, 0xeb, 0x1c, 0xc9, 0x11, 0x9f, 0xe8, 0x08, 0x00, 0x2b, 0x10, 0x48, 0x60,
      2, 0, 0, 0};  // NDR 2.0
  EXPECT_EQ(pdu::EncodeBind(bind, 1), expected);
  const auto header = pdu::ParseHeader(expected);
  const auto back = pdu::ParseBind(header, expected);
  ASSERT_EQ(back.contexts.size(), 1u);
  EXPECT_EQ(back.contexts[0].abstractSyntax, pdu::InterfaceSyntax());
  EXPECT_EQ(back.contexts[0].transferSyntaxes, std::vector<pdu::SyntaxId>{pdu::NdrSyntax()});
}

TEST(Pdu, BindAckPadsAfterTheSecondaryAddressAndParsesInBothByteOrders) {
  pdu::BindAck ack;
  ack.maxXmitFrag = 4280;
  ack.maxRecvFrag = 5840;
  ack.assocGroupId = 0x1234;
  ack.secondaryAddress = "135";  // 2 + 4 bytes after offset 24: two pad bytes follow
  ack.results.push_back({pdu::result::kAcceptance, 0, pdu::NdrSyntax()});
  for (bool big : {false, true}) {
    Bytes bytes = pdu::EncodeBindAck(ack, 9, big);
    ASSERT_EQ(bytes.size(), 16u + 8 + 2 + 4 + 2 + 4 + 24);
    bytes[30] = 0xAA;  // pads are never required to be zero
    bytes[31] = 0xBB;
    const auto header = pdu::ParseHeader(bytes);
    EXPECT_EQ(header.BigEndian(), big);
    EXPECT_EQ(header.callId, 9u);
    const auto back = pdu::ParseBindAck(header, bytes);
    EXPECT_EQ(back.maxXmitFrag, 4280);
    EXPECT_EQ(back.assocGroupId, 0x1234u);
    EXPECT_EQ(back.secondaryAddress, "135");
    ASSERT_EQ(back.results.size(), 1u);
    EXPECT_EQ(back.results[0].transferSyntax, pdu::NdrSyntax());
  }
}

TEST(Pdu, FaultAndResponseHeadersRoundTrip) {
  pdu::Fault fault;
  fault.status = nca::kOpRangeError;
  const Bytes bytes = pdu::EncodeFault(fault, 7, pdu::flag::kFirstFrag | pdu::flag::kLastFrag | pdu::flag::kDidNotExecute);
  ASSERT_EQ(bytes.size(), pdu::kFaultHeaderSize);
  EXPECT_EQ(pdu::ParseFault(pdu::ParseHeader(bytes), bytes).status, nca::kOpRangeError);

  pdu::Response response;
  response.allocHint = 100;
  const Bytes head = pdu::EncodeResponseHeader(response, 3, pdu::flag::kFirstFrag, 100, true);
  const auto header = pdu::ParseHeader(head);
  EXPECT_EQ(header.fragLength, 124);
  EXPECT_TRUE(header.BigEndian());
  EXPECT_EQ(pdu::ParseResponse(header, head).allocHint, 100u);
}

struct BadHeaderCase {
  const char* name;
  std::function<void(Bytes&)> spoil;
};

TEST(Pdu, RefusesHeadersThatLie) {
  const std::vector<BadHeaderCase> cases = {
      {"version 4", [](Bytes& b) { b[0] = 4; }},
      {"minor version 2", [](Bytes& b) { b[1] = 2; }},
      {"unknown integer representation", [](Bytes& b) { b[4] = 0x20; }},
      {"EBCDIC characters", [](Bytes& b) { b[4] = 0x11; }},
      {"fragment length below the header", [](Bytes& b) { b[8] = 15; }},
      {"authenticator longer than the fragment", [](Bytes& b) { b[10] = 40; }},
  };
  pdu::Fault fault;
  for (const auto& c : cases) {
    Bytes bytes = pdu::EncodeFault(fault, 1, 3);
    c.spoil(bytes);
    EXPECT_EQ(CodeOf([&] { pdu::ParseHeader(bytes); }), status::kProtocolError) << c.name;
  }
}

TEST(Pdu, RefusesBodiesThatLie) {
  pdu::BindAck ack;
  ack.secondaryAddress = "12007";
  ack.results.push_back({});
  Bytes good = pdu::EncodeBindAck(ack, 1);

  Bytes longAddress = good;
  longAddress[24] = 0xff;
  longAddress[25] = 0xff;
  EXPECT_EQ(CodeOf([&] { pdu::ParseBindAck(pdu::ParseHeader(longAddress), longAddress); }), status::kProtocolError);

  Bytes manyResults = good;
  manyResults[32] = 9;  // nine results announced, one present
  EXPECT_EQ(CodeOf([&] { pdu::ParseBindAck(pdu::ParseHeader(manyResults), manyResults); }), status::kProtocolError);

  Bytes shortFault = pdu::EncodeFault({}, 1, 3);
  shortFault.resize(28);
  shortFault[8] = 28;
  EXPECT_EQ(CodeOf([&] { pdu::ParseFault(pdu::ParseHeader(shortFault), shortFault); }), status::kProtocolError);

  // A fragment length above the bytes handed in.
  Bytes cut = good;
  cut.resize(40);
  EXPECT_EQ(CodeOf([&] { pdu::ParseBindAck(pdu::ParseHeader(cut), cut); }), status::kProtocolError);
}

TEST(FaultStatus, MapsNcaStatusesToWindowsCodes) {
  const std::vector<std::pair<uint32_t, uint32_t>> cases = {
      {nca::kOpRangeError, 1745}, {nca::kUnknownInterface, 1717}, {nca::kFaultNdr, 1783},
      {nca::kProtoError, 1728},   {nca::kServerTooBusy, 1723},    {nca::kInvalidBound, 1734},
      {nca::kCancel, 1818},       {nca::kUnspec, 1726},           {nca::kManagerNotEntered, 1727},
      {0x1C01FFFF, 1726},         {5, 5},                         {0, 1726},
  };
  for (const auto& [fault, code] : cases) EXPECT_EQ(WindowsCodeOfFault(fault), code) << std::hex << fault;
  for (uint32_t code : {1745u, 1717u, 1783u, 1728u, 5u}) {
    EXPECT_EQ(WindowsCodeOfFault(FaultStatusOfWindowsCode(code)), code) << code;
  }
}

}  // namespace
}  // namespace rpc
