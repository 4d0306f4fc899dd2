#include "CommandLine.h"

#include <functional>

#include "MonitorOptions.h"

namespace app {

namespace {

const std::vector<OptionRow>& OptionTable() {
  static const std::vector<OptionRow> table = {
      {"help", nullptr, "show this text and exit", [](Options& o, const std::string&) { o.help = true; }},
      {"version", nullptr, "show the program's version and exit",
       [](Options& o, const std::string&) { o.version = true; }},
      {"headless", nullptr, "run without windows: start-up, polls, shutdown; messages to standard output",
       [](Options& o, const std::string&) { o.headless = true; }},
      {"demo", nullptr, "start a simulated demo node on loopback and open the console on it",
       [](Options& o, const std::string&) { o.demo = true; }},
      {"screenshots", "DIR", "after the start-up and the first poll, write PNG screenshots of the windows to DIR "
       "and exit",
       [](Options& o, const std::string& v) { o.screenshots = v; }},
      {"config", "PATH", "the configuration file (default: __RemoteHost.Cfg in the current directory)",
       [](Options& o, const std::string& v) { o.config = v; }},
      {"create-config", "PATH", "write the default configuration text to PATH and exit",
       [](Options& o, const std::string& v) { o.createConfig = v; }},
      {"force", nullptr, "with --create-config: overwrite an existing file",
       [](Options& o, const std::string&) { o.force = true; }},
  };
  static const std::vector<OptionRow> all = [] {
    std::vector<OptionRow> rows = table;
    for (const auto& row : MonitorOptionRows()) rows.push_back(row);
    return rows;
  }();
  return all;
}

const OptionRow* FindOption(const std::string& name) {
  for (const auto& row : OptionTable())
    if (name == row.name) return &row;
  return nullptr;
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      result.options.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg[1] != '-') {
      result.error = "unknown option '" + arg + "'";
      return result;
    }
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    const OptionRow* row = FindOption(name);
    if (!row) {
      result.error = "unknown option '--" + name + "'";
      return result;
    }
    std::string value;
    if (row->valueName) {
      if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
      } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
        value = args[++i];
      } else {
        result.error = "option '--" + name + "' needs a value (" + row->valueName + ")";
        return result;
      }
      if (value.empty()) {
        result.error = "option '--" + name + "' needs a value (" + row->valueName + ")";
        return result;
      }
    } else if (eq != std::string::npos) {
      result.error = "option '--" + name + "' takes no value";
      return result;
    }
    row->apply(result.options, value);
  }

  const Options& o = result.options;
  if (o.positional.size() > 1)
    result.error = "more than one configuration file given";
  else if (o.config && !o.positional.empty())
    result.error = "the configuration file is given twice (--config and '" + o.positional[0] + "')";
  else if (o.createConfig && (o.config || !o.positional.empty()))
    result.error = "--create-config writes a file and exits; it takes no --config";
  else if (o.demo && (o.config || !o.positional.empty() || o.headless || o.user || o.passwordFile))
    result.error = "--demo writes its own configuration and logs on by itself; it takes no --config, --user, "
                   "--password-file or --headless";
  else if ((o.demo || o.screenshots) && o.headless)
    result.error = "--demo and --screenshots open windows; they take no --headless";
  else if (o.force && !o.createConfig)
    result.error = "--force is only used with --create-config";
  else
    result.error = CheckMonitorOptions(o);
  return result;
}

std::string UsageText() {
  std::string text =
      "Usage: vtconsole [CONFIG] [--user NAME] [--password-file FILE] [--screenshots DIR]\n"
      "       vtconsole --demo [--screenshots DIR]\n"
      "       vtconsole --headless [--config PATH] [--user NAME] [--password-file FILE]\n"
      "                 [--no-connection] [--polls N] [--quit-on-conflict]\n"
      "       vtconsole [--headless] --create-config PATH [--force]\n"
      "\n"
      "Remote configuration and monitoring console for the Veltrane32 mail network.\n"
      "\n"
      "Options:\n";
  for (const auto& row : OptionTable()) {
    std::string left = std::string("  --") + row.name;
    if (row.valueName) left += std::string(" ") + row.valueName;
    if (left.size() < 24) left.append(24 - left.size(), ' ');
    else left += ' ';
    text += left + row.help + "\n";
  }
  text +=
      "\n"
      "In headless mode every message of the start-up and shutdown is printed to\n"
      "standard output as it is logged: its two-digit image code, then its text.\n"
      "Message boxes go to standard error with their caption and are answered by\n"
      "default: OK for a box with only OK, No for Yes/No, Cancel for boxes with\n"
      "Cancel, Abort for Abort/Retry/Ignore; file dialogs are cancelled.\n"
      "\n"
      "Exit codes:\n"
      "  0  success\n"
      "  1  start-up failed (see the messages on standard error)\n"
      "  2  wrong command line (unknown option, missing value), or no desktop program\n"
      "  3  the configuration file does not exist\n"
      "  4  --create-config could not write the file (it exists and --force is not given,\n"
      "     or the file cannot be written)\n"
      "  5  computers refused the logon (user name or password) and none accepted it\n"
      "  6  another console holds the administrator rights and --quit-on-conflict was given\n"
      "  7  the configuration file could not be saved at shutdown\n";
  text += MonitorUsageText();
  return text;
}

}  // namespace app
