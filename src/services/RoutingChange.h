#pragma once
// The routing view's sequences, on the worker: reading the node's routing
// tables and abonent records, the forced rescans, changing one entry from
// the pop-up editor, deleting selected entries, and the direction list the
// editor offers. Every change sent to the Router clears the validity bit of
// its level, whether or not it went through, so the next fill re-reads it.
// Text is CP1251.
//
//   services::RouteEdit edit{"NODE", 2, true, "SPB", "SPB", "TSPB-NODE", "OTHER", false, rights};
//   services::ChangeRoutingEntry(console, edit, dialogs);

#include <cstdint>
#include <string>
#include <vector>

#include "model/host/HostServices.h"
#include "services/DirectoryNames.h"

namespace ports {
class DialogPort;
}

namespace services {

class ConsoleServices;

// "Не возможно выполнить операцию.\nДля узла "%s" отсутствуют права администратора."
std::string RoutingNoRightsText(const std::string& mailServer);
// The text of a change the Router answered with a nonzero code.
std::string RoutingChangeErrorText(int32_t code);

enum class RoutingOutcome {
  kRefused,  // busy, scan, rights, unknown node: told, nothing sent
  kNothing,  // nothing to send (or the user declined)
  kDone,     // sent, and every call went through
  kFailed,   // sent, and a call failed (told)
};

// The view's load: invalid tables and the abonent records. A running scan
// of server data refuses with the busy text of a data window.
RoutingOutcome LoadRouting(ConsoleServices& console, const std::string& mailServer, const model::LoadWindow* window);

// The forced rescans: the bits of `clearMask` are cleared (63 all tables,
// 64 the abonent records, 1 << level one level), then the view's load. A
// running scan or another sequence refuses with the channel-busy text.
RoutingOutcome RescanRouting(ConsoleServices& console, const std::string& mailServer, uint32_t clearMask,
                             const model::LoadWindow* window);

// One edit of the pop-up editor.
struct RouteEdit {
  std::string mailServer;
  int level = 0;
  bool existingRow = false;  // false: a row being added
  std::string oldKey;        // the row's key before the edit
  std::string newKey;
  std::string oldTarget;
  std::string newTarget;
  // The target is one abonent of the node; sent only with a target.
  bool abonentTarget = false;
  bool hasAdministratorRights = false;
};

// Sends what the edit needs: nothing for an unchanged target or an existing
// row without a key; RedirRoutItem for a new target; DelRoutItem of the old
// key then AddRoutItem of the new one for a new key (AddRoutItem alone for a
// row being added). Failures go to the Router report under "RedirRoutItem",
// and a nonzero answer is shown in its own box as well.
RoutingOutcome ChangeRoutingEntry(ConsoleServices& console, const RouteEdit& edit, ports::DialogPort& dialogs);

struct RouteRowRef {
  std::string key;  // as shown ("*" for any address)
  std::string target;
};

struct RouteDeletion {
  std::string mailServer;
  int level = 0;
  std::vector<RouteRowRef> rows;
  bool hasAdministratorRights = false;
};

// Asks first; a row routed to SYSOP asks once more and stays unless Yes.
// DelRoutItem (level + 128) of each row, the level's bit cleared before each
// call; a failed row is reported and the others still go.
RoutingOutcome DeleteRoutingEntries(ConsoleServices& console, const RouteDeletion& deletion,
                                    ports::DialogPort& dialogs);

// The key as the Router is told it: "*" goes back to ".*".
std::string RouterKey(const std::string& shownKey);

// The editor's direction list from the queue manager's listing; a failure is
// reported under "DirGetCount" and the names listed before it are kept.
struct RoutingDirections {
  bool ok = false;
  std::vector<ShortcutEntry> entries;
};
RoutingDirections ListRoutingDirections(ConsoleServices& console, const std::string& mailServer,
                                        ports::DialogPort* dialogs);

}  // namespace services
