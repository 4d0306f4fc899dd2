#pragma once
// A command chosen in the navigation tree's drop-down: on a task row for that
// task, on a computer row for the whole computer, on a mail server row for
// each of its computers in turn. Refused during a data scan, without a
// binding or without administrator rights, each with its message; the call
// itself goes out on the task command's worker and the task rows are read
// again afterwards.

#include <cstdint>
#include <functional>
#include <string>

namespace services {

class ConsoleServices;

struct TreeCommandTarget {
  std::string mailServer;
  std::string computer;  // empty: the mail server's row
  std::string task;      // empty: the computer's row
};

struct TreeCommandResult {
  int sent = 0;      // computers the command reached
  bool refused = false;  // a scan, a binding, the rights or a busy channel stopped it
};

// `redrawRows` runs while the command's call is under way (every 2000 ms) and
// once at its end; it must not call.
TreeCommandResult RunTreeCommand(ConsoleServices& console, const TreeCommandTarget& target, int32_t command,
                                 const std::function<void()>& redrawRows);

}  // namespace services
