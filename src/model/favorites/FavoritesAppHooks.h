#pragma once
// The start-up and shutdown steps that belong to the favourite groups: load
// them from the settings file, save them into it, remove them all. Every other
// step goes on to `next` (or does nothing without one).

#include <functional>

#include "core/ChainedAppHooks.h"

class C_CFG_File;

namespace model {

class FavoriteGroups;

class FavoritesAppHooks : public core::ChainedAppHooks {
 public:
  // `settingsFile` gives the console's configuration file when it is asked
  // for (it is opened during start-up); null: there is none.
  FavoritesAppHooks(FavoriteGroups& groups, std::function<C_CFG_File*()> settingsFile,
                    core::AppHooks* next = nullptr);
  // The groups given later (they often need the application object these
  // hooks are given to); until then the three steps do nothing and succeed.
  explicit FavoritesAppHooks(std::function<C_CFG_File*()> settingsFile, core::AppHooks* next = nullptr);
  void SetGroups(FavoriteGroups* groups) { groups_ = groups; }

  // Ours.
  bool LoadFavorites() override;
  bool SaveFavorites() override;
  void RemoveAllGroups() override;

 private:
  FavoriteGroups* groups_ = nullptr;
  std::function<C_CFG_File*()> settingsFile_;
};

}  // namespace model
