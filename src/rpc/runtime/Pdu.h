#pragma once
// The PDUs of the connection-oriented protocol (version 5.0) that the runtime
// sends and receives: bind, bind_ack, bind_nak, request, response and fault.
// Every multi-byte field follows the integer representation of the packet's
// data representation label; every parse checks each length against the bytes
// present and raises RpcException(kProtocolError) on a lie.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "rpc/iface/Interface.h"

namespace rpc::pdu {

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kRequestHeaderSize = 24;  // without an object UUID
inline constexpr size_t kResponseHeaderSize = 24;
inline constexpr size_t kFaultHeaderSize = 32;
// Offered at bind, as the common runtimes do.
inline constexpr uint16_t kDefaultMaxFrag = 5840;
// No peer may grant less (the protocol's minimum for every transport).
inline constexpr uint16_t kMinFrag = 1432;
// A reassembled body above this is a protocol error: well above the 4.5 MiB of
// the largest answer of the interface, small enough to bound a lying peer.
inline constexpr size_t kMaxReassembled = 8u << 20;
// A reply in more fragments than this is refused: as many as the cap fills at
// the smallest fragment a server may grant (1432 - 24 stub bytes each), 5958,
// so a reply within the cap always passes (a 4.5 MiB answer in 5840-byte
// fragments has 812), while a peer that trickles empty fragments is stopped.
inline constexpr size_t kMaxReplyFragments =
    (kMaxReassembled + (kMinFrag - kResponseHeaderSize) - 1) / (kMinFrag - kResponseHeaderSize);

namespace type {
inline constexpr uint8_t kRequest = 0;
inline constexpr uint8_t kResponse = 2;
inline constexpr uint8_t kFault = 3;
inline constexpr uint8_t kBind = 11;
inline constexpr uint8_t kBindAck = 12;
inline constexpr uint8_t kBindNak = 13;
inline constexpr uint8_t kAlterContext = 14;
inline constexpr uint8_t kAlterContextResp = 15;
inline constexpr uint8_t kShutdown = 17;
inline constexpr uint8_t kCoCancel = 18;
inline constexpr uint8_t kOrphaned = 19;
}  // namespace type

namespace flag {
inline constexpr uint8_t kFirstFrag = 0x01;
inline constexpr uint8_t kLastFrag = 0x02;
inline constexpr uint8_t kPendingCancel = 0x04;
inline constexpr uint8_t kConcMpx = 0x10;
inline constexpr uint8_t kDidNotExecute = 0x20;
inline constexpr uint8_t kMaybe = 0x40;
inline constexpr uint8_t kObjectUuid = 0x80;
}  // namespace flag

// Context results of a bind_ack.
namespace result {
inline constexpr uint16_t kAcceptance = 0;
inline constexpr uint16_t kUserRejection = 1;
inline constexpr uint16_t kProviderRejection = 2;
}  // namespace result
namespace reason {
inline constexpr uint16_t kNotSpecified = 0;
inline constexpr uint16_t kAbstractSyntaxNotSupported = 1;
inline constexpr uint16_t kTransferSyntaxesNotSupported = 2;
}  // namespace reason
// Reasons of a bind_nak.
namespace nak {
inline constexpr uint16_t kNotSpecified = 0;
inline constexpr uint16_t kTemporaryCongestion = 1;
inline constexpr uint16_t kLocalLimitExceeded = 2;
inline constexpr uint16_t kProtocolVersionNotSupported = 4;
}  // namespace nak

// The label of a packet: integer representation in the high nibble of byte 0
// (1 little-endian, 0 big-endian), ASCII characters, IEEE floats.
std::array<uint8_t, 4> DataRepresentation(bool bigEndian);

struct Header {
  uint8_t versionMinor = 0;
  uint8_t type = 0;
  uint8_t flags = 0;
  std::array<uint8_t, 4> drep = {0x10, 0, 0, 0};
  uint16_t fragLength = 0;
  uint16_t authLength = 0;
  uint32_t callId = 0;

  bool BigEndian() const { return (drep[0] & 0xF0) == 0; }
};

// Reads the 16-byte common header. Refuses a version other than 5.0/5.1, an
// integer representation other than big or little endian, characters other
// than ASCII, a fragment length below 16 and an authenticator longer than the
// fragment.
Header ParseHeader(std::span<const uint8_t> bytes);
void WriteHeader(const Header& header, uint8_t* out16);

struct SyntaxId {
  Uuid uuid{};
  uint16_t major = 0;
  uint16_t minor = 0;
  bool operator==(const SyntaxId&) const = default;
};
SyntaxId InterfaceSyntax();  // the administration interface, version 1.2
SyntaxId NdrSyntax();        // NDR, version 2.0

struct ContextElement {
  uint16_t contextId = 0;
  SyntaxId abstractSyntax;
  std::vector<SyntaxId> transferSyntaxes;
};

struct Bind {
  uint16_t maxXmitFrag = kDefaultMaxFrag;
  uint16_t maxRecvFrag = kDefaultMaxFrag;
  uint32_t assocGroupId = 0;
  std::vector<ContextElement> contexts;
};

struct ContextResult {
  uint16_t result = result::kAcceptance;
  uint16_t reason = reason::kNotSpecified;
  SyntaxId transferSyntax;
};

struct BindAck {
  uint16_t maxXmitFrag = kDefaultMaxFrag;
  uint16_t maxRecvFrag = kDefaultMaxFrag;
  uint32_t assocGroupId = 0;
  std::string secondaryAddress;  // without its NUL; sent with it
  std::vector<ContextResult> results;
};

struct BindNak {
  uint16_t reason = nak::kNotSpecified;
  std::vector<std::pair<uint8_t, uint8_t>> versions = {{5, 0}};
};

struct Request {
  uint32_t allocHint = 0;
  uint16_t contextId = 0;
  uint16_t opnum = 0;
  std::optional<Uuid> object;
  size_t stubOffset = kRequestHeaderSize;  // where the stub begins in the fragment
};

struct Response {
  uint32_t allocHint = 0;
  uint16_t contextId = 0;
  uint8_t cancelCount = 0;
};

struct Fault {
  uint32_t allocHint = 0;
  uint16_t contextId = 0;
  uint8_t cancelCount = 0;
  uint32_t status = 0;
};

std::vector<uint8_t> EncodeBind(const Bind& bind, uint32_t callId);
std::vector<uint8_t> EncodeBindAck(const BindAck& ack, uint32_t callId, bool bigEndian = false);
std::vector<uint8_t> EncodeBindNak(const BindNak& nak, uint32_t callId, bool bigEndian = false);
std::vector<uint8_t> EncodeFault(const Fault& fault, uint32_t callId, uint8_t flags, bool bigEndian = false);
// The header of one request or response fragment carrying `stubLength` bytes;
// the stub follows it on the wire. Flags carry first/last (and object UUID).
std::vector<uint8_t> EncodeRequestHeader(const Request& request, uint32_t callId, uint8_t flags,
                                         size_t stubLength);
std::vector<uint8_t> EncodeResponseHeader(const Response& response, uint32_t callId, uint8_t flags,
                                          size_t stubLength, bool bigEndian = false);

// Each parse takes the whole fragment (common header included) and the header
// already read from it.
Bind ParseBind(const Header& header, std::span<const uint8_t> fragment);
BindAck ParseBindAck(const Header& header, std::span<const uint8_t> fragment);
BindNak ParseBindNak(const Header& header, std::span<const uint8_t> fragment);
Request ParseRequest(const Header& header, std::span<const uint8_t> fragment);
// Only the eight bytes after the common header are needed.
Response ParseResponse(const Header& header, std::span<const uint8_t> fragment);
Fault ParseFault(const Header& header, std::span<const uint8_t> fragment);

}  // namespace rpc::pdu
