#pragma once
// The favourite groups in the desktop program: the group grid of the
// favourites pane, the members views, and the group commands of the main
// window. Every change to the groups runs as a job on the worker (it saves
// the configuration file); the windows redraw from the snapshot after it.
//
// While a favourites scan runs, group commands are refused with the scan's
// own message; while another user action runs, with the busy channel's.

#include <QObject>
#include <QPointer>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/GroupRecord.h"
#include "model/favorites/FavoritesEnvironment.h"
#include "services/FavoritesSnapshot.h"

namespace services {
class ConsoleServices;
}

namespace ui {

class CGridFavorites;
class CMainFrame;
class CViewFvItems;
class DesktopConsole;

class FavoritesController : public QObject, public model::FavoritesViews {
  Q_OBJECT

 public:
  explicit FavoritesController(DesktopConsole& console);

  // The worker's side (model::FavoritesViews): a removed group's members
  // view closes; the scan asks whether a group's view is open.
  void CloseMembers(const std::string& groupName) override;
  bool MembersOpen(const std::string& groupName) const override;

  // Connects the pane's grid and the members views of `frame`.
  void Attach(CMainFrame* frame);
  // The grid and every open members view from the snapshot's groups.
  void Redraw(const std::vector<services::FavoriteGroupView>& groups);

  // Commands 32779-32785 and 32781 (32782 adds the selected entries of the
  // active directions view to the group chosen in the pane); false for any other.
  bool HandleCommand(int id);
  // A favourites scan job was queued or has ended (timer 667, a rescan).
  void SetScanQueued(bool queued) { scanQueued_ = queued; }

  CViewFvItems* OpenMembers(const std::string& groupName);
  CViewFvItems* FindMembers(const std::string& groupName) const;

 private:
  CGridFavorites* Grid() const;
  // Says why a group command cannot run now; false when it can.
  bool Refused() const;
  // Runs `change` on the worker; a non-empty result is shown as an error.
  // Then the groups are saved and the windows redrawn.
  void PostChange(std::function<std::string(services::ConsoleServices&)> change, std::function<void()> after = {});

  void OnGroupEdited(int index, const std::string& oldName, const core::GroupRecord& values);
  void OnDeleteGroup(int index);
  void OnRemoveMembers(const std::string& groupName, const std::vector<std::pair<std::string, std::string>>& members);
  void OnRescan(const std::string& groupName);
  void AddSelectedDirections();
  void ConnectMembers(CViewFvItems* view);
  void RecountOpen();

  DesktopConsole& console_;
  QPointer<CMainFrame> frame_;
  std::vector<services::FavoriteGroupView> groups_;
  std::vector<core::GroupRecord> drawn_;  // what the grid shows
  bool scanQueued_ = false;
  mutable std::mutex openMutex_;
  std::multiset<std::string> open_;  // groups whose members view is open
};

}  // namespace ui
