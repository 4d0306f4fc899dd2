#pragma once
// The value of a [Remote interfaces] entry: "address:port".

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// The port when the entry names none, or names one that is not a port.
inline constexpr uint32_t kFallbackPort = 5003;

struct RemoteAddress {
  std::string address;
  uint32_t port = kFallbackPort;
};

// The address is what stands before the first ':' (trimmed); the port the
// decimal number after it (trimmed). Without ':' the whole value is the
// address, untrimmed. An empty port, one with a non-digit, 0 or above 65535
// gives kFallbackPort.
RemoteAddress ParseRemoteAddress(std::string_view value);

}  // namespace core
