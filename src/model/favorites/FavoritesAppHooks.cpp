#include "model/favorites/FavoritesAppHooks.h"

#include "model/favorites/FavoriteGroups.h"

namespace model {

FavoritesAppHooks::FavoritesAppHooks(FavoriteGroups& groups, std::function<C_CFG_File*()> settingsFile,
                                     core::AppHooks* next)
    : ChainedAppHooks(next), groups_(&groups), settingsFile_(std::move(settingsFile)) {}

FavoritesAppHooks::FavoritesAppHooks(std::function<C_CFG_File*()> settingsFile, core::AppHooks* next)
    : ChainedAppHooks(next), settingsFile_(std::move(settingsFile)) {}

bool FavoritesAppHooks::LoadFavorites() {
  if (!groups_) return true;
  C_CFG_File* file = settingsFile_ ? settingsFile_() : nullptr;
  if (!file) {
    groups_->RemoveAllGroups();
    return false;
  }
  return groups_->LoadFavorites(*file);
}

bool FavoritesAppHooks::SaveFavorites() {
  if (!groups_) return true;
  C_CFG_File* file = settingsFile_ ? settingsFile_() : nullptr;
  return file && groups_->SaveFavorites(*file);
}

void FavoritesAppHooks::RemoveAllGroups() {
  if (groups_) groups_->RemoveAllGroups();
}

}  // namespace model
