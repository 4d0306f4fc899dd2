#include "model/favorites/FavoriteGroups.h"

#include <algorithm>

#include "text/Strings.h"

namespace model {

FavoriteGroups::FavoriteGroups(FavoritesEnvironment environment) : env_(std::move(environment)) {}

int FavoriteGroups::FindGroup(std::string_view name) const {
  const std::string_view trimmed = text::TrimView(name);
  for (size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i].settings.name == trimmed) return static_cast<int>(i);
  }
  return -1;
}

int FavoriteGroups::AddGroup(std::string_view name) {
  // Appending while a scan walks the list would move the groups under it.
  if (scanning_) return -1;
  const std::string trimmed = text::Trim(name);
  if (trimmed.empty() || !_VxGroup::IsStorableName(trimmed)) return -1;
  const int found = FindGroup(trimmed);
  if (found >= 0) return found;
  _VxGroup group;
  group.settings.name = trimmed;
  groups_.push_back(std::move(group));
  return static_cast<int>(groups_.size() - 1);
}

bool FavoriteGroups::IsReferenced(const _VxItemRef& reference) const {
  return std::any_of(groups_.begin(), groups_.end(),
                     [&](const _VxGroup& group) { return group.FindReference(reference) >= 0; });
}

void FavoriteGroups::Unwatch(const _VxItemRef& reference) {
  WatchedList* list = env_.servers->Watched(reference.serverName);
  if (!list) return;
  std::erase_if(*list, [&](const std::unique_ptr<_VxItem>& item) {
    return item && item->mailboxName == reference.mailboxName;
  });
}

bool FavoriteGroups::RemoveGroup(std::string_view name, bool save) {
  if (scanning_) return false;
  const int index = FindGroup(name);
  if (index < 0) return false;
  const std::string groupName = groups_[static_cast<size_t>(index)].settings.name;
  if (env_.views) env_.views->CloseMembers(groupName);
  // Only this group's references go; an item stays watched while another group holds it.
  std::vector<_VxItemRef> references = std::move(groups_[static_cast<size_t>(index)].references);
  groups_[static_cast<size_t>(index)].references.clear();
  for (const auto& reference : references) {
    if (!IsReferenced(reference)) Unwatch(reference);
  }
  groups_.erase(groups_.begin() + index);
  std::erase_if(kept_, [&](const KeptLine& line) { return line.groupName == groupName; });
  if (save) ResolveReferences();
  return true;
}

void FavoriteGroups::RemoveAllGroups() {
  while (!groups_.empty()) {
    if (!RemoveGroup(groups_.front().settings.name, false)) break;
  }
  if (!scanning_) kept_.clear();
}

bool FavoriteGroups::AddReference(std::string_view groupName, const std::string& serverName,
                                  const std::string& itemName, bool save) {
  if (scanning_) return false;
  const std::string group = text::Trim(groupName);
  _VxItemRef reference(itemName, serverName);
  if (group.empty() || !_VxGroup::IsStorableName(group) || !reference.IsValid() ||
      !_VxGroup::IsStorableName(reference.mailboxName) || !_VxGroup::IsStorableName(reference.serverName)) {
    return false;
  }
  reference.serverIndex = env_.servers->ServerSlot(reference.serverName);
  if (reference.serverIndex < 0) return false;
  WatchedList* list = env_.servers->Watched(reference.serverName);
  if (!list) return false;
  bool added = false;
  if (!WatchedItem(reference)) {
    std::unique_ptr<_VxItem> item = env_.servers->MakeItem(reference.serverName, reference.mailboxName);
    if (!item) return false;
    // Never fetched yet: the next scan fetches it whatever the group's last scan.
    item->lastScanTime = 0;
    list->push_back(std::move(item));
    added = true;
  }
  const int index = AddGroup(group);
  _VxGroup* target = index < 0 ? nullptr : &groups_[static_cast<size_t>(index)];
  if (!target || target->AddReference(reference) < 0) {
    // No entry stays watched without a reference to it.
    if (added && !IsReferenced(reference)) Unwatch(reference);
    return false;
  }
  if (save) {
    ResolveReferences();
    if (env_.views) env_.views->ShowMembers(*target);
  }
  return true;
}

bool FavoriteGroups::RemoveReference(std::string_view groupName, const std::string& serverName,
                                     const std::string& itemName, bool save) {
  if (scanning_) return false;
  const int index = FindGroup(groupName);
  if (index < 0) return false;
  const _VxItemRef reference(itemName, serverName);
  auto& references = groups_[static_cast<size_t>(index)].references;
  const int at = groups_[static_cast<size_t>(index)].FindReference(reference);
  if (at < 0) return false;
  references.erase(references.begin() + at);
  if (!IsReferenced(reference)) Unwatch(reference);
  if (save) ResolveReferences();
  return true;
}

void FavoriteGroups::ResolveReferences() {
  for (auto& group : groups_) {
    for (auto& reference : group.references) {
      reference.serverIndex = env_.servers->ServerSlot(reference.serverName);
      reference.itemIndex = -1;
      if (const WatchedList* list = Watched(reference.serverName)) {
        for (size_t i = 0; i < list->size(); ++i) {
          if ((*list)[i] && (*list)[i]->mailboxName == reference.mailboxName) {
            reference.itemIndex = static_cast<int32_t>(i);
            break;
          }
        }
      }
    }
    if (env_.views) env_.views->ShowMembers(group);
  }
}

const WatchedList* FavoriteGroups::Watched(const std::string& serverName) const {
  return env_.servers->Watched(serverName);
}

_VxItem* FavoriteGroups::WatchedItem(const _VxItemRef& reference) const {
  const WatchedList* list = Watched(reference.serverName);
  if (!list) return nullptr;
  // The resolved index is a hint: removals since the last resolve may have moved it.
  if (reference.itemIndex >= 0 && static_cast<size_t>(reference.itemIndex) < list->size()) {
    _VxItem* item = (*list)[static_cast<size_t>(reference.itemIndex)].get();
    if (item && item->mailboxName == reference.mailboxName) return item;
  }
  for (const auto& item : *list) {
    if (item && item->mailboxName == reference.mailboxName) return item.get();
  }
  return nullptr;
}

}  // namespace model
