#pragma once
// The shortcut list of a node's directory: only the names the queue manager
// lists, each marked as an abonent (the node's Router holds an abonent record
// of that name) or a direction, and whether the queue manager has the entry
// blocked. No entry is read in full. Runs on the worker like LoadDirectory.
//
//   services::DirectoryNames names = services::LoadDirectoryNames(console, "NODE", &dialogs,
//       [&](size_t step, size_t total) { return !closed; });

#include <string>
#include <vector>

#include "services/DirectoryListing.h"

namespace ports {
class DialogPort;
}

namespace services {

class ConsoleServices;

struct ShortcutEntry {
  std::string name;      // trimmed, upper-cased
  bool abonent = false;  // the Router has an abonent record of this name
  bool active = true;    // the queue manager's blocked value (the second listed value) is 0
};

enum class DirectoryNamesOutcome {
  kBusy,        // a data scan or another sequence runs: told, nothing read
  kNoTasks,     // the node or its queue manager computer is unknown
  kListFailed,  // QMX_DirGetCount or QMX_DirGetAt failed: reported; the names before it are kept
  kStopped,     // the window went away (or the program is ending)
  kLoaded,
};

struct DirectoryNames {
  DirectoryNamesOutcome outcome = DirectoryNamesOutcome::kBusy;
  std::vector<ShortcutEntry> entries;  // in listing order
};

// The abonent records are fetched first when the node's cache lacks them
// (with `dialogs`, a failure there is shown and the names are still listed,
// all as directions). The progress counts one step a name of count + 1.
// `dialogs` null: nothing is shown.
DirectoryNames LoadDirectoryNames(ConsoleServices& console, const std::string& mailServer,
                                  ports::DialogPort* dialogs, const DirectoryProgress& progress);

}  // namespace services
