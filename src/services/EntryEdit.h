#pragma once
// The sequences of the direction and abonent view, on the worker: reading
// an entry to show it, making a new one, reading it again, and applying
// what the view's pages gathered. The view gathers its pages on the window
// thread before the apply is queued; the apply itself then runs here with
// that gathered copy, so no window is touched from the worker.
//
//   services::EntryRead read = services::ReadEntry(console, "NODE", "IVANOV", &dialogs);
//   services::EntryApplyResult result = services::ApplyEntry(console, request);

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/apply/ApplyChanges.h"
#include "model/item/VxItemBase.h"

namespace ports {
class DialogPort;
class ProgressPort;
}  // namespace ports

namespace services {

class ConsoleServices;

// Every computer of the mail server holds administrator rights for this console.
bool HasNodeRights(ConsoleServices& console, const std::string& mailServer);

// The text shown when the entry view's rescan meets a scan of server data.
std::string EntryRescanBusyText();

struct EntryRead {
  bool ok = false;  // read in full (a new entry: made)
  bool busy = false;  // a scan of server data runs: told, nothing read
  model::_VxItemBase entry;
  // The node's folder for local links ("#LOCAL_BOX_DIR"), empty when unknown.
  std::string localFolderPrefix;
};

// Reads a stored entry; a failed read is shown and the entry is given all
// the same (the view shows what came, and refuses to apply it).
EntryRead ReadEntry(ConsoleServices& console, const std::string& mailServer, const std::string& mailboxName,
                    ports::DialogPort* dialogs);
// A new direction or abonent of the node: no name yet, nothing on the server.
EntryRead MakeNewEntry(ConsoleServices& console, const std::string& mailServer, bool abonent);
// Reads the shown entry again in place; false when refused or the read failed.
bool RescanEntry(ConsoleServices& console, model::_VxItemBase& entry, ports::DialogPort* dialogs);

struct EntryApplyRequest {
  std::shared_ptr<model::_VxItemBase> shown;  // the view's entry; changed by the apply
  model::_VxItemBase gathered;                // the shown entry with every page written into it
  // The address-book address check of the routing page, on what was
  // gathered; may show its verdict when asked to. Called on the worker.
  std::function<bool(bool withMessage)> checkAddress;
  ports::DialogPort* dialogs = nullptr;
  ports::ProgressPort* progress = nullptr;
};

struct EntryApplyResult {
  model::ApplyOutcome outcome = model::ApplyOutcome::kNothing;
  // A new entry took a stored one's name and the user asked to open that one.
  std::optional<std::string> openExisting;
  // Said in the status bar when the apply went through (CP1251); also logged.
  std::string appliedText;
  // The command left before sending: the editor shows this copy.
  std::optional<model::_VxItemBase> keptInEditor;
  bool showAddressPage = false;
  bool redisplay = false;  // the shown entry was written and read back
  bool routingChanged = false;
};

// "Направление "%s" применено" / "Абонент "%s" применён" (CP1251).
std::string EntryAppliedText(const model::_VxItemBase& entry);

EntryApplyResult ApplyEntry(ConsoleServices& console, const EntryApplyRequest& request);

}  // namespace services
