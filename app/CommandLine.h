#pragma once
// The program's options. Each option is one row of a table (name, value,
// help text, what it sets), so a new option is one new row and one field.

#include <optional>
#include <string>
#include <vector>

namespace app {

struct Options {
  bool help = false;
  bool version = false;
  bool headless = false;
  // The desktop program: a demo node, screenshots.
  bool demo = false;
  std::optional<std::string> screenshots;
  bool force = false;
  std::optional<std::string> config;
  std::optional<std::string> createConfig;
  // The headless monitor (MonitorOptions.cpp).
  std::optional<std::string> user;
  std::optional<std::string> passwordFile;
  bool noConnection = false;
  std::optional<long> polls;  // none: until SIGINT or SIGTERM
  bool quitOnConflict = false;
  std::optional<long> pollPeriodMs;
  std::optional<long> connectTimeoutMs;
  std::optional<std::string> soundPlayer;
  // A bare argument: the configuration file, as the desktop program takes it.
  std::vector<std::string> positional;
};

struct ParseResult {
  Options options;
  std::string error;  // empty when the line was understood
};

// Parses the arguments after the program name. Accepts "--name value" and
// "--name=value"; "--" ends the options.
ParseResult ParseCommandLine(const std::vector<std::string>& args);

// The --help text, exit codes included.
std::string UsageText();

// Exit codes of the program.
namespace exitcode {
inline constexpr int kOk = 0;
inline constexpr int kStartupFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kConfigMissing = 3;
inline constexpr int kCreateFailed = 4;
inline constexpr int kLogonRefused = 5;
inline constexpr int kQuitOnConflict = 6;
inline constexpr int kSaveFailed = 7;
}  // namespace exitcode

}  // namespace app
