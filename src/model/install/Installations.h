#pragma once
// The installation sets a mail server offers to abonent sites: the list the
// installation page shows and the copy of one set, diskette by diskette, to
// folders the administrator chooses, completed by the abonent settings file.
//
// Runs on a worker thread: remote calls go through the process binding's
// call envelope one batch at a time, never while a message box is open, and
// every message goes through the dialog port.
//
//   model::InstallContext context{net, dialogs, &abonent, workFolder};
//   std::vector<model::InstallationRow> rows = model::RebuildInstallations(context);
//   std::string lastFolder;
//   model::CopyInstallation(context, rows, selected, scanRunning, lastFolder);

#include <cstdint>
#include <string>
#include <vector>

namespace core {
class NetworkServices;
struct __RpcClientDescription;
}  // namespace core
namespace ports {
class DialogPort;
}

namespace model {

class _VxItemBase;

// The capacities of the two remote operations.
inline constexpr int32_t kInstallListingCapacity = 65536;
inline constexpr int32_t kInstallFileCapacity = 4718592;

struct InstallationRow {
  std::string name;
  uint32_t diskettes = 0;
  std::string description;  // "info.txt" of the set, empty when it has none
  bool operator==(const InstallationRow&) const = default;
};

struct InstallContext {
  core::NetworkServices& net;
  ports::DialogPort& dialogs;
  const _VxItemBase* abonent = nullptr;  // the abonent the page shows; its mail server is asked
  std::string workFolder;                // the temporary folders are made in it
};

// The computer that carries the abonent's mail server's MQUEUE task: the
// task lists' answer, else the name the entry remembers. Null, with the
// internal error's number in *missing (0 to 3), when one step finds nothing.
core::__RpcClientDescription* InstallComputer(const InstallContext& context, int* missing = nullptr);

// The installation sets with their diskette counts and descriptions, in
// listing order. Every failure is shown and gives the rows found before it
// (none when the directory could not be listed).
std::vector<InstallationRow> RebuildInstallations(const InstallContext& context);

enum class CopyOutcome {
  Refused,    // the command could not run (empty list, no selection, no diskettes, a scan)
  Failed,     // a step failed and was reported
  Cancelled,  // the administrator closed the folder browser
  Copied,     // every diskette copied and the settings file written
};

// Copies the set of rows[selected] (selected -1: none). `lastFolder` is the
// folder the last diskette went to: set for each diskette, emptied when the
// browser is cancelled; the settings file is written there.
CopyOutcome CopyInstallation(const InstallContext& context, const std::vector<InstallationRow>& rows, int selected,
                             bool scanRunning, std::string& lastFolder);

}  // namespace model
