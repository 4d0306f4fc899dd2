// A stream of PDUs as a peer would send them: each fragment's header is read,
// then exactly its length, and the parser of its type runs over it.

#include <cstddef>
#include <cstdint>
#include <span>

#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcException.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> stream(data, size);
  size_t reassembled = 0;
  while (stream.size() >= rpc::pdu::kHeaderSize) {
    try {
      const auto header = rpc::pdu::ParseHeader(stream.first(rpc::pdu::kHeaderSize));
      if (header.fragLength > stream.size()) return 0;
      const auto fragment = stream.first(header.fragLength);
      stream = stream.subspan(header.fragLength);
      switch (header.type) {
        case rpc::pdu::type::kBind:
        case rpc::pdu::type::kAlterContext: rpc::pdu::ParseBind(header, fragment); break;
        case rpc::pdu::type::kBindAck:
        case rpc::pdu::type::kAlterContextResp: rpc::pdu::ParseBindAck(header, fragment); break;
        case rpc::pdu::type::kBindNak: rpc::pdu::ParseBindNak(header, fragment); break;
        case rpc::pdu::type::kRequest: {
          const auto request = rpc::pdu::ParseRequest(header, fragment);
          if (request.stubOffset > fragment.size()) __builtin_trap();
          reassembled += fragment.size() - request.stubOffset;
          break;
        }
        case rpc::pdu::type::kResponse: {
          rpc::pdu::ParseResponse(header, fragment);
          reassembled += header.fragLength - rpc::pdu::kResponseHeaderSize;
          break;
        }
        case rpc::pdu::type::kFault: rpc::pdu::ParseFault(header, fragment); break;
        default: break;
      }
      if (reassembled > rpc::pdu::kMaxReassembled) return 0;
    } catch (const rpc::RpcException&) {
      return 0;
    }
  }
  return 0;
}
