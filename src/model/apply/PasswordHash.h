#pragma once
// The password option a directory entry carries on the queue manager: a hash
// of the mailbox name and the password, so that the password itself never
// leaves the console.

#include <cstdint>
#include <string>
#include <string_view>

namespace model {

// Hash of a text: h = h * 16 + b over its bytes taken as signed 8-bit values,
// the top four bits folded back in as they fill up.
uint32_t HashPassword(std::string_view text);

// The text that is hashed: "-VT-name-password-", the name cut to 64 bytes and
// lower-cased (ASCII letters only), the password cut to 255 bytes.
std::string PasswordHashText(std::string_view mailboxName, std::string_view password);

}  // namespace model
