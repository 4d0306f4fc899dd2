#pragma once
// The text written when the user agrees to create a new configuration file.

#include <string>

namespace core {

// Code page 1251, every line ending in CR LF, the last line empty: 2472 bytes.
const std::string& DefaultConfigText();

}  // namespace core
