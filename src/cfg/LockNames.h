#pragma once
// Names of the lock objects: "$a" or "$a$b" from one or two texts, and the
// limit on the full names of the objects built on them.

#include <cstddef>
#include <string>
#include <string_view>

namespace cfg {

// A full object name must be shorter than this.
inline constexpr std::size_t kMaxLockNameLength = 1024;

std::string LockName(std::string_view text);
std::string LockName(std::string_view text1, std::string_view text2);
bool FitsLockName(std::string_view fullName);

}  // namespace cfg
