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

// What a configuration path names (symbolic links followed).
enum class PathKind {
  RegularFile,  // usable
  Missing,      // nothing there (or an empty path)
  Folder,
  OtherFile,    // a pipe, a device or a socket
  Unreachable,  // stat failed otherwise: no search permission, a file used as a folder, a link loop
};

PathKind KindOfPath(const std::string& path);

// Why a path that is not a regular file cannot be the configuration, for the
// headless program's error (English, after the quoted path): "not found",
// "is a folder, not a file", "is not a regular file (a pipe, device or
// socket)", "cannot be reached: <system error text>". Empty for a regular file.
std::string PathKindProblem(const std::string& path);

// The same for the message list (code page 1251), a whole sentence naming
// the path; empty for a regular file and for a missing one (the question
// that follows already says it was not found).
std::string PathKindNote(const std::string& path);

}  // namespace core
