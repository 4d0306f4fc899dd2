#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FavoritesTestSupport.h"
#include "cfg/C_CFG_File.h"

namespace model::test {
namespace {

class FavoritesFileTest : public ::testing::Test, protected FavoritesFixture {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vt_favorites_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "console.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& text) {
    std::ofstream out(path_, std::ios::binary);
    out << text;
  }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
  }

  FavoriteGroups groups{env};
  std::filesystem::path dir_;
  std::string path_;
};

const char* const kGroupA =
    "GROUP=\"Links\",\"main links\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"/snd/alarm.wav\",\"/bin/run me\","
    "0,3600,3600,3600,3600,3600\r\n";
const char* const kGroupB = "GROUP=\"Other\",\"\",300,1,2,3,4,5,6,7,8,9,10,11,12,\"\",\"\",13,14,15,16,17,18\r\n";

TEST_F(FavoritesFileTest, UnchangedGroupsAreWrittenBackByteForByte) {
  const std::string text = std::string("[Favorites]\r\n") + kGroupA +
                           "FAVORIT=\"Links\",\"NODE1\",\"DIR1\"\r\n"
                           "FAVORIT=\"Links\",\"GONE\",\"KEPT\"\r\n"
                           "FAVORIT=\"Links\",\"NODE2\",\"ABON\"\r\n" +
                           kGroupB + "FAVORIT=\"Other\",\"NODE1\",\"DIR1\"\r\n";
  Write(text);
  C_CFG_File file(path_);
  ASSERT_TRUE(groups.LoadFavorites(file));
  ASSERT_EQ(groups.Groups().size(), 2u);
  EXPECT_EQ(groups.Groups()[0].settings.application, "/bin/run me");
  EXPECT_EQ(groups.Groups()[0].references.size(), 2u);  // the unregistered server's line is only kept
  EXPECT_EQ(groups.Watched("NODE1")->size(), 1u);

  ASSERT_TRUE(groups.SaveFavorites(file));
  EXPECT_EQ(Read(), text);
}

TEST_F(FavoritesFileTest, ReaderDefaultsAndDroppedLines) {
  Write(
      "[Favorites]\r\n"
      "GROUP=\"  Short  \",\"\",5\r\n"
      "GROUP=\"\",\"nameless\",60\r\n"
      "FAVORIT=\"\",\"NODE1\",\"X\"\r\n"
      "FAVORIT=\"Short\",\"NODE1\"\r\n"
      "FAVORIT=\"Short\",\"NODE1\",\"\"\r\n"
      "FAVORITE=\"Short\",\"NODE1\",\"y\"\r\n"
      "OTHER=\"Short\",\"NODE1\",\"Z\"\r\n"
      "FAVORIT=\"Late\",\"NODE2\",\"W\"\r\n");
  C_CFG_File file(path_);
  ASSERT_TRUE(groups.LoadFavorites(file));
  ASSERT_EQ(groups.Groups().size(), 2u);

  const auto& settings = groups.Groups()[0].settings;
  EXPECT_EQ(settings.name, "Short");
  EXPECT_EQ(settings.scanPeriod, 20u);
  EXPECT_EQ(settings.totalCritical, 0u);
  EXPECT_EQ(settings.totalDangerous, 0u);
  EXPECT_EQ(settings.critical, (std::array<uint32_t, 5>{}));
  EXPECT_EQ(settings.dangerous, (std::array<uint32_t, 5>{}));
  EXPECT_EQ(settings.soundFile, "");
  EXPECT_EQ(settings.agentIdleLimit, 3600u);
  EXPECT_EQ(settings.idleLimit, (std::array<uint32_t, 5>{3600, 3600, 3600, 3600, 3600}));
  ASSERT_EQ(groups.Groups()[0].references.size(), 1u);
  EXPECT_EQ(groups.Groups()[0].references[0].mailboxName, "Y");

  // A reference before any "GROUP" line makes its group.
  EXPECT_EQ(groups.Groups()[1].settings.name, "Late");
  EXPECT_EQ(groups.Groups()[1].references[0].itemIndex, 0);
}

TEST_F(FavoritesFileTest, LoadReplacesGroupsAndFailsWithoutTheSection) {
  groups.AddReference("Old", "NODE1", "X", true);
  Write("[Other]\r\nA=1\r\n");
  C_CFG_File file(path_);
  EXPECT_FALSE(groups.LoadFavorites(file));
  EXPECT_TRUE(groups.Groups().empty());
  EXPECT_TRUE(groups.Watched("NODE1")->empty());
  EXPECT_FALSE(groups.SaveFavorites(file));

  C_CFG_File missing((dir_ / "none.cfg").string());
  EXPECT_FALSE(groups.LoadFavorites(missing));
  EXPECT_FALSE(groups.SaveFavorites(missing));
}

TEST_F(FavoritesFileTest, SaveWritesChangesAndDropsRemovedGroupsKeptLines) {
  Write(std::string("[Favorites]\r\n") + kGroupB + "FAVORIT=\"Other\",\"GONE\",\"KEPT\"\r\n");
  C_CFG_File file(path_);
  ASSERT_TRUE(groups.LoadFavorites(file));
  ASSERT_TRUE(groups.AddReference("New", "NODE2", "abc", true));
  ASSERT_TRUE(groups.SaveFavorites(file));
  const std::string saved = Read();
  EXPECT_NE(saved.find("FAVORIT=\"Other\",\"GONE\",\"KEPT\"\r\n"), std::string::npos);
  EXPECT_NE(saved.find("FAVORIT=\"New\",\"NODE2\",\"ABC\"\r\n"), std::string::npos);

  ASSERT_TRUE(groups.RemoveGroup("Other", true));
  ASSERT_TRUE(groups.SaveFavorites(file));
  EXPECT_EQ(Read().find("KEPT"), std::string::npos);
}

}  // namespace
}  // namespace model::test
