#pragma once
// Where a client stub sends its request: one operation number and its NDR
// body out, the reply's NDR body back. The binding handle implements it; tests
// put a recorder in its place to compare bytes.

#include <cstdint>
#include <span>
#include <vector>

namespace rpc {

struct Reply {
  std::vector<uint8_t> stub;  // the reassembled response body
  bool bigEndian = false;     // integer representation announced by the server
};

class CallTarget {
 public:
  virtual ~CallTarget() = default;
  // Throws RpcException on any transport failure, fault or protocol error.
  virtual Reply Call(uint16_t opnum, std::span<const uint8_t> request) = 0;
};

}  // namespace rpc
