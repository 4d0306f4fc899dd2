#pragma once
// The answer of the operations that return nothing but their two status words
// and the return value: [out] L[1] Status, [out] L[1] RpcErr, then the result.
// One template serves them all; each operation still has its own type.

#include <cstdint>

#include "rpc/runtime/Ndr.h"

namespace rpc {

template <class Request>
struct StatusOnlyResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const Request&) const {
    w.LongArray1(Status);
    w.LongArray1(RpcErr);
    w.Long(ReturnValue);
  }
  void Read(NdrReader& r, const Request&) {
    Status = r.LongArray1();
    RpcErr = r.LongArray1();
    ReturnValue = r.Long();
  }
};

}  // namespace rpc
