#include "MonitorOptions.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace app {

namespace {

// A decimal number in [low, high]; LONG_MIN when the text is not one.
long Number(const std::string& text, long low, long high) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return LONG_MIN;
  errno = 0;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || value < low || value > high) return LONG_MIN;
  return value;
}

}  // namespace

const std::vector<OptionRow>& MonitorOptionRows() {
  static const std::vector<OptionRow> rows = {
      {"user", "NAME", "the user name of the logon to every computer",
       [](Options& o, const std::string& v) { o.user = v; }},
      {"password-file", "FILE", "the password: one line for every computer, or lines COMPUTER=password",
       [](Options& o, const std::string& v) { o.passwordFile = v; }},
      {"no-connection", nullptr, "work without a connection to the computers (no logon, no polls)",
       [](Options& o, const std::string&) { o.noConnection = true; }},
      {"polls", "N", "end after N polls of the poll timer (0: start-up and shutdown only)",
       [](Options& o, const std::string& v) { o.polls = Number(v, 0, 1000000000); }},
      {"quit-on-conflict", nullptr, "end when another console holds the administrator rights",
       [](Options& o, const std::string&) { o.quitOnConflict = true; }},
      {"sound-player", "PROGRAM", "plays the alert sound file (default: paplay or aplay)",
       [](Options& o, const std::string& v) { o.soundPlayer = v; }},
      {"poll-period-ms", "MS", "for tests: the poll period instead of PERIOD_VERIFY seconds",
       [](Options& o, const std::string& v) { o.pollPeriodMs = Number(v, 10, 86400000); }},
      {"connect-timeout-ms", "MS", "the connect timeout of every computer (default 5000)",
       [](Options& o, const std::string& v) { o.connectTimeoutMs = Number(v, 10, 600000); }},
  };
  return rows;
}

std::string CheckMonitorOptions(const Options& o) {
  if (o.polls && *o.polls == LONG_MIN) return "--polls wants a whole number of polls (0 or more)";
  if (o.pollPeriodMs && *o.pollPeriodMs == LONG_MIN) return "--poll-period-ms wants milliseconds, 10 to 86400000";
  if (o.connectTimeoutMs && *o.connectTimeoutMs == LONG_MIN)
    return "--connect-timeout-ms wants milliseconds, 10 to 600000";
  // The logon answers and the connect timeout serve the desktop program too.
  const bool monitor = o.polls || o.quitOnConflict || o.soundPlayer || o.pollPeriodMs;
  if (monitor && !o.headless) return "--polls, --quit-on-conflict, --sound-player and --poll-period-ms are used with --headless";
  if ((o.user || o.passwordFile || o.noConnection || o.connectTimeoutMs || monitor) && o.createConfig)
    return "--create-config writes a file and exits; it takes no monitor options";
  if (o.noConnection && (o.user || o.passwordFile)) return "--no-connection takes no --user or --password-file";
  return {};
}

std::string MonitorUsageText() {
  return "\n"
         "Headless monitor: after the start-up (one logon per computer of each mail\n"
         "server, answered from --user and --password-file) the console polls every\n"
         "computer each PERIOD_VERIFY seconds, prints every message as it is logged,\n"
         "plays ERROR_SOUND when a poll fails, and on SIGINT or SIGTERM, or after\n"
         "--polls N polls, runs the shutdown (logoffs included) and exits 0. Without\n"
         "--user a logon is cancelled and the start-up ends (exit code 1). A rights\n"
         "conflict is answered \"continue as a user\" unless --quit-on-conflict. A computer\n"
         "that cannot be reached is reported on standard error and in the messages,\n"
         "and polled on; it does not change the exit code. An alert program gets its\n"
         "window title in the environment variable VT_ALERT_TITLE.\n";
}

}  // namespace app
