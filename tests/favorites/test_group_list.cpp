#include <gtest/gtest.h>

#include "FavoritesTestSupport.h"

namespace model::test {
namespace {

class GroupListTest : public ::testing::Test, protected FavoritesFixture {
 protected:
  FavoriteGroups groups{env};

  size_t WatchedCount(const std::string& server) const {
    const auto* list = groups.Watched(server);
    return list ? list->size() : 0;
  }
};

TEST_F(GroupListTest, AddGroupTrimsFindsExactlyAndRefusesUnstorableNames) {
  EXPECT_EQ(groups.AddGroup("  Links  "), 0);
  EXPECT_EQ(groups.Groups()[0].settings.name, "Links");
  EXPECT_EQ(groups.AddGroup("Links"), 0);
  EXPECT_EQ(groups.FindGroup(" Links "), 0);
  EXPECT_EQ(groups.FindGroup("links"), -1);
  EXPECT_EQ(groups.AddGroup("links"), 1);
  for (const char* bad : {"", "   ", "a\"b", "a;b", "a\nb", "a\rb"}) {
    EXPECT_EQ(groups.AddGroup(bad), -1) << bad;
  }
  EXPECT_EQ(groups.AddGroup(std::string_view("a\0b", 3)), -1);
  EXPECT_EQ(groups.Groups().size(), 2u);
}

TEST_F(GroupListTest, NewGroupHasTheInternalDefaults) {
  groups.AddGroup("G");
  const auto& settings = groups.Groups()[0].settings;
  EXPECT_EQ(settings.scanPeriod, 45u);
  EXPECT_EQ(settings.agentIdleLimit, 3600u);
  EXPECT_EQ(groups.Groups()[0].lastScanTime, 0);
}

TEST_F(GroupListTest, AddReferenceWatchesTheItemOncePerServer) {
  EXPECT_TRUE(groups.AddReference("A", " NODE1 ", " dir1 ", true));
  EXPECT_TRUE(groups.AddReference("A", "NODE1", "DIR1", true));  // the same reference
  EXPECT_TRUE(groups.AddReference("B", "NODE1", "Dir1", true));
  EXPECT_TRUE(groups.AddReference("B", "NODE2", "DIR1", true));

  ASSERT_EQ(groups.Groups().size(), 2u);
  ASSERT_EQ(groups.Groups()[0].references.size(), 1u);
  const auto& reference = groups.Groups()[0].references[0];
  EXPECT_EQ(reference.mailboxName, "DIR1");
  EXPECT_EQ(reference.serverName, "NODE1");
  EXPECT_EQ(reference.serverIndex, 0);
  EXPECT_EQ(reference.itemIndex, 0);
  EXPECT_EQ(groups.Groups()[1].references[1].serverIndex, 1);
  EXPECT_EQ(WatchedCount("NODE1"), 1u);
  EXPECT_EQ(WatchedCount("NODE2"), 1u);
}

TEST_F(GroupListTest, AddReferenceRefusals) {
  struct Case {
    const char* group;
    const char* server;
    const char* item;
  };
  for (const Case& c : {Case{"", "NODE1", "X"}, Case{"G", "", "X"}, Case{"G", "NODE1", "  "},
                        Case{"G", "NODE9", "X"}, Case{"G", "NODE1", "X;Y"}, Case{"G", "NODE1", "X\"Y"},
                        Case{"G\nH", "NODE1", "X"}}) {
    EXPECT_FALSE(groups.AddReference(c.group, c.server, c.item, true)) << c.group << "/" << c.server << "/" << c.item;
  }
  EXPECT_TRUE(groups.Groups().empty());
  EXPECT_EQ(WatchedCount("NODE1"), 0u);
  EXPECT_EQ(groups.Watched("NODE9"), nullptr);
}

TEST_F(GroupListTest, RemoveGroupKeepsItemsAnotherGroupWatches) {
  groups.AddReference("A", "NODE1", "SHARED", false);
  groups.AddReference("A", "NODE1", "ONLYA", false);
  groups.AddReference("B", "NODE1", "SHARED", false);
  groups.AddReference("B", "NODE1", "ONLYB", false);
  groups.ResolveReferences();

  ASSERT_TRUE(groups.RemoveGroup("A", true));
  ASSERT_EQ(groups.Groups().size(), 1u);
  EXPECT_EQ(groups.Groups()[0].settings.name, "B");
  ASSERT_EQ(groups.Groups()[0].references.size(), 2u);
  EXPECT_EQ(WatchedCount("NODE1"), 2u);
  for (const auto& reference : groups.Groups()[0].references) {
    const _VxItem* item = groups.WatchedItem(reference);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->mailboxName, reference.mailboxName);
    // Resolved again after the removal moved the list.
    EXPECT_EQ((*groups.Watched("NODE1"))[static_cast<size_t>(reference.itemIndex)]->mailboxName,
              reference.mailboxName);
  }
  EXPECT_FALSE(groups.RemoveGroup("A", true));

  groups.RemoveAllGroups();
  EXPECT_TRUE(groups.Groups().empty());
  EXPECT_EQ(WatchedCount("NODE1"), 0u);
  EXPECT_EQ(groups.Watched("NODE9"), nullptr);
}

TEST_F(GroupListTest, RemoveReferenceUnwatchesOnlyTheLastHolder) {
  groups.AddReference("A", "NODE1", "SHARED", true);
  groups.AddReference("B", "NODE1", "SHARED", true);
  ASSERT_TRUE(groups.RemoveReference("A", "NODE1", "shared", true));
  EXPECT_TRUE(groups.Groups()[0].references.empty());
  EXPECT_EQ(WatchedCount("NODE1"), 1u);
  EXPECT_FALSE(groups.RemoveReference("A", "NODE1", "SHARED", true));
  ASSERT_TRUE(groups.RemoveReference("B", "NODE1", "SHARED", true));
  EXPECT_EQ(WatchedCount("NODE1"), 0u);
}

}  // namespace
}  // namespace model::test
