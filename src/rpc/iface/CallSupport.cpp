#include "rpc/iface/CallSupport.h"

#include <cstring>

#include "rpc/runtime/RpcException.h"

namespace rpc {

void RequirePointers(std::initializer_list<const void*> pointers) {
  for (const void* p : pointers) {
    if (p == nullptr) throw RpcException(status::kNullRefPointer);
  }
}

void RequireLength(int32_t length, int32_t limit) {
  if (length < 0 || length > limit) throw RpcException(status::kInvalidBound);
}

void CopyOut(const std::string& received, int32_t* length, char* buffer) {
  // The reader has already bounded the text by the capacity the caller gave.
  std::memcpy(buffer, received.data(), received.size());
  buffer[received.size()] = '\0';
  *length = static_cast<int32_t>(received.size());
}

}  // namespace rpc
