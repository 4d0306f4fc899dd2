#pragma once
// The headless monitor: the start-up with a logon to every computer, the
// polls of the poll timer, the alerts, and the shutdown on SIGINT, SIGTERM or
// after a number of polls.

#include <string>

#include "CommandLine.h"

namespace app {

// Runs the console on the configuration file at `path` (which exists). An
// exit code; log lines go to standard output, boxes and reasons to standard
// error.
int RunMonitor(const Options& options, const std::string& path);

}  // namespace app
