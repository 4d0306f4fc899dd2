#include "core/net/RemoteAddress.h"

#include "text/Strings.h"

namespace core {

namespace {

uint32_t ParsePort(std::string_view text) {
  if (text.empty()) return kFallbackPort;
  uint32_t port = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return kFallbackPort;
    port = port * 10 + static_cast<uint32_t>(c - '0');
    if (port > 65535) return kFallbackPort;  // before it can overflow
  }
  return port == 0 || port > 65535 ? kFallbackPort : port;
}

}  // namespace

RemoteAddress ParseRemoteAddress(std::string_view value) {
  RemoteAddress out;
  const size_t colon = value.find(':');
  if (colon == std::string_view::npos) {
    out.address = std::string(value);
    return out;
  }
  out.address = text::Trim(value.substr(0, colon));
  out.port = ParsePort(text::TrimView(value.substr(colon + 1)));
  return out;
}

}  // namespace core
