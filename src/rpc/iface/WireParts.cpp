#include "rpc/iface/WireParts.h"

#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"

namespace rpc::wire {

uint32_t Capacity(int32_t capacity) { return capacity < 0 ? 0u : static_cast<uint32_t>(capacity); }

void WriteCounted(NdrWriter& w, int32_t capacity, std::string_view data) {
  w.Long(static_cast<int32_t>(data.size()));
  w.VaryingBytes(Capacity(capacity), data);
}

std::string ReadCounted(NdrReader& r, int32_t capacity) {
  const int32_t length = r.Long();
  std::string data = r.VaryingBytes(Capacity(capacity));
  if (length < 0 || data.size() != static_cast<size_t>(length)) {
    throw RpcException(status::kBadStubData, "length and array count disagree");
  }
  return data;
}

void WriteSized(NdrWriter& w, std::string_view data) {
  w.Long(static_cast<int32_t>(data.size()));
  w.Bytes(data);
}

std::string ReadSized(NdrReader& r) {
  const int32_t length = r.Long();
  if (length < 0) throw RpcException(status::kBadStubData, "negative array size");
  return r.Bytes(static_cast<uint32_t>(length));
}

}  // namespace rpc::wire
