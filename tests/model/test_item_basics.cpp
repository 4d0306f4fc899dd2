// A directory entry's life: construction, Init, copies, the first routing
// address; the favourite group's references.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/item/VxGroup.h"
#include "model/item/VxItem.h"
#include "model/item/VxItemBase.h"
#include "model/item/VxItemRef.h"

namespace model::test {
namespace {

class FakeLookup : public ItemServerLookup {
 public:
  std::map<std::string, ItemServerNames> servers;
  bool Find(const std::string& name, ItemServerNames& names) override {
    const auto it = servers.find(name);
    if (it == servers.end()) return false;
    names = it->second;
    return true;
  }
};

TEST(ItemInit, LoadsOnceWithDefaults) {
  _VxItemBase item;
  EXPECT_FALSE(item.IsLoaded());
  item.priority = 9;
  item.active = item.forcedConnection = item.stateWord = item.passwordSet = 1;
  item.noCallOnArrival = 0;
  item.passwordHash = 77;
  item.queueCounters[3] = 5;
  item.routingAddresses[2] = {"X"};
  item.routingAddressesAsRead[2] = {"X"};
  item.note = item.absAddress = item.mailboxAddress = item.addressBookRecord = "old";
  item.skipQueueRefresh = 1;

  ASSERT_EQ(item.Init("NODE", "BOX", "MQ", "RT", "  c:ru/admd:a ", true), 1);
  EXPECT_TRUE(item.IsLoaded());
  EXPECT_EQ(item.skipQueueRefresh, 0);
  EXPECT_EQ(item.kind, 1);
  EXPECT_EQ(item.kindOnServer, 1);
  EXPECT_EQ(item.isNew, 0);
  EXPECT_EQ(item.nodeAddress, "C:RU/ADMD:A");
  EXPECT_EQ(item.priority, 0u);
  EXPECT_EQ(item.active + item.forcedConnection + item.stateWord + item.passwordSet, 0);
  EXPECT_EQ(item.noCallOnArrival, 1);
  EXPECT_EQ(item.passwordHash, 13u);
  EXPECT_EQ(item.queueCounters, QueueCounters{});
  EXPECT_EQ(item.routingAddresses, RoutingLists{});
  EXPECT_EQ(item.routingAddressesAsRead, RoutingLists{});
  EXPECT_EQ(item.note + item.absAddress + item.mailboxAddress + item.addressBookRecord, "");

  EXPECT_EQ(item.Init("OTHER", "", "Q", "R", "", false), 0);
  EXPECT_EQ(item.mailServerName, "NODE");
  EXPECT_EQ(item.kind, 1);
}

TEST(ItemInit, WithoutAMailboxNameTheEntryIsNew) {
  _VxItemBase item;
  ASSERT_EQ(item.Init("NODE", "", "MQ", "RT", "", false), 1);
  EXPECT_EQ(item.isNew, 1);
  EXPECT_EQ(item.kind, 0);
}

TEST(ItemConstruction, FromTheRegistries) {
  FakeLookup lookup;
  lookup.servers["NODE"] = {"MQ1", "RT1", "c:ru"};
  lookup.servers["HALF"] = {std::string(kNoData), "RT2", std::string(kNoData)};

  _VxItemBase known(lookup, "NODE", "BOX", true);
  EXPECT_TRUE(known.IsLoaded());
  EXPECT_EQ(known.queueTaskName, "MQ1");
  EXPECT_EQ(known.routerTaskName, "RT1");
  EXPECT_EQ(known.nodeAddress, "C:RU");
  EXPECT_EQ(known.kind, 1);

  _VxItemBase half(lookup, "HALF", "BOX", false);
  EXPECT_TRUE(half.IsLoaded());
  EXPECT_EQ(half.queueTaskName, std::string(kNoData));
  EXPECT_EQ(half.nodeAddress, "*** NO DATA ***");

  _VxItemBase unknown(lookup, "NOWHERE", "BOX", true);
  EXPECT_FALSE(unknown.IsLoaded());
  EXPECT_EQ(unknown.mailboxName, "");

  _VxItem watched(lookup, "NODE", "BOX", false, std::time_t{1700000000});
  EXPECT_EQ(watched.monitored, 1);
  EXPECT_EQ(watched.lastScanTime, 1700000000);
  EXPECT_TRUE(watched.IsValid());
  _VxItem plain;
  EXPECT_EQ(plain.monitored, 0);
  EXPECT_FALSE(plain.IsValid());
  _VxItem unregistered(lookup, "NOWHERE", "BOX", false);
  EXPECT_FALSE(unregistered.IsValid());
}

TEST(ItemCopy, CopiesEverythingButTheSnapshot) {
  _VxItemBase item;
  item.Init("NODE", "BOX", "MQ", "RT", "C:RU", true);
  item.parameters = {{"#USERID", "u"}};
  item.schedule.resize(2);
  item.schedule[1].interval = 600;
  item.routingAddresses[5] = {"BOX", "*"};
  item.routingAddressesAsRead[5] = {"BOX"};
  item.note = "n";
  item.queueCounters[10] = 4;
  item.password = "secret";

  const _VxItemBase copy(item);
  EXPECT_EQ(copy.parameters, item.parameters);
  EXPECT_EQ(copy.schedule, item.schedule);
  EXPECT_EQ(copy.routingAddresses, item.routingAddresses);
  EXPECT_EQ(copy.note, "n");
  EXPECT_EQ(copy.password, "secret");
  EXPECT_EQ(copy.queueCounters[10], 4u);
  EXPECT_EQ(copy.routingAddressesAsRead, RoutingLists{});

  _VxItemBase target;
  target.routingAddressesAsRead[0] = {"OLD"};
  target = item;
  EXPECT_EQ(target.mailboxName, "BOX");
  EXPECT_EQ(target.routingAddresses, item.routingAddresses);
  EXPECT_EQ(target.routingAddressesAsRead, RoutingLists{});
}

// Every field set, each to a value of its own that no default or Init gives.
_VxItem EveryFieldSet(int seed) {
  const std::string tag = std::to_string(seed);
  int n = seed * 100;
  _VxItem item;
  item.kindOnServer = ++n;
  item.kind = ++n;
  item.mailServerName = "SERVER" + tag;
  item.mailboxName = "BOX" + tag;
  item.priority = static_cast<uint32_t>(++n);
  item.active = ++n;
  item.callAtInterval = ++n;
  item.noCallOnArrival = ++n;
  item.extraOption = ++n;
  item.viaLocalFolder = ++n;
  item.linkParameters = "agents" + tag;
  item.forcedConnection = ++n;
  item.stateWord = ++n;
  item.schedule.resize(2);
  item.schedule[1].interval = static_cast<uint32_t>(++n);
  for (auto& c : item.queueCounters) c = static_cast<uint32_t>(++n);
  item.passwordSet = ++n;
  item.passwordHash = static_cast<uint32_t>(++n);
  item.password = "password" + tag;
  item.isNew = ++n;
  item.parameters = {{"#USERID", "user" + tag}, {"#FULLNAME", "name" + tag}};
  for (int level = 0; level < kLevelCount; ++level)
    item.routingAddresses[static_cast<size_t>(level)] = {"A" + tag + "-" + std::to_string(level)};
  item.queueTaskName = "MQ" + tag;
  item.routerTaskName = "RT" + tag;
  item.callStatus = ++n;
  item.callError = ++n;
  item.routerReplyWord = ++n;
  item.passwordConfirm = "confirm" + tag;
  item.optionsChanged = ++n;
  item.hideFromAddressBook = ++n;
  item.mailboxAddress = "C:RU/PN:BOX" + tag;
  item.nodeAddress = "C:RU" + tag;
  item.addressBookRecord = "record" + tag;
  item.absAddress = "abs" + tag;
  item.routingAddressesAsRead[3] = {"SNAPSHOT" + tag};
  item.note = "note" + tag;
  item.loaded = ++n;
  item.skipQueueRefresh = ++n;
  item.lastRefreshFailed = ++n;
  item.queueEntryMissing = ++n;
  item.monitored = ++n;
  item.alertText = "alert" + tag;
  item.alertCount = ++n;
  item.alertSevere = ++n;
  item.lastScanTime = ++n;
  return item;
}

// A copy, an assignment or a move takes every field but the snapshot lists,
// which describe what the source itself read from the server.
TEST(ItemCopy, EveryFieldTravels) {
  const _VxItem source = EveryFieldSet(1);
  // As plain lists: assigning the member itself would be a copy, which clears.
  const RoutingLists& sourceSnapshot = source.routingAddressesAsRead;
  auto expectCopyOfSource = [&](_VxItem copy) {
    EXPECT_EQ(copy.routingAddressesAsRead, RoutingLists{});
    copy.routingAddressesAsRead = sourceSnapshot;
    EXPECT_TRUE(copy == source);
  };
  {
    SCOPED_TRACE("copy construction");
    expectCopyOfSource(_VxItem(source));
  }
  {
    SCOPED_TRACE("assignment over other values");
    _VxItem target = EveryFieldSet(2);
    ASSERT_FALSE(target == source);
    target = source;
    expectCopyOfSource(target);
  }
  {
    SCOPED_TRACE("move");
    _VxItem moved = source;
    moved.routingAddressesAsRead = sourceSnapshot;
    expectCopyOfSource(std::move(moved));
  }
  {
    SCOPED_TRACE("through the base");
    _VxItemBase base = EveryFieldSet(3);
    base = source;
    EXPECT_EQ(base.routingAddressesAsRead, RoutingLists{});
    base.routingAddressesAsRead = sourceSnapshot;
    EXPECT_TRUE(base == static_cast<const _VxItemBase&>(source));
  }
  // Assigned to itself, an entry keeps its own snapshot.
  _VxItem self = EveryFieldSet(4);
  const _VxItem before = self;
  _VxItem& alias = self;
  self = alias;
  EXPECT_EQ(self.routingAddressesAsRead[3], std::vector<std::string>{"SNAPSHOT4"});
  self.routingAddressesAsRead = {};
  EXPECT_TRUE(self == before);
}

TEST(ItemRouting, FirstAddressOfTheLowestLevel) {
  _VxItemBase item;
  std::string address = "stale";
  int level = 7;
  EXPECT_FALSE(item.GetFirstRoutingAddress(address, level));
  item.routingAddresses[4] = {"OU1", "OU2"};
  item.routingAddresses[2] = {"NET"};
  ASSERT_TRUE(item.GetFirstRoutingAddress(address, level));
  EXPECT_EQ(address, "NET");
  EXPECT_EQ(level, 2);
}

TEST(ItemReference, NamesAndValidity) {
  const _VxItemRef ref(" box ", " NODE ");
  EXPECT_EQ(ref.mailboxName, "BOX");
  EXPECT_EQ(ref.serverName, "NODE");
  EXPECT_EQ(ref.itemIndex, -1);
  EXPECT_TRUE(ref.IsValid());
  EXPECT_EQ(ref, _VxItemRef("BOX", "NODE", 3, 4));
  EXPECT_FALSE(ref == _VxItemRef("BOX", "node"));

  const struct {
    _VxItemRef ref;
    bool valid;
  } cases[] = {
      {_VxItemRef("", "NODE"), false}, {_VxItemRef("BOX", "  "), false}, {_VxItemRef("BOX", "N", -1, 0), true},
      {_VxItemRef("BOX", "N", -1, 99), true}, {_VxItemRef("BOX", "N", -1, 100), false},
      {_VxItemRef("BOX", "N", -1, -2), false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.ref.IsValid(), c.valid) << c.ref.mailboxName << c.ref.serverIndex;
}

TEST(ItemGroup, AddsEachReferenceOnceAndRefusesBadOnes) {
  _VxGroup group;
  EXPECT_EQ(group.AddReference(_VxItemRef("A", "NODE")), 0);
  EXPECT_EQ(group.AddReference(_VxItemRef("B", "NODE")), 1);
  EXPECT_EQ(group.AddReference(_VxItemRef("a", "NODE", 5, 2)), 0);
  EXPECT_EQ(group.AddReference(_VxItemRef("", "NODE")), -1);
  EXPECT_EQ(group.AddReference(_VxItemRef("X;Y", "NODE")), -1);
  EXPECT_EQ(group.AddReference(_VxItemRef("X\"Y", "NODE")), -1);
  EXPECT_EQ(group.AddReference(_VxItemRef(std::string("X\0Y", 3), "NODE")), -1);
  EXPECT_EQ(group.AddReference(_VxItemRef("X", "NO\nDE")), -1);
  EXPECT_EQ(group.references.size(), 2u);
}

}  // namespace
}  // namespace model::test
