#include "services/FavoritesSnapshot.h"

#include "services/ConsoleServices.h"

namespace services {

std::vector<FavoriteGroupView> TakeFavorites(ConsoleServices& console) {
  model::FavoriteGroups& groups = console.Favorites();
  std::vector<FavoriteGroupView> views;
  views.reserve(groups.Groups().size());
  for (const model::_VxGroup& group : groups.Groups()) {
    FavoriteGroupView view;
    view.settings = group.settings;
    view.alarm = groups.HasAlarm(group);
    for (const model::_VxItemRef& reference : group.references) {
      FavoriteMember member;
      member.serverName = reference.serverName;
      member.itemName = reference.mailboxName;
      if (const model::_VxItem* item = groups.WatchedItem(reference)) {
        member.resolved = true;
        member.item = *item;
      }
      view.members.push_back(std::move(member));
    }
    views.push_back(std::move(view));
  }
  return views;
}

const FavoriteGroupView* FindFavoriteGroup(const std::vector<FavoriteGroupView>& groups, const std::string& name) {
  for (const auto& group : groups)
    if (group.settings.name == name) return &group;
  return nullptr;
}

}  // namespace services
