#pragma once
// The command line of vtnode-sim.

#include <optional>
#include <string>
#include <vector>

struct SimOptions {
  std::string listenHost;
  int listenPort = -1;  // -1: no TCP listener
  std::string fixture;  // empty: the bundled demo node
  std::string requestLog;
  std::string localEndpoint;
  std::string controlPath;
  // --send PATH COMMAND...: send one command to a running simulator and exit.
  std::string sendPath;
  std::string sendCommand;
  bool help = false;
};

// Parses argv; on a mistake returns nothing and sets `error`.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);
// The text of --help.
std::string SimUsage();
