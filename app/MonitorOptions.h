#pragma once
// The options of the headless monitor: their rows of the option table, the
// checks between them, and their part of the --help text.

#include <functional>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace app {

struct OptionRow {
  const char* name;       // without the leading "--"
  const char* valueName;  // null for a flag
  const char* help;
  std::function<void(Options&, const std::string&)> apply;
};

const std::vector<OptionRow>& MonitorOptionRows();
// Empty when the monitor options fit together and with the rest.
std::string CheckMonitorOptions(const Options& options);
std::string MonitorUsageText();

}  // namespace app
