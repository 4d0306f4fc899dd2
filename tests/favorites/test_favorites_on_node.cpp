// The favourite groups on the console's own registries, scanning a simulated
// node over loopback TCP: the configuration file read, scanned and written
// back, the fetches shared between groups, the previous data kept when a fetch
// fails, and the task computer looked up again.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FavoritesTestSupport.h"
#include "cfg/C_CFG_File.h"
#include "host/HostHarness.h"
#include "model/favorites/HostFavoritesServers.h"
#include "text/Cp1251.h"

namespace model::test {
namespace {

// RELAY has 80 normal priority files waiting: over every group's 75 below.
const char* const kNode = R"([USER ADMIN]
PASSWORD=admin
LEVEL=2

[CFG COMMON]
#HOST_NAME=MSK-CENTRAL
#ADDRESS_HOST=C:RU/ADMD:VELTRANE
#HOST_UID=UID-1

[ROUTE PN]
IVANOV=LIVANOV

[ABONENT IVANOV]
#FULLNAME=Иванов

[DIR RELAY]
KIND=DIRECTION
PRIORITY=1
APF=#TCPVELT=spb.veltrane.local:10000
COUNTS=0,0,0,80,0

[DIR IVANOV]
KIND=ABONENT
PRIORITY=1
COUNTS=0,1,0,2,0
)";

const char* const kLinks =
    "GROUP=\"Links\",\"main links\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n";
const char* const kBoxes =
    "GROUP=\"Boxes\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n";

class FavoritesOnNode : public ::testing::Test {
 protected:
  FavoritesEnvironment Environment() {
    clock.now = 1765000000;  // the fixture's load time
    FavoritesEnvironment env;
    env.servers = &servers;
    env.clock = &clock;
    env.messages = &messages;
    return env;
  }
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vt_favorites_node_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "console.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
  }
  // Requests of `operation` for the entry `name` so far.
  long Requests(const std::string& operation, const std::string& name) const {
    const auto lines = h.Requests();
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.rfind(operation + " ", 0) == 0 && line.find("Name=\"" + name + "\"") != std::string::npos;
    });
  }
  _VxItem& Item(const char* name) {
    _VxItem* item = groups.WatchedItem(_VxItemRef(name, "NODE"));
    if (!item) throw std::logic_error(std::string("not watched: ") + name);
    return *item;
  }

  hosttest::HostHarness h{kNode};
  HostFavoritesServers servers{h.net, h.hosts};
  FixedClock clock;
  core::MessageLog messages;
  FavoriteGroups groups{Environment()};
  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(FavoritesOnNode, FileIsReadScannedAndWrittenBackUnchanged) {
  const std::string text = std::string(
                               "; the console's own settings\r\n"
                               "[COMMON]\r\nPERIOD_VERIFY=10\r\n"
                               "[Favorites]\r\n") +
                           kLinks +
                           "FAVORIT=\"Links\",\"NODE\",\"RELAY\"\r\n"
                           "FAVORIT=\"Links\",\"GONE\",\"KEPT\"\r\n"
                           "FAVORIT=\"Links\",\"NODE\",\"IVANOV\"\r\n" +
                           kBoxes + "FAVORIT=\"Boxes\",\"NODE\",\"IVANOV\"\r\n";
  Write(text);
  C_CFG_File file(path_);
  ASSERT_TRUE(groups.LoadFavorites(file));
  ASSERT_EQ(groups.Groups().size(), 2u);
  // The entries are in the mail server's one list, each once.
  ASSERT_EQ(h.Data().watched.size(), 2u);
  EXPECT_EQ(h.Data().watched[0]->mailboxName, "RELAY");
  EXPECT_EQ(h.Data().watched[1]->mailboxName, "IVANOV");
  EXPECT_EQ(groups.Groups()[0].references[1].itemIndex, 1);

  groups.ScanFavorites();
  EXPECT_EQ(Item("RELAY").queueCounters[counter::kNormalFiles], 80u);
  EXPECT_EQ(Item("RELAY").alertSevere, 1);
  EXPECT_EQ(Item("RELAY").alertText, text::Cp("Превышение количества файлов в очереди - Нормальный приоритет"));
  EXPECT_EQ(Item("IVANOV").alertCount, 0);
  EXPECT_EQ(Item("IVANOV").kindOnServer, 1);
  EXPECT_TRUE(groups.HasAlarm(groups.Groups()[0]));
  EXPECT_FALSE(groups.HasAlarm(groups.Groups()[1]));
  const std::string log = messages.Text();
  EXPECT_EQ(messages.Lines().front().substr(0, 3), "\x07" "17");
  EXPECT_NE(log.find("  \"Links\""), std::string::npos) << log;
  EXPECT_EQ(log.find("Boxes"), std::string::npos) << log;

  // The routing load reaches the entries the groups watch.
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, true, nullptr), 1);
  EXPECT_EQ(Item("IVANOV").routingAddresses[5], std::vector<std::string>{"IVANOV"});

  ASSERT_TRUE(groups.SaveFavorites(file));
  EXPECT_EQ(Read(), text);
}

TEST_F(FavoritesOnNode, SharedMemberIsFetchedOncePerCycle) {
  ASSERT_TRUE(groups.AddReference("A", "NODE", "RELAY", false));
  ASSERT_TRUE(groups.AddReference("B", "NODE", "RELAY", false));
  ASSERT_TRUE(groups.AddReference("B", "NODE", "IVANOV", true));
  for (auto* group : {&groups.GroupAt(0), &groups.GroupAt(1)}) group->settings.scanPeriod = 60;

  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "RELAY"), 1);
  EXPECT_EQ(Requests("QMX_DirGetQueueCounters", "RELAY"), 1);
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "IVANOV"), 1);
  EXPECT_TRUE(groups.HasAlarm(groups.Groups()[0]));
  EXPECT_TRUE(groups.HasAlarm(groups.Groups()[1]));

  clock.now += 60;  // not yet due
  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "RELAY"), 1);
  clock.now += 1;
  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "RELAY"), 2);
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "IVANOV"), 2);
}

TEST_F(FavoritesOnNode, FailedFetchKeepsThePreviousDataForTheChecks) {
  ASSERT_TRUE(groups.AddReference("A", "NODE", "RELAY", true));
  groups.ScanFavorites();
  ASSERT_EQ(Item("RELAY").alertSevere, 1);
  const std::string link = Item("RELAY").linkParameters;
  ASSERT_NE(link.find("spb.veltrane.local"), std::string::npos) << link;

  // The queue empties, but the next fetch loses its connection half-way.
  h.Command("counters RELAY 0 0 0 0 0 0 0 0 0 0 0");
  h.Command("drop QMX_DirGetQueueCounters");
  clock.now += 100;
  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetQueueCounters", "RELAY"), 2);
  EXPECT_EQ(Item("RELAY").queueCounters[counter::kNormalFiles], 80u);
  EXPECT_EQ(Item("RELAY").linkParameters, link);
  EXPECT_EQ(Item("RELAY").alertSevere, 1);
  EXPECT_EQ(Item("RELAY").lastRefreshFailed, 1);

  clock.now += 100;
  groups.ScanFavorites();
  EXPECT_EQ(Item("RELAY").queueCounters[counter::kNormalFiles], 0u);
  EXPECT_EQ(Item("RELAY").alertSevere, 0);
  EXPECT_EQ(Item("RELAY").lastRefreshFailed, 0);
}

TEST_F(FavoritesOnNode, MissingTaskComputerIsLookedUpAgainOnEachFetch) {
  h.carriers.carriers.clear();
  ASSERT_TRUE(groups.AddReference("A", "NODE", "RELAY", true));
  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "RELAY"), 0);
  EXPECT_EQ(Item("RELAY").alertSevere, 0);
  EXPECT_EQ(Item("RELAY").lastRefreshFailed, 1);

  h.carriers.carriers[{"NODE", "MQUEUE"}] = "SRV1";
  h.carriers.carriers[{"NODE", "ROUTER"}] = "SRV1";
  clock.now += 100;
  groups.ScanFavorites();
  EXPECT_EQ(Requests("QMX_DirGetAttrs", "RELAY"), 1);
  EXPECT_EQ(Item("RELAY").queueTaskName, "SRV1");
  EXPECT_EQ(Item("RELAY").alertSevere, 1);
}

}  // namespace
}  // namespace model::test
