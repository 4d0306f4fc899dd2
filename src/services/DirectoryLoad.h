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
#include "services/DirectoryListing.h"

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

// The progress (DirectoryListing.h) counts two steps an entry plus one: the
// listing, then the reads; it is asked again before a failure is told.

// The busy refusal "Не возможно получить данные от почтового узла - канал связи занят."
std::string DirectoryBusyText();

// `dialogs` null: nothing is shown.
DirectoryLoad LoadDirectory(ConsoleServices& console, const std::string& mailServer, ports::DialogPort* dialogs,
                            const DirectoryProgress& progress);

}  // namespace services
