#include "rpc/runtime/RpcBinding.h"

#include <algorithm>
#include <optional>

#include "rpc/runtime/CallInterrupt.h"
#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/LocalEndpoint.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcException.h"
#include "rpc/runtime/Transport.h"

namespace rpc {

namespace {

[[noreturn]] void ProtocolError(const std::string& what) {
  throw RpcException(status::kProtocolError, "protocol error: " + what);
}

// A fault that ended a call; `keep` says whether the association is still in step.
struct FaultRaised {
  uint32_t code;
  uint32_t status;
  bool keep;
};

std::optional<Uuid> ParseUuid(const std::string& text) {
  if (text.empty()) return std::nullopt;
  auto hex = [&](size_t from, size_t count) {
    return static_cast<uint32_t>(std::stoul(text.substr(from, count), nullptr, 16));
  };
  Uuid u{};
  u.timeLow = hex(0, 8);
  u.timeMid = static_cast<uint16_t>(hex(9, 4));
  u.timeHiAndVersion = static_cast<uint16_t>(hex(14, 4));
  u.clockSeqAndNode[0] = static_cast<uint8_t>(hex(19, 2));
  u.clockSeqAndNode[1] = static_cast<uint8_t>(hex(21, 2));
  for (size_t i = 0; i < 6; ++i) u.clockSeqAndNode[2 + i] = static_cast<uint8_t>(hex(24 + 2 * i, 2));
  return u;
}

uint32_t CodeOfBindNak(uint16_t reason) {
  switch (reason) {
    case pdu::nak::kTemporaryCongestion:
    case pdu::nak::kLocalLimitExceeded: return status::kServerTooBusy;
    case pdu::nak::kProtocolVersionNotSupported: return status::kProtocolError;
    default: return status::kCallFailedDne;  // refused before anything ran
  }
}

// When an answer begun now must be complete; far-off values mean none.
Transport::Clock::time_point DeadlineAfter(std::chrono::milliseconds wait) {
  if (wait.count() < 0 || wait > std::chrono::hours(24 * 365)) return Transport::kNoDeadline;
  return Transport::Clock::now() + wait;
}

// Reads one whole fragment: the header, then exactly frag_length - 16 bytes.
std::vector<uint8_t> ReadFragment(Transport& transport, pdu::Header& header, std::chrono::milliseconds silence) {
  uint8_t head[pdu::kHeaderSize];
  transport.ReadExact(head, sizeof head, silence);
  header = pdu::ParseHeader(head);
  std::vector<uint8_t> fragment(header.fragLength);
  std::copy(head, head + sizeof head, fragment.begin());
  transport.ReadExact(fragment.data() + pdu::kHeaderSize, header.fragLength - pdu::kHeaderSize, silence);
  return fragment;
}

}  // namespace

RpcBinding::RpcBinding(std::string_view stringBinding, BindingOptions options)
    : binding_(ParseStringBinding(stringBinding)), options_(options) {
  if (binding_.endpoint.empty()) {
    // There is no endpoint mapper to ask: the endpoint must be given.
    throw RpcException(status::kInvalidEndpointFormat, "string binding without an endpoint");
  }
}

RpcBinding::~RpcBinding() = default;

void RpcBinding::SetConnectTimeout(std::chrono::milliseconds timeout) {
  std::lock_guard lock(mutex_);
  options_.connectTimeout = timeout;
}

void RpcBinding::SetCallTimeout(std::chrono::milliseconds timeout) {
  std::lock_guard lock(mutex_);
  options_.callTimeout = timeout;
}

void RpcBinding::SetReplyDeadline(std::chrono::milliseconds deadline) {
  std::lock_guard lock(mutex_);
  options_.replyDeadline = deadline;
}

void RpcBinding::Reset() {
  std::lock_guard lock(mutex_);
  connection_.reset();
}

bool RpcBinding::Connected() const {
  std::lock_guard lock(mutex_);
  return connection_ != nullptr;
}

void RpcBinding::Associate() {
  std::unique_ptr<Transport> transport;
  if (binding_.protseq == kProtseqTcp) {
    transport = Transport::ConnectTcp(binding_.networkAddress, static_cast<uint16_t>(std::stoul(binding_.endpoint)),
                                      options_.connectTimeout);
  } else {
    transport = Transport::ConnectLocal(LocalEndpointPath(binding_.endpoint), options_.connectTimeout);
  }

  pdu::Bind bind;
  bind.contexts.push_back(
      {0, {options_.interfaceUuid, options_.versionMajor, options_.versionMinor}, {pdu::NdrSyntax()}});
  nextCallId_ = 1;
  const uint32_t callId = nextCallId_++;
  pdu::Header header;
  std::vector<uint8_t> fragment;
  try {
    const auto bytes = pdu::EncodeBind(bind, callId);
    transport->Write(bytes, {}, options_.callTimeout);
    transport->SetDeadline(DeadlineAfter(options_.replyDeadline));
    // The bind is part of opening the association: a server that accepts the
    // connection but does not answer it is as unavailable as one that refuses.
    fragment = ReadFragment(*transport, header, options_.callTimeout);
  } catch (const TransportError& e) {
    throw RpcException(status::kServerUnavailable, std::string("bind failed: ") + e.what(), e.Cause());
  }
  if (header.callId != callId) ProtocolError("bind answered with another call id");
  if (header.type == pdu::type::kBindNak) {
    const auto nak = pdu::ParseBindNak(header, fragment);
    throw RpcException(CodeOfBindNak(nak.reason), "bind refused, reason " + std::to_string(nak.reason));
  }
  if (header.type != pdu::type::kBindAck) ProtocolError("bind answered by PDU type " + std::to_string(header.type));
  const auto ack = pdu::ParseBindAck(header, fragment);
  if (ack.results.empty()) ProtocolError("bind_ack without a result");
  const auto& result = ack.results.front();
  if (result.result != pdu::result::kAcceptance) {
    throw RpcException(status::kUnknownIf, "interface refused by the server, reason " + std::to_string(result.reason));
  }
  if (!(result.transferSyntax == pdu::NdrSyntax())) ProtocolError("bind_ack names another transfer syntax");
  if (ack.maxRecvFrag < pdu::kMinFrag || ack.maxXmitFrag < pdu::kMinFrag) ProtocolError("fragment size below minimum");
  // We send what the server can receive, and receive what it sends.
  maxXmitFrag_ = std::min(pdu::kDefaultMaxFrag, ack.maxRecvFrag);
  maxRecvFrag_ = std::min(pdu::kDefaultMaxFrag, ack.maxXmitFrag);
  connection_ = std::move(transport);
}

Reply RpcBinding::Call(uint16_t opnum, std::span<const uint8_t> request) {
  ThrowIfInterrupted();
  std::lock_guard lock(mutex_);
  ThrowIfInterrupted();  // the call before this one may have been the interrupted one
  if (!connection_) Associate();
  try {
    return Exchange(opnum, request);
  } catch (const FaultRaised& fault) {
    if (!fault.keep) connection_.reset();
    throw RpcException(fault.code, "fault status " + std::to_string(fault.status));
  } catch (const TransportError& e) {
    connection_.reset();
    throw RpcException(status::kCallFailed, e.what(), e.Cause());
  } catch (const RpcException&) {
    connection_.reset();  // a protocol error or an interrupt leaves the stream out of step
    throw;
  }
}

Reply RpcBinding::Exchange(uint16_t opnum, std::span<const uint8_t> request) {
  Transport& transport = *connection_;
  transport.SetDeadline(Transport::kNoDeadline);
  const uint32_t callId = nextCallId_++;
  pdu::Request head;
  head.opnum = opnum;
  head.object = ParseUuid(binding_.objectUuid);
  const size_t headerSize = pdu::kRequestHeaderSize + (head.object ? 16 : 0);
  // Non-last fragments carry a multiple of 8 stub bytes.
  const size_t maxStub = (maxXmitFrag_ - headerSize) & ~size_t{7};
  size_t offset = 0;
  do {
    const size_t count = std::min(maxStub, request.size() - offset);
    uint8_t flags = 0;
    if (offset == 0) flags |= pdu::flag::kFirstFrag;
    if (offset + count == request.size()) flags |= pdu::flag::kLastFrag;
    head.allocHint = static_cast<uint32_t>(request.size() - offset);
    const auto bytes = pdu::EncodeRequestHeader(head, callId, flags, count);
    transport.Write(bytes, request.subspan(offset, count), options_.callTimeout);
    offset += count;
  } while (offset < request.size());
  transport.SetDeadline(DeadlineAfter(options_.replyDeadline));

  Reply reply;
  bool first = true;
  size_t fragments = 0;
  std::array<uint8_t, 4> drep{};
  for (;;) {
    uint8_t head24[pdu::kResponseHeaderSize];
    transport.ReadExact(head24, pdu::kHeaderSize, options_.callTimeout);
    const pdu::Header header = pdu::ParseHeader(std::span<const uint8_t>(head24, pdu::kHeaderSize));
    if (header.callId != callId) ProtocolError("reply for another call id");
    if (header.authLength != 0) ProtocolError("authenticator on an unauthenticated association");
    if (header.type == pdu::type::kFault) {
      std::vector<uint8_t> fragment(header.fragLength);
      std::copy(head24, head24 + pdu::kHeaderSize, fragment.begin());
      transport.ReadExact(fragment.data() + pdu::kHeaderSize, header.fragLength - pdu::kHeaderSize,
                          options_.callTimeout);
      const auto fault = pdu::ParseFault(header, fragment);
      // A fault in one piece leaves the association usable.
      const bool whole = (header.flags & pdu::flag::kLastFrag) && (header.flags & pdu::flag::kFirstFrag) && first;
      throw FaultRaised{WindowsCodeOfFault(fault.status), fault.status, whole};
    }
    if (header.type != pdu::type::kResponse) ProtocolError("reply of PDU type " + std::to_string(header.type));
    if (++fragments > pdu::kMaxReplyFragments) {
      throw RpcException(status::kCallFailed, "reply in too many fragments", FailureCause::ProtocolError);
    }
    if (header.fragLength < pdu::kResponseHeaderSize) ProtocolError("response shorter than its header");
    const bool firstFlag = header.flags & pdu::flag::kFirstFrag;
    if (first != firstFlag) ProtocolError(first ? "first fragment not flagged first" : "second first fragment");
    if (first) {
      drep = header.drep;
    } else if (header.drep != drep) {
      ProtocolError("data representation changed between fragments");
    }
    transport.ReadExact(head24 + pdu::kHeaderSize, pdu::kResponseHeaderSize - pdu::kHeaderSize, options_.callTimeout);
    const auto response = pdu::ParseResponse(header, head24);
    const size_t stubLength = header.fragLength - pdu::kResponseHeaderSize;
    if (reply.stub.size() + stubLength > pdu::kMaxReassembled) ProtocolError("reply above the size cap");
    if (first) reply.stub.reserve(std::min<size_t>(response.allocHint, pdu::kMaxReassembled));
    const size_t old = reply.stub.size();
    reply.stub.resize(old + stubLength);
    transport.ReadExact(reply.stub.data() + old, stubLength, options_.callTimeout);
    first = false;
    if (header.flags & pdu::flag::kLastFrag) break;
  }
  reply.bigEndian = (drep[0] & 0xF0) == 0;
  return reply;
}

}  // namespace rpc
