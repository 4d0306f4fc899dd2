// The host description read from a simulated node and its routing cache
// filled through the Router, over loopback TCP.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "HostHarness.h"
#include "model/item/VxItem.h"
#include "rpc/report/ReportBox.h"

namespace hosttest {
namespace {

using model::VtHostData;

size_t CountOf(const std::vector<std::string>& v, const std::string& s) { return std::count(v.begin(), v.end(), s); }

TEST(HostDescriptionRead, CommonKeysOnceThenFromTheCache) {
  HostHarness h;
  ASSERT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 1);
  VtHostData& d = h.Data();
  EXPECT_EQ(d.HostName(), "MSK-CENTRAL");
  EXPECT_EQ(d.NodeAddress(), "C:RU/ADMD:VELTRANE/PRMD:MOSCOW");
  EXPECT_EQ(d.HostUid(), "UID-1");
  EXPECT_EQ(d.Directory("#BOX_DIR"), "C:\\MAIL\\");
  EXPECT_EQ(d.Directory("#QUEUE_DIR"), "D:/Q/");
  EXPECT_EQ(d.Directory("#ERR_DIR"), "E:\\ERR\\");
  EXPECT_EQ(d.Directory("#LOG_DIR"), "");
  EXPECT_EQ(d.queueTaskIndex, h.net.FindComputer("SRV1")->index);

  const size_t calls = h.Requests().size();
  EXPECT_GT(calls, 0u);
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 1);
  EXPECT_EQ(h.Requests().size(), calls);

  // Forced: read again, and fields no longer on the server are emptied.
  d.common[4] = "STALE\\";
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), true, "MQUEUE"), 1);
  EXPECT_GT(h.Requests().size(), calls);
  EXPECT_EQ(d.common[4], "");
}

TEST(HostDescriptionRead, ForcedReadWithoutBindingKeepsWhatWasRead) {
  HostHarness h;
  ASSERT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 1);
  const size_t calls = h.Requests().size();
  h.net.FindComputer("SRV1")->connectionNotUsed = true;
  h.net.Binding().UnbindCurrent();
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), true, "MQUEUE"), 1);
  EXPECT_EQ(h.Requests().size(), calls);
  EXPECT_EQ(h.Data().HostName(), "MSK-CENTRAL");
}

TEST(HostDescriptionRead, UnknownTaskComputerGivesZeroWithoutCalls) {
  HostHarness h;
  h.carriers.carriers.clear();
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 0);
  EXPECT_EQ(h.Data().queueTaskIndex, -1);
  EXPECT_TRUE(h.Requests().empty());
}

TEST(HostDescriptionRead, NoCommonSectionIsSuccessWithEmptyFields) {
  HostHarness h("[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n[CFG OTHER]\n#HOST_NAME=WRONG\n");
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 1);
  EXPECT_EQ(h.Data().HostName(), "");
}

// A section or parameter that cannot be read is skipped; only an uncountable
// configuration ends the read.
TEST(HostDescriptionRead, UnreadableItemsAreSkipped) {
  struct Case {
    const char* command;
    int result;
    const char* hostName;
    const char* address;
  };
  const Case cases[] = {
      {"answer CfgGetSectionCount 0 status=1", 0, "", ""},
      {"answer CfgGetSectionAt 0 status=1", 1, "MSK-CENTRAL", "C:RU/ADMD:VELTRANE/PRMD:MOSCOW"},  // OTHER skipped
      {"answer CfgGetParamAt 0 status=1", 1, "", "C:RU/ADMD:VELTRANE/PRMD:MOSCOW"},  // #host_name skipped
      {"answer CfgGetParamCount 0 status=1", 1, "", ""},
  };
  for (const Case& c : cases) {
    HostHarness h;
    h.Command(c.command);
    EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), c.result) << c.command;
    EXPECT_EQ(h.Data().HostName(), c.hostName) << c.command;
    EXPECT_EQ(h.Data().NodeAddress(), c.address) << c.command;
  }
}

TEST(HostDescriptionRead, StopsWhenAllFourteenKeysAreSeen) {
  std::string sections = "[CFG COMMON]\n#HOST_NAME=H\n#HOST_NAME=H2\n";
  for (const char* key : VtHostData::kCommonKeys)
    if (std::string(key) != "#HOST_NAME") sections += std::string(key) + "=V\n";
  sections += "#AFTER=1\n#AFTER2=2\n";
  HostHarness h(sections);
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 1);
  EXPECT_EQ(h.Data().HostName(), "H2");
  EXPECT_EQ(CountOf(h.Operations(), "CfgGetParamAt"), 15u);
}

TEST(HostDescriptionRead, FailedCallGivesZero) {
  HostHarness h;
  h.Command("fault 1783 always");
  EXPECT_EQ(h.hosts.EnsureLoaded(h.Node(), false, "MQUEUE"), 0);
  EXPECT_FALSE(h.Data().HasIdentity());
}

// The validity mask decides what is fetched.
TEST(RoutingLoad, OnlyInvalidPartsAreFetched) {
  struct Case {
    const char* name;
    uint32_t mask;
    bool tables;
    bool abonents;
    std::vector<std::string> expected;  // GetAbonentInfo as "A", GetRoutList levels as digits
  };
  const Case cases[] = {
      {"everything", 0, true, true, {"A", "0", "1", "2", "3", "4", "5"}},
      {"all valid", 127, true, true, {}},
      {"tables valid, abonents wanted", 63, true, true, {"A"}},
      {"abonents valid", 64, true, true, {"0", "1", "2", "3", "4", "5"}},
      {"two levels valid", 1 | 4, true, false, {"1", "3", "4", "5"}},
      {"abonents only", 0, false, true, {"A"}},
      {"nothing wanted", 0, false, false, {}},
  };
  for (const Case& c : cases) {
    HostHarness h;
    VtHostData& d = h.Data();
    d.validMask = c.mask;
    d.routingTable[0] = "KEPT0";
    d.routingTable[1] = "STALE1";
    EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), c.tables, c.abonents, nullptr), 1) << c.name;
    std::vector<std::string> got;
    for (const auto& line : h.Requests()) {
      if (line.rfind("GetAbonentInfo", 0) == 0) got.push_back("A");
      if (line.rfind("GetRoutList", 0) == 0) got.push_back(line.substr(line.find("Level=") + 6, 1));
    }
    EXPECT_EQ(got, c.expected) << c.name;
    uint32_t expectedMask = c.mask;
    if (c.tables) expectedMask |= 63;
    if (c.abonents) expectedMask |= 64;
    EXPECT_EQ(d.validMask, expectedMask) << c.name;
    if (c.mask & 1) {
      EXPECT_EQ(d.routingTable[0], "KEPT0") << c.name;
    }
  }
}

TEST(RoutingLoad, TablesAndAbonentsFromTheRouter) {
  HostHarness h;
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, true, nullptr), 1);
  VtHostData& d = h.Data();
  EXPECT_NE(d.routingTable[0].find("RU:TRELAY1;"), std::string::npos);
  EXPECT_NE(d.routingTable[2].find("MOSCOW:LIVANOV;"), std::string::npos);
  EXPECT_NE(d.routingTable[5].find("IVANOV:LIVANOV;"), std::string::npos);
  EXPECT_EQ(d.routingTable[1], "");
  ASSERT_EQ(d.abonentSections.size(), 2u);
  EXPECT_EQ(d.abonentSections[0].name, "IVANOV");
  EXPECT_EQ(d.FindAbonentSection("IVANOV"), Cp("#FULLNAME=Иванов\n#USERID=7\n"));
  EXPECT_EQ(d.FindAbonentSection("PETROVA"), Cp("#FULLNAME=Петрова\n"));
  EXPECT_EQ(d.routerTaskIndex, h.net.FindComputer("SRV1")->index);
  EXPECT_TRUE(h.log.empty());
}

TEST(RoutingLoad, WatchedEntriesTakeTheirAddressesFromTheTables) {
  HostHarness h;
  auto owned = std::make_unique<model::_VxItem>();
  model::_VxItem& item = *owned;
  item.Init("NODE", "IVANOV", "SRV1", "SRV1", "C:RU", true);
  item.routingAddresses[3] = {"STALE"};
  h.Data().watched.push_back(std::move(owned));
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, true, nullptr), 1);
  EXPECT_TRUE(item.routingAddresses[3].empty());
  EXPECT_EQ(item.routingAddresses[5], std::vector<std::string>{"IVANOV"});
}

TEST(RoutingLoad, UnknownRouterGivesZeroWithoutCalls) {
  HostHarness h;
  h.carriers.carriers.erase({"NODE", "ROUTER"});
  h.Data().routingTable[3] = "STALE";
  EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), true, true, nullptr), 0);
  EXPECT_TRUE(h.Requests().empty());
  EXPECT_EQ(h.Data().routingTable[3], "");
  EXPECT_EQ(h.Data().validMask, 0u);
}

// The server answers -1 with the size it needs: one more request with that
// size plus one, and the larger buffer stays for the rest of the run.
TEST(RoutingLoad, NeededSizeIsAskedForOnce) {
  HostHarness h;
  h.Command("needed GetRoutList 700000");
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, false, nullptr), 1);
  const auto requests = h.Requests();
  ASSERT_EQ(requests.size(), 7u);
  EXPECT_NE(requests[0].find("Level=0 TableCapacity=524288 "), std::string::npos) << requests[0];
  EXPECT_NE(requests[1].find("Level=0 TableCapacity=700001 "), std::string::npos) << requests[1];
  EXPECT_NE(requests[6].find("Level=5 TableCapacity=700001 "), std::string::npos) << requests[6];
  EXPECT_EQ(h.Data().validMask, 63u);
  EXPECT_NE(h.Data().routingTable[0].find("RU:TRELAY1;"), std::string::npos);
}

TEST(RoutingLoad, AbonentRequestAndTableRunEachEnlargeOnce) {
  HostHarness h;
  h.Command("needed GetAbonentInfo 600000");
  h.Command("needed GetRoutList 700000");
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, true, nullptr), 1);
  const auto requests = h.Requests();
  ASSERT_EQ(requests.size(), 9u);
  EXPECT_NE(requests[0].find("524288"), std::string::npos) << requests[0];
  EXPECT_NE(requests[1].find("600001"), std::string::npos) << requests[1];
  EXPECT_NE(requests[2].find("TableCapacity=524288"), std::string::npos) << requests[2];
  EXPECT_NE(requests[3].find("TableCapacity=700001"), std::string::npos) << requests[3];
  EXPECT_EQ(h.Data().validMask, 127u);
  EXPECT_EQ(h.Data().abonentSections.size(), 2u);
}

// A second shortage is an error: shown as the Router's error and then the load's own box.
TEST(RoutingLoad, SecondShortageFailsWithBothBoxes) {
  HostHarness h;
  h.Data().validMask = 1;
  h.Data().routingTable[0] = "KEPT0";
  h.Command("needed GetRoutList 700000 2");
  const model::LoadWindow window{&h.dialogs, &h.progress};
  EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), true, false, &window), 0);
  EXPECT_EQ(h.Requests().size(), 2u);
  EXPECT_EQ(h.Data().validMask, 1u);
  EXPECT_EQ(h.Data().routingTable[0], "KEPT0");
  EXPECT_EQ(h.Data().IsTablesEmpty(), 0);
  for (int level = 1; level < 6; ++level) EXPECT_EQ(h.Data().routingTable[level], "");

  ASSERT_EQ(h.dialogs.boxes.size(), 2u);
  EXPECT_EQ(Utf8(h.dialogs.boxes[0].text), "МАРШРУТИЗАТОР: GetRoutList - Маршрутизатор не поддерживает данный запрос");
  EXPECT_EQ(h.dialogs.boxes[0].caption, rpc::ReportCaption());
  EXPECT_EQ(Utf8(h.dialogs.boxes[1].text),
            "Ошибка получения маршрутных таблиц.\n\nУзел: \"NODE\"\nКомпьютер: \"SRV1\"\n\n");
  EXPECT_EQ(Utf8(h.dialogs.boxes[1].caption), "Ошибка");

  std::vector<std::string> progress;
  for (const auto& call : h.progress.calls) progress.push_back(Utf8(call));
  EXPECT_EQ(progress, (std::vector<std::string>{"begin 0", "text Инициализация сетевого соединения ...",
                                                "text Получечие маршрутной таблицы для уровня ADMD ...", "end"}));
  EXPECT_TRUE(h.log.empty());
}

// A Router error answer: with a window in a box under the operation's name,
// without one as a message-list line with code 6 and no box at all.
TEST(RoutingLoad, RouterErrorReportedByWindowOrLog) {
  struct Case {
    const char* command;
    bool tables;
    bool abonents;
    const char* text;
  };
  const Case cases[] = {
      {"answer GetRoutList -100", true, false,
       "МАРШРУТИЗАТОР: GetRoutList - Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор"},
      {"answer GetAbonentInfo -100", true, true,
       "МАРШРУТИЗАТОР: GetAbonentInfo - Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор"},
      {"answer GetAbonentInfo 0 rpcerr=5", false, true,
       "МАРШРУТИЗАТОР: GetAbonentInfo - Ошибка доступа к Маршрутизатору на узле (RpcErr=5"},
  };
  for (const Case& c : cases) {
    for (bool withWindow : {true, false}) {
      HostHarness h;
      h.Command(c.command);
      const model::LoadWindow window{&h.dialogs, &h.progress};
      EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), c.tables, c.abonents, withWindow ? &window : nullptr), 0)
          << c.command;
      EXPECT_EQ(h.Data().validMask, 0u) << c.command;
      EXPECT_EQ(h.Data().IsTablesEmpty(), 1) << c.command;
      EXPECT_TRUE(h.Data().abonentSections.empty()) << c.command;
      std::string shown;
      if (withWindow) {
        ASSERT_EQ(h.dialogs.boxes.size(), 2u) << c.command;
        shown = Utf8(h.dialogs.boxes[0].text);
        EXPECT_TRUE(h.log.empty());
      } else {
        EXPECT_TRUE(h.dialogs.boxes.empty()) << c.command;
        ASSERT_EQ(h.log.size(), 1u) << c.command;
        EXPECT_EQ(h.log[0].second, 6);
        shown = h.log[0].first;
      }
      EXPECT_EQ(shown.rfind(c.text, 0), 0u) << shown;
    }
  }
}

// A broken connection is no Router answer: only the load's own box.
TEST(RoutingLoad, DroppedConnectionShowsOnlyTheLoadBox) {
  HostHarness h;
  h.Command("drop GetRoutList");
  const model::LoadWindow window{&h.dialogs, &h.progress};
  EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), true, false, &window), 0);
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(Utf8(h.dialogs.boxes[0].caption), "Ошибка");
  EXPECT_EQ(h.Data().validMask, 0u);
  // The next load goes through on a fresh binding.
  EXPECT_EQ(h.hosts.LoadRoutingData(h.Node(), true, false, &window), 1);
  EXPECT_EQ(h.Data().validMask, 63u);
}

TEST(HostComputers, ReadyWhenEveryComputerIsRegisteredAndUsable) {
  HostHarness h;
  EXPECT_EQ(h.hosts.AreComputersReady(h.Node()), 1);
  core::__VtHostDescription none;
  EXPECT_EQ(h.hosts.AreComputersReady(none), 0);
  core::__VtHostDescription missing;
  missing.computers = {h.Node().computers[0], 42};
  EXPECT_EQ(h.hosts.AreComputersReady(missing), 0);
  h.net.FindComputer("SRV1")->connectionNotUsed = true;
  EXPECT_EQ(h.hosts.AreComputersReady(h.Node()), 0);
}

TEST(ItemLookup, NamesTheTaskComputersAndTheNodeAddress) {
  HostHarness h;
  model::ItemServerNames names;
  EXPECT_FALSE(h.hosts.Find("ELSEWHERE", names));
  ASSERT_TRUE(h.hosts.Find("NODE", names));
  EXPECT_EQ(names.queueTaskName, "SRV1");
  EXPECT_EQ(names.routerTaskName, "SRV1");
  EXPECT_EQ(names.nodeAddress, "C:RU/ADMD:VELTRANE/PRMD:MOSCOW");

  HostHarness bare;
  bare.carriers.carriers.clear();
  ASSERT_TRUE(bare.hosts.Find("NODE", names));
  EXPECT_EQ(names.queueTaskName, model::kNoData);
  EXPECT_EQ(names.routerTaskName, model::kNoData);
  EXPECT_EQ(names.nodeAddress, model::kNoData);
  EXPECT_TRUE(bare.Requests().empty());
}

// An entry made while its queue manager's computer was unknown looks it up on
// every refresh and fails until it is found.
TEST(ItemRefresh, UnknownQueueManagerIsLookedUpAgain) {
  HostHarness h;
  h.carriers.carriers.clear();
  model::_VxItemBase item(h.hosts, "NODE", "IVANOV", true);
  ASSERT_EQ(item.queueTaskName, model::kNoData);
  EXPECT_EQ(h.hosts.RefreshItem(item), 0);
  EXPECT_EQ(h.hosts.RefreshItem(item), 0);
  EXPECT_TRUE(h.Requests().empty());
  EXPECT_EQ(item.lastRefreshFailed, 1) << "an entry never read must not be applied";

  h.carriers.carriers[{"NODE", "MQUEUE"}] = "SRV1";
  h.carriers.carriers[{"NODE", "ROUTER"}] = "SRV1";
  EXPECT_EQ(h.hosts.RefreshItem(item), 1);
  EXPECT_EQ(item.lastRefreshFailed, 0);
  EXPECT_EQ(item.queueTaskName, "SRV1");
  EXPECT_EQ(item.routerTaskName, "SRV1");
  const auto ops = h.Operations();
  EXPECT_GT(ops.size(), 0u);
  EXPECT_GT(CountOf(ops, "GetAbonentInfo"), 0u);
}

}  // namespace
}  // namespace hosttest
