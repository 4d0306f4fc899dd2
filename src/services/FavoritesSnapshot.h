#pragma once
// A copy of the favourite groups as the windows show them: each group's
// settings, whether it alarms, and its members with the watched entry's data
// from the last scan. Taken with the console snapshot, while no sequence of
// calls runs. CP1251 text.

#include <string>
#include <vector>

#include "core/GroupRecord.h"
#include "model/item/VxItem.h"

namespace services {

class ConsoleServices;

struct FavoriteMember {
  std::string serverName;
  std::string itemName;
  bool resolved = false;  // the reference names a watched entry; `item` is its copy
  model::_VxItem item;
};

struct FavoriteGroupView {
  core::GroupRecord settings;
  bool alarm = false;
  std::vector<FavoriteMember> members;
};

std::vector<FavoriteGroupView> TakeFavorites(ConsoleServices& console);

// The group of that name in `groups`, or null.
const FavoriteGroupView* FindFavoriteGroup(const std::vector<FavoriteGroupView>& groups, const std::string& name);

}  // namespace services
