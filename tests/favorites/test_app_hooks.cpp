#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FavoritesTestSupport.h"
#include "cfg/C_CFG_File.h"
#include "model/favorites/FavoritesAppHooks.h"

namespace model::test {
namespace {

class CountingHooks : public core::AppHooks {
 public:
  bool LoadFavorites() override { return ++calls, false; }
  void PollAll() override { ++calls; }
  int calls = 0;
};

TEST(FavoritesAppHooksTest, LoadsAndSavesTheSettingsFileAndHandsOnTheRest) {
  FavoritesFixture fixture;
  FavoriteGroups groups(fixture.env);
  const auto path = std::filesystem::temp_directory_path() / ("vt_favorites_hooks_" + std::to_string(::getpid()));
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Favorites]\r\nFAVORIT=\"G\",\"NODE1\",\"X\"\r\n";
  }
  C_CFG_File file(path.string());
  C_CFG_File* current = nullptr;
  CountingHooks next;
  FavoritesAppHooks hooks(groups, [&current] { return current; }, &next);

  groups.AddGroup("Old");
  EXPECT_FALSE(hooks.LoadFavorites());  // no settings file yet
  EXPECT_TRUE(groups.Groups().empty());
  EXPECT_FALSE(hooks.SaveFavorites());

  current = &file;
  ASSERT_TRUE(hooks.LoadFavorites());
  ASSERT_EQ(groups.Groups().size(), 1u);
  ASSERT_TRUE(hooks.SaveFavorites());
  hooks.RemoveAllGroups();
  EXPECT_TRUE(groups.Groups().empty());

  hooks.PollAll();
  EXPECT_EQ(next.calls, 1);
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + ".BAK");
}

}  // namespace
}  // namespace model::test
