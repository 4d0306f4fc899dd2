#pragma once
// Where the configuration file is looked for at start-up.

#include <string>
#include <string_view>

namespace core {

// The name used when the command line gives none (in the current directory).
inline constexpr const char* kDefaultConfigName = "__RemoteHost.Cfg";

// The command line with the program's own path removed from its front (bare
// or between double quotes), then blanks, tabs, line breaks and double quotes
// trimmed from both ends; the default name when nothing remains.
std::string ConfigPathFromCommandLine(std::string_view commandLine, std::string_view programPath);

// True when the path names an existing regular file.
bool IsExistingRegularFile(const std::string& path);

}  // namespace core
