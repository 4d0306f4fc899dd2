#include "model/apply/PasswordHash.h"

#include "text/Strings.h"

namespace model {

namespace {
constexpr size_t kHashedNameLimit = 64;
constexpr size_t kHashedPasswordLimit = 255;
}  // namespace

uint32_t HashPassword(std::string_view text) {
  uint32_t h = 0;
  for (const char c : text) {
    // Bytes 128-255 count as negative values: they are added as such, modulo 2^32.
    const auto b = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
    h = (h << 4) + b;
    const uint32_t g = h & 0xF0000000u;
    if (g != 0) h ^= g >> 24;
    h ^= g;
  }
  return h;
}

std::string PasswordHashText(std::string_view mailboxName, std::string_view password) {
  return "-VT-" + text::ToLowerAscii(mailboxName.substr(0, kHashedNameLimit)) + "-" +
         std::string(password.substr(0, kHashedPasswordLimit)) + "-";
}

}  // namespace model
