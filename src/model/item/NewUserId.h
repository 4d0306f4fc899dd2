#pragma once
// The identity a new abonent gets in its "#USERID" parameter: a fresh random
// GUID in the 32-digit form "%08lX%04X%04x%02X..." (the third group in small
// letters, as the installation folders are named).

#include <string>

namespace model {

// Empty when the system offers no randomness.
std::string NewUserId();

}  // namespace model
