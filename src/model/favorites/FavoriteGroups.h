#pragma once
// The console's favourite groups: the ordered group list with the member
// references, their text form in [Favorites], the periodic scan and the alarm
// reactions. The watched entries themselves live in each mail server's one
// list (FavoritesServers::Watched); the groups add and remove them there.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/favorites/FavoritesEnvironment.h"
#include "model/item/VxGroup.h"
#include "model/item/VxItem.h"

class C_CFG_File;

namespace model {

class FavoriteGroups {
 public:
  explicit FavoriteGroups(FavoritesEnvironment environment);

  // Index of the group named exactly `name` (after trimming), or -1.
  int FindGroup(std::string_view name) const;
  // The existing group of that name or a new one at the end; -1 for an empty
  // name, a name that cannot be stored, or while a scan runs.
  int AddGroup(std::string_view name);
  // Removes the group's references, and every item no other group refers to
  // from its server's watched list, then the group. With `save` the remaining
  // references are resolved again. False when there is no such group or a scan runs.
  bool RemoveGroup(std::string_view name, bool save);
  void RemoveAllGroups();
  // Creates the group when needed and watches the item. False for a missing
  // name, an unregistered server, an item that cannot be watched, or during a scan.
  bool AddReference(std::string_view groupName, const std::string& serverName, const std::string& itemName,
                    bool save);
  bool RemoveReference(std::string_view groupName, const std::string& serverName, const std::string& itemName,
                       bool save);
  void ResolveReferences();

  // The "Favorites" section of an open, loaded configuration file.
  bool LoadFavorites(C_CFG_File& file);
  // Under the file's lock (5 s at most): empties the section, writes every
  // group with its references and saves the file.
  bool SaveFavorites(C_CFG_File& file);

  // One scan cycle over the groups whose period has run out.
  void ScanFavorites();
  // The checks of one watched entry at the clock's current local time.
  void CheckThresholds(_VxItem& item, const _VxGroup& group) const;
  bool HasAlarm(const _VxGroup& group) const;
  // The sound and the application of a group, when it has an alarm.
  void RunAlarmReactions(const _VxGroup& group);
  // The rescan command of a members view: the group and its items are fetched
  // again by the next scan, which runs at once.
  void Rescan(std::string_view groupName);
  bool ScanRunning() const { return scanning_; }

  const std::vector<_VxGroup>& Groups() const { return groups_; }
  _VxGroup& GroupAt(int index) { return groups_.at(static_cast<size_t>(index)); }
  // The server's watched entries; null when the server is not registered.
  const WatchedList* Watched(const std::string& serverName) const;
  // The watched entry a reference names; null when there is none.
  _VxItem* WatchedItem(const _VxItemRef& reference) const;

 private:
  // A "FAVORIT" line whose server is not registered: written back unchanged
  // in front of the reference that followed it in its group.
  struct KeptLine {
    std::string groupName;
    size_t position;
    std::string value;
  };

  bool IsReferenced(const _VxItemRef& reference) const;
  void Unwatch(const _VxItemRef& reference);
  std::string PopupText(const _VxGroup& group) const;
  int64_t LocalNow() const;

  FavoritesEnvironment env_;
  std::vector<_VxGroup> groups_;
  std::vector<KeptLine> kept_;
  bool scanning_ = false;
};

}  // namespace model
