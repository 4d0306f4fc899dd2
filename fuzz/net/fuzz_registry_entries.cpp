// [Remote interfaces] and [Hosts] values from a hand-edited configuration
// file. The first line is a computer's value, the second a list of computer
// names; every parsed port must be one a binding can use, and a mail server
// may only name registered computers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/net/NetworkServices.h"
#include "core/net/RemoteAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\n');
  const std::string computerValue(input.substr(0, cut));
  const std::string hostsValue(cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1));

  const core::RemoteAddress parsed = core::ParseRemoteAddress(computerValue);
  if (parsed.port == 0 || parsed.port > 65535) std::abort();

  core::NetworkServices net;
  net.Computers().SetLocalTest([](const std::string&) { return false; });
  if (net.RegisterComputer("SRV1", computerValue) != 0) std::abort();
  if (net.RegisterComputer("SRV 2", "10.0.0.2") != 0) std::abort();
  const int code = net.RegisterMailServer("NODE", hostsValue);
  if (const core::__VtHostDescription* server = net.FindMailServer("NODE")) {
    if (code != 0) std::abort();
    for (const int index : server->computers)
      if (!net.Computers().At(index)) std::abort();
  }
  return 0;
}
