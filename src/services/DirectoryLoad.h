#pragma once
// Loading a node's directory for the directions views: the entry names from
// the queue manager (QMX_DirGetCount, QMX_DirGetAt), then every entry read in
// full (its queue manager and Router halves). Runs on the worker; the window
// follows it through the progress callback and may stop it there.
//
//   services::DirectoryLoad load = services::LoadDirectory(console, "NODE", &dialogs,
//       [&](size_t step, size_t total) { return !closed; });

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "model/item/VxItemBase.h"

namespace ports {
class DialogPort;
}

namespace services {

class ConsoleServices;

enum class DirectoryLoadOutcome {
  kBusy,          // a data scan or another sequence runs: told, nothing read
  kNoTasks,       // the node's queue manager or Router computer is unknown
  kListFailed,    // QMX_DirGetCount or QMX_DirGetAt failed: reported
  kEntryFailed,   // an entry could not be read: told; the entries before it are kept
  kStopped,       // the window went away (or the program is ending)
  kLoaded,
};

struct DirectoryLoad {
  DirectoryLoadOutcome outcome = DirectoryLoadOutcome::kBusy;
  std::string queueTaskName;
  std::string routerTaskName;
  std::string nodeAddress;
  std::vector<model::_VxItemBase> entries;  // in listing order
};

// Called after each step with the steps done and the total (2 x count + 1),
// and again before a failure is told; false stops the load quietly.
using DirectoryProgress = std::function<bool(size_t step, size_t total)>;

// The busy refusal "Не возможно получить данные от почтового узла - канал связи занят."
std::string DirectoryBusyText();

// The names the queue manager lists, trimmed of blanks, CR, LF and tabs and
// upper-cased; blank names are left out. Exposed for the tests.
std::string DirectoryEntryName(std::string_view listed);

// `dialogs` null: nothing is shown.
DirectoryLoad LoadDirectory(ConsoleServices& console, const std::string& mailServer, ports::DialogPort* dialogs,
                            const DirectoryProgress& progress);

}  // namespace services
