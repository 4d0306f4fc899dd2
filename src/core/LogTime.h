#pragma once
// The time stamp of log messages: "%H:%M:%S,%A,%d/%B/%Y" in the "C" locale
// (English day and month names whatever the user's locale), at most 255 bytes.

#include <ctime>
#include <string>

namespace core {

std::string FormatLogTime(const std::tm& localTime);

}  // namespace core
