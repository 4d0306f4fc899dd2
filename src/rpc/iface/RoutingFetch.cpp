#include "rpc/iface/RoutingFetch.h"

#include <algorithm>
#include <cstring>

#include "rpc/iface/RouterCalls.h"

namespace rpc {

RoutingFetch::RoutingFetch(int32_t initialCapacity)
    : buffer_(static_cast<size_t>(std::max(initialCapacity, 0)) + 1, 0),
      capacity_(std::max(initialCapacity, 0)) {}

std::optional<std::string> RoutingFetch::RoutList(CallTarget& target, int32_t level) {
  return Fetch("GetRoutList", false, [&](int32_t* status, int32_t* rpcErr, int32_t* needed, int32_t* length) {
    return GetRoutList(target, status, rpcErr, level, needed, capacity_, length, buffer_.data());
  });
}

std::optional<std::string> RoutingFetch::AbonentInfo(CallTarget& target, int32_t kind, const std::string& name) {
  return Fetch("GetAbonentInfo", true, [&](int32_t* status, int32_t* rpcErr, int32_t* needed, int32_t* length) {
    return GetAbonentInfo(target, status, rpcErr, kind, name.c_str(), needed, capacity_, length, buffer_.data());
  });
}

std::optional<std::string> RoutingFetch::Fetch(const char* operation, bool zeroOnly, const Issue& issue) {
  for (;;) {
    std::fill(buffer_.begin(), buffer_.end(), 0);
    int32_t status = 0, rpcErr = 0, needed = 0, length = 0;
    const int32_t result = issue(&status, &rpcErr, &needed, &length);
    const bool resultOk = zeroOnly ? result == 0 : result >= 0;
    if (status == 0 && rpcErr == 0 && resultOk) {
      return std::string(buffer_.data(), strnlen(buffer_.data(), static_cast<size_t>(length)));
    }
    if (result == -1 && needed > 0 && needed <= cap::kMaxNeeded && !enlarged_) {
      enlarged_ = true;
      // Never smaller than what we have: the rest of the fetch keeps this buffer.
      capacity_ = std::max(capacity_, needed + 1);
      buffer_.assign(static_cast<size_t>(capacity_) + 1, 0);
      continue;
    }
    failure_ = CallFailure{operation, result, status, rpcErr};
    return std::nullopt;
  }
}

}  // namespace rpc
