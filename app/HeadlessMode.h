#pragma once
// The headless mode: the start-up and shutdown of the console without windows.

#include <string>

#include "CommandLine.h"

namespace app {

// Writes the default configuration text to `path`; refuses an existing file
// unless `force`. An exit code; messages go to standard error.
int CreateConfigFile(const std::string& path, bool force);

// Runs the start-up sequence, printing each log line to standard output, then
// the shutdown sequence. An exit code.
int RunHeadless(const Options& options);

}  // namespace app
