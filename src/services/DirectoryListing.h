#pragma once
// The queue manager's list of directory entries (QMX_DirGetCount, then
// QMX_DirGetAt for every index), as both directions presentations read it:
// the table before it reads every entry, the shortcut list on its own.
// Runs on the worker; a failure is reported under the operation's name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {
struct __RpcClientDescription;
}
namespace ports {
class DialogPort;
}

namespace services {

class ConsoleServices;

// Called after each step with the steps done and the total; false stops
// the work quietly.
using DirectoryProgress = std::function<bool(size_t step, size_t total)>;

// One listed entry: its name (trimmed, upper-cased, never blank) and the five
// item values the queue manager sent with it.
struct ListedEntry {
  std::string name;
  std::array<int32_t, 5> values{};
};

enum class ListingOutcome {
  kListed,
  kFailed,   // a call failed: reported (when there are dialogs)
  kStopped,  // the progress said stop (or a failure came after it would have)
};

struct DirectoryListing {
  ListingOutcome outcome = ListingOutcome::kFailed;
  std::vector<ListedEntry> entries;  // the ones listed before a failure or stop, too
  size_t total = 1;                  // stepsPerEntry x count + 1
};

// The names the queue manager lists, trimmed of blanks, CR, LF and tabs and
// upper-cased; blank names come back empty.
std::string DirectoryEntryName(std::string_view listed);

// Lists on `queue` (bound here). Each listed name is one step of a total of
// stepsPerEntry x count + 1, so that the caller's own steps follow on.
// `dialogs` null: nothing is shown. `reportName` set: failures of both calls
// are reported under that name instead of their own.
DirectoryListing ListDirectory(ConsoleServices& console, core::__RpcClientDescription& queue,
                               ports::DialogPort* dialogs, size_t stepsPerEntry, const DirectoryProgress& progress,
                               const char* reportName = nullptr);

}  // namespace services
