#include "rpc/runtime/Pdu.h"

#include <algorithm>
#include <cstring>

#include "rpc/runtime/RpcException.h"

namespace rpc::pdu {

namespace {

[[noreturn]] void Bad(const char* what) {
  throw RpcException(status::kProtocolError, std::string("protocol error: ") + what);
}

// Reads fields in the packet's integer representation, never past `end_`.
class Cursor {
 public:
  Cursor(std::span<const uint8_t> bytes, size_t pos, size_t end, bool bigEndian)
      : bytes_(bytes), pos_(pos), end_(end), big_(bigEndian) {}

  void Need(size_t n) const {
    if (pos_ > end_ || n > end_ - pos_) Bad("PDU shorter than its fields");
  }
  uint8_t U8() {
    Need(1);
    return bytes_[pos_++];
  }
  uint16_t U16() {
    Need(2);
    const uint8_t* p = bytes_.data() + pos_;
    pos_ += 2;
    return big_ ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
  }
  uint32_t U32() {
    Need(4);
    const uint8_t* p = bytes_.data() + pos_;
    pos_ += 4;
    if (big_) return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  }
  Uuid ReadUuid() {
    Uuid u{};
    u.timeLow = U32();
    u.timeMid = U16();
    u.timeHiAndVersion = U16();
    Need(8);
    std::memcpy(u.clockSeqAndNode.data(), bytes_.data() + pos_, 8);
    pos_ += 8;
    return u;
  }
  SyntaxId Syntax() {
    SyntaxId s;
    s.uuid = ReadUuid();
    s.major = U16();  // the version's low half is the major number
    s.minor = U16();
    return s;
  }
  std::span<const uint8_t> Take(size_t n) {
    Need(n);
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  void AlignFromStart(size_t to) {
    const size_t pad = (to - pos_ % to) % to;
    Need(pad);
    pos_ += pad;
  }
  size_t Pos() const { return pos_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_;
  size_t end_;
  bool big_;
};

class Builder {
 public:
  explicit Builder(bool bigEndian) : big_(bigEndian) { out_.resize(kHeaderSize); }
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    if (big_) {
      out_.push_back(uint8_t(v >> 8));
      out_.push_back(uint8_t(v));
    } else {
      out_.push_back(uint8_t(v));
      out_.push_back(uint8_t(v >> 8));
    }
  }
  void U32(uint32_t v) {
    if (big_) {
      U16(uint16_t(v >> 16));
      U16(uint16_t(v));
    } else {
      U16(uint16_t(v));
      U16(uint16_t(v >> 16));
    }
  }
  void PutUuid(const Uuid& u) {
    U32(u.timeLow);
    U16(u.timeMid);
    U16(u.timeHiAndVersion);
    out_.insert(out_.end(), u.clockSeqAndNode.begin(), u.clockSeqAndNode.end());
  }
  void Syntax(const SyntaxId& s) {
    PutUuid(s.uuid);
    U16(s.major);
    U16(s.minor);
  }
  void Align(size_t to) {
    while (out_.size() % to != 0) out_.push_back(0);
  }
  // Fills in the common header once the body is complete; `extra` counts stub
  // bytes that follow this buffer on the wire.
  std::vector<uint8_t> Finish(uint8_t type, uint8_t flags, uint32_t callId, size_t extra = 0) {
    const size_t total = out_.size() + extra;
    if (total > 0xFFFF) Bad("fragment too long to encode");
    Header h;
    h.type = type;
    h.flags = flags;
    h.drep = DataRepresentation(big_);
    h.fragLength = static_cast<uint16_t>(total);
    h.callId = callId;
    WriteHeader(h, out_.data());
    return std::move(out_);
  }

 private:
  bool big_;
  std::vector<uint8_t> out_;
};

// The body of a fragment ends before its authenticator, if any.
size_t BodyEnd(const Header& header, std::span<const uint8_t> fragment) {
  if (fragment.size() < header.fragLength) Bad("fragment shorter than its length");
  size_t end = header.fragLength;
  if (header.authLength != 0) {
    const size_t trailer = size_t{header.authLength} + 8;
    if (trailer > end - kHeaderSize) Bad("authenticator longer than the fragment");
    end -= trailer;
  }
  return end;
}

Cursor BodyCursor(const Header& header, std::span<const uint8_t> fragment) {
  return Cursor(fragment, kHeaderSize, BodyEnd(header, fragment), header.BigEndian());
}

}  // namespace

std::array<uint8_t, 4> DataRepresentation(bool bigEndian) {
  return {static_cast<uint8_t>(bigEndian ? 0x00 : 0x10), 0, 0, 0};
}

Header ParseHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize) Bad("short common header");
  Header h;
  if (bytes[0] != 5) Bad("not protocol version 5");
  h.versionMinor = bytes[1];
  if (h.versionMinor > 1) Bad("unknown minor protocol version");
  h.type = bytes[2];
  h.flags = bytes[3];
  std::memcpy(h.drep.data(), bytes.data() + 4, 4);
  const uint8_t integerRep = h.drep[0] >> 4;
  const uint8_t charRep = h.drep[0] & 0x0F;
  if (integerRep > 1) Bad("unknown integer representation");
  // Texts are carried as 8-bit code page bytes: an EBCDIC label would change
  // their meaning, so it is refused rather than misread. No floats travel.
  if (charRep != 0) Bad("character representation other than ASCII");
  Cursor c(bytes, 8, kHeaderSize, h.BigEndian());
  h.fragLength = c.U16();
  h.authLength = c.U16();
  h.callId = c.U32();
  if (h.fragLength < kHeaderSize) Bad("fragment length below the header size");
  if (h.authLength != 0 && size_t{h.authLength} + 8 > size_t{h.fragLength} - kHeaderSize) {
    Bad("authenticator longer than the fragment");
  }
  return h;
}

void WriteHeader(const Header& header, uint8_t* out) {
  const bool big = header.BigEndian();
  out[0] = 5;
  out[1] = header.versionMinor;
  out[2] = header.type;
  out[3] = header.flags;
  std::memcpy(out + 4, header.drep.data(), 4);
  auto put16 = [&](uint8_t* p, uint16_t v) {
    p[big ? 0 : 1] = uint8_t(v >> 8);
    p[big ? 1 : 0] = uint8_t(v);
  };
  put16(out + 8, header.fragLength);
  put16(out + 10, header.authLength);
  put16(out + 12, uint16_t(big ? header.callId >> 16 : header.callId));
  put16(out + 14, uint16_t(big ? header.callId : header.callId >> 16));
}

SyntaxId InterfaceSyntax() { return {kInterfaceUuid, kInterfaceVersionMajor, kInterfaceVersionMinor}; }
SyntaxId NdrSyntax() { return {kNdrTransferSyntax, static_cast<uint16_t>(kNdrTransferSyntaxVersion), 0}; }

std::vector<uint8_t> EncodeBind(const Bind& bind, uint32_t callId) {
  Builder b(false);
  b.U16(bind.maxXmitFrag);
  b.U16(bind.maxRecvFrag);
  b.U32(bind.assocGroupId);
  b.U8(static_cast<uint8_t>(bind.contexts.size()));
  b.U8(0);
  b.U16(0);
  for (const auto& ctx : bind.contexts) {
    b.U16(ctx.contextId);
    b.U8(static_cast<uint8_t>(ctx.transferSyntaxes.size()));
    b.U8(0);
    b.Syntax(ctx.abstractSyntax);
    for (const auto& ts : ctx.transferSyntaxes) b.Syntax(ts);
  }
  return b.Finish(type::kBind, flag::kFirstFrag | flag::kLastFrag, callId);
}

std::vector<uint8_t> EncodeBindAck(const BindAck& ack, uint32_t callId, bool bigEndian) {
  Builder b(bigEndian);
  b.U16(ack.maxXmitFrag);
  b.U16(ack.maxRecvFrag);
  b.U32(ack.assocGroupId);
  const size_t addrLength = ack.secondaryAddress.empty() ? 0 : ack.secondaryAddress.size() + 1;
  b.U16(static_cast<uint16_t>(addrLength));
  for (char ch : ack.secondaryAddress) b.U8(static_cast<uint8_t>(ch));
  if (addrLength != 0) b.U8(0);
  b.Align(4);
  b.U8(static_cast<uint8_t>(ack.results.size()));
  b.U8(0);
  b.U16(0);
  for (const auto& r : ack.results) {
    b.U16(r.result);
    b.U16(r.reason);
    b.Syntax(r.transferSyntax);
  }
  return b.Finish(type::kBindAck, flag::kFirstFrag | flag::kLastFrag, callId);
}

std::vector<uint8_t> EncodeBindNak(const BindNak& nak, uint32_t callId, bool bigEndian) {
  Builder b(bigEndian);
  b.U16(nak.reason);
  b.U8(static_cast<uint8_t>(nak.versions.size()));
  for (const auto& [major, minor] : nak.versions) {
    b.U8(major);
    b.U8(minor);
  }
  return b.Finish(type::kBindNak, flag::kFirstFrag | flag::kLastFrag, callId);
}

std::vector<uint8_t> EncodeFault(const Fault& fault, uint32_t callId, uint8_t flags, bool bigEndian) {
  Builder b(bigEndian);
  b.U32(fault.allocHint);
  b.U16(fault.contextId);
  b.U8(fault.cancelCount);
  b.U8(0);
  b.U32(fault.status);
  b.U32(0);
  return b.Finish(type::kFault, flags, callId);
}

std::vector<uint8_t> EncodeRequestHeader(const Request& request, uint32_t callId, uint8_t flags,
                                         size_t stubLength) {
  Builder b(false);
  b.U32(request.allocHint);
  b.U16(request.contextId);
  b.U16(request.opnum);
  if (request.object) {
    flags |= flag::kObjectUuid;
    b.PutUuid(*request.object);
  }
  return b.Finish(type::kRequest, flags, callId, stubLength);
}

std::vector<uint8_t> EncodeResponseHeader(const Response& response, uint32_t callId, uint8_t flags,
                                          size_t stubLength, bool bigEndian) {
  Builder b(bigEndian);
  b.U32(response.allocHint);
  b.U16(response.contextId);
  b.U8(response.cancelCount);
  b.U8(0);
  return b.Finish(type::kResponse, flags, callId, stubLength);
}

Bind ParseBind(const Header& header, std::span<const uint8_t> fragment) {
  Cursor c = BodyCursor(header, fragment);
  Bind bind;
  bind.maxXmitFrag = c.U16();
  bind.maxRecvFrag = c.U16();
  bind.assocGroupId = c.U32();
  const uint8_t count = c.U8();
  c.U8();
  c.U16();
  for (uint8_t i = 0; i < count; ++i) {
    ContextElement ctx;
    ctx.contextId = c.U16();
    const uint8_t transfers = c.U8();
    c.U8();
    ctx.abstractSyntax = c.Syntax();
    for (uint8_t t = 0; t < transfers; ++t) ctx.transferSyntaxes.push_back(c.Syntax());
    bind.contexts.push_back(std::move(ctx));
  }
  return bind;
}

BindAck ParseBindAck(const Header& header, std::span<const uint8_t> fragment) {
  Cursor c = BodyCursor(header, fragment);
  BindAck ack;
  ack.maxXmitFrag = c.U16();
  ack.maxRecvFrag = c.U16();
  ack.assocGroupId = c.U32();
  const uint16_t addrLength = c.U16();
  auto addr = c.Take(addrLength);
  ack.secondaryAddress.assign(addr.begin(), addr.end());
  if (!ack.secondaryAddress.empty() && ack.secondaryAddress.back() == '\0') ack.secondaryAddress.pop_back();
  c.AlignFromStart(4);
  const uint8_t count = c.U8();
  c.U8();
  c.U16();
  for (uint8_t i = 0; i < count; ++i) {
    ContextResult r;
    r.result = c.U16();
    r.reason = c.U16();
    r.transferSyntax = c.Syntax();
    ack.results.push_back(r);
  }
  return ack;
}

BindNak ParseBindNak(const Header& header, std::span<const uint8_t> fragment) {
  Cursor c = BodyCursor(header, fragment);
  BindNak nak;
  nak.versions.clear();
  nak.reason = c.U16();
  // The list of supported versions is optional in practice: some peers stop
  // after the reason.
  if (c.Pos() < BodyEnd(header, fragment)) {
    const uint8_t count = c.U8();
    for (uint8_t i = 0; i < count; ++i) {
      const uint8_t major = c.U8();
      const uint8_t minor = c.U8();
      nak.versions.emplace_back(major, minor);
    }
  }
  return nak;
}

Request ParseRequest(const Header& header, std::span<const uint8_t> fragment) {
  Cursor c = BodyCursor(header, fragment);
  Request r;
  r.allocHint = c.U32();
  r.contextId = c.U16();
  r.opnum = c.U16();
  if (header.flags & flag::kObjectUuid) r.object = c.ReadUuid();
  r.stubOffset = c.Pos();
  return r;
}

Response ParseResponse(const Header& header, std::span<const uint8_t> fragment) {
  if (header.fragLength < kResponseHeaderSize) Bad("response shorter than its header");
  Cursor c(fragment, kHeaderSize, std::min<size_t>(fragment.size(), kResponseHeaderSize), header.BigEndian());
  Response r;
  r.allocHint = c.U32();
  r.contextId = c.U16();
  r.cancelCount = c.U8();
  return r;
}

Fault ParseFault(const Header& header, std::span<const uint8_t> fragment) {
  if (header.fragLength < kFaultHeaderSize) Bad("fault shorter than its header");
  Cursor c = BodyCursor(header, fragment);
  Fault f;
  f.allocHint = c.U32();
  f.contextId = c.U16();
  f.cancelCount = c.U8();
  c.U8();
  f.status = c.U32();
  return f;
}

}  // namespace rpc::pdu
