#pragma once
// What the favourite groups need from the rest of the console: the mail server
// registry and the refresh of one watched entry, the windows that show groups,
// the clock, the progress control, the alert reactions and the message log.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/host/WatchedList.h"

namespace core {
class MessageLog;
class OperationGate;
struct ProgramSettings;
}
namespace ports {
class AlertPort;
class Clock;
class ProgressPort;
}  // namespace ports

namespace model {

struct _VxGroup;

class FavoritesServers {
 public:
  virtual ~FavoritesServers() = default;
  // The mail server's slot in the registry; -1 when it is not registered.
  virtual int ServerSlot(const std::string& serverName) const = 0;
  // The server's one list of watched entries, kept with its registry record;
  // null when the server is not registered.
  virtual WatchedList* Watched(const std::string& serverName) const = 0;
  // A new watched entry for an item of a registered server; null when none can be made.
  virtual std::unique_ptr<_VxItem> MakeItem(const std::string& serverName, const std::string& itemName) = 0;
  // Fetches the entry's queue data from its server without message boxes;
  // false when the fetch failed.
  virtual bool Refresh(_VxItem& item) = 0;
};

// The group grid and the members views. Every call may be left undone.
class FavoritesViews {
 public:
  virtual ~FavoritesViews() = default;
  virtual void CloseMembers(const std::string& /*groupName*/) {}
  virtual bool MembersOpen(const std::string& /*groupName*/) const { return false; }
  // The members view of the group shows the group's current data.
  virtual void ShowMembers(const _VxGroup& /*group*/) {}
  virtual void RefreshGrid() {}
};

struct FavoritesEnvironment {
  FavoritesServers* servers = nullptr;  // required
  const ports::Clock* clock = nullptr;  // required
  ports::ProgressPort* progress = nullptr;
  ports::AlertPort* alerts = nullptr;
  core::MessageLog* messages = nullptr;
  FavoritesViews* views = nullptr;
  // Held by every sequence of calls: a scan does not start while another
  // holds it, and holds it while it runs. Null: the scan only keeps itself
  // from running twice.
  core::OperationGate* gate = nullptr;
  // SPLASH_WINDOW_TTL, read after each scan that showed the pop-up; null: 0.
  const core::ProgramSettings* settings = nullptr;
};

}  // namespace model
