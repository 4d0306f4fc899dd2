// The favourite groups in the "Favorites" section of the configuration file.

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "model/favorites/FavoriteGroups.h"
#include "model/favorites/FavoriteLine.h"

namespace model {
namespace {

constexpr std::string_view kSection = "Favorites";
constexpr std::string_view kGroupName = "GROUP";
constexpr std::string_view kFavoriteName = "FAVORIT";
constexpr long kLockTimeoutMs = 5000;

// `lock`: wait for the file's lock without limit; the caller holds it otherwise.
C_CFG_Folder* Section(C_CFG_File& file, bool lock) {
  if (file.IsBad() || !file.IsLoaded()) return nullptr;
  return file.GetSection(kSection, lock);
}

}  // namespace

bool FavoriteGroups::LoadFavorites(C_CFG_File& file) {
  RemoveAllGroups();
  C_CFG_Folder* section = Section(file, true);
  if (!section) return false;
  for (std::uint32_t i = 0; i < section->GetCount(); ++i) {
    const C_CFG_Item* item = section->GetAt(i);
    if (!item || item->IsFolder() || item->GetName().empty() || item->GetValue().empty()) continue;
    const std::string_view name = item->GetName();
    const std::string& value = item->GetValue();
    if (name.substr(0, 5) == "GROUP") {
      core::GroupRecord record = core::ReadGroupValue(value);
      const int index = AddGroup(record.name);
      if (index < 0) continue;
      record.name = groups_[static_cast<size_t>(index)].settings.name;
      groups_[static_cast<size_t>(index)].settings = record;
    } else if (name.substr(0, 5) == "FAVOR") {
      const auto line = ReadFavoriteValue(value);
      if (!line || line->groupName.empty() || line->serverName.empty() || line->itemName.empty()) continue;
      if (env_.servers->ServerSlot(line->serverName) < 0) {
        // A server missing from this console's registry: keep the line as it was.
        const int index = FindGroup(line->groupName);
        const size_t position = index < 0 ? 0 : groups_[static_cast<size_t>(index)].references.size();
        kept_.push_back({line->groupName, position, value});
        continue;
      }
      AddReference(line->groupName, line->serverName, line->itemName, false);
    }
  }
  ResolveReferences();
  return true;
}

bool FavoriteGroups::SaveFavorites(C_CFG_File& file) {
  if (file.IsBad() || !file.IsLoaded()) return false;
  // The wait is limited: the section is looked up only once the lock is held.
  if (!file.Lock(kLockTimeoutMs)) return false;
  C_CFG_Folder* section = Section(file, false);
  if (!section) {
    file.UnlockWrite();
    return false;
  }
  section->RemoveAll(false);
  auto append = [&](std::string_view name, const std::string& value) {
    new C_CFG_Parameter(&file, section, name, value);  // the section owns it
  };
  auto appendKept = [&](const std::string& groupName, size_t position, bool andLater) {
    for (const auto& line : kept_) {
      if (line.groupName == groupName && (line.position == position || (andLater && line.position > position))) {
        append(kFavoriteName, line.value);
      }
    }
  };
  for (const auto& group : groups_) {
    append(kGroupName, core::FormatGroupValue(group.settings));
    for (size_t i = 0; i < group.references.size(); ++i) {
      appendKept(group.settings.name, i, false);
      const auto& reference = group.references[i];
      append(kFavoriteName, FormatFavoriteValue({group.settings.name, reference.serverName, reference.mailboxName}));
    }
    appendKept(group.settings.name, group.references.size(), true);
  }
  // Kept lines of groups that have no "GROUP" line of their own.
  for (const auto& line : kept_) {
    if (FindGroup(line.groupName) < 0) append(kFavoriteName, line.value);
  }
  const bool saved = file.Save(false);
  file.UnlockWrite();
  return saved;
}

}  // namespace model
