// Loading a node from a fixture: the demo node's records, the value forms, and
// the refusal of fixtures that cannot be used.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "SimHarness.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/SimText.h"

namespace {

using simtest::Cp;
using testing::HasSubstr;

TEST(DemoFixture, DescribesAWholeNode) {
  const sim::Node node = simtest::DemoNode();
  std::vector<std::string> tasks;
  for (const auto& t : node.tasks) tasks.push_back(t.name);
  EXPECT_THAT(tasks, testing::IsSupersetOf({"ROUTER", "MQUEUE", "MSERVER", "TCPVELT"}));
  for (const auto& t : node.tasks) EXPECT_FALSE(t.properties.empty()) << t.name;

  sim::SimNode sim(node);
  const sim::CfgSection* common = sim.FindSection("COMMON");
  ASSERT_NE(common, nullptr);
  std::vector<std::string> keys;
  for (const auto& p : common->params) keys.push_back(p.key);
  EXPECT_THAT(keys, testing::IsSupersetOf({"#HOST_NAME", "#ADDRESS_HOST", "#HOST_UID", "#CLIENT_DIR", "#BOX_DIR"}));
  int agentSections = 0;
  for (const auto& s : node.config)
    for (const auto& p : s.params)
      if (p.key.front() == '<' && p.key != "<FOLDER>") ++agentSections;
  EXPECT_GE(agentSections, 2);

  int directions = 0, abonents = 0, scheduled = 0, withAgents = 0, withCounters = 0;
  for (const auto& e : node.directory) {
    (e.abonent ? abonents : directions)++;
    if (!e.timings.empty()) ++scheduled;
    if (!e.apfList.empty() && !e.viaLocalFolder) ++withAgents;
    if (e.counters[sim::counter::kLastConnection] != 0) ++withCounters;
  }
  EXPECT_GE(directions, 3);
  EXPECT_GE(abonents, 3);
  EXPECT_GE(scheduled, 2);
  EXPECT_GE(withAgents, 2);
  EXPECT_GE(withCounters, 2);
  for (int level = 0; level < sim::kLevels; ++level) EXPECT_FALSE(node.routes[level].empty()) << level;
  EXPECT_GE(node.abonents.size(), 3u);

  ASSERT_EQ(node.disks.size(), 2u);
  int underDanger = 0;
  for (const auto& d : node.disks)
    if ((d.freeBytes >> 20) <= d.dangerMb) ++underDanger;
  EXPECT_EQ(underDanger, 1);
  bool folderWithFiles = false;
  for (const auto& f : node.folders) folderWithFiles |= f.files > 0;
  EXPECT_TRUE(folderWithFiles);
  EXPECT_EQ(sim::WordAt(std::string(node.replication.record.begin(), node.replication.record.end()), 8), 1u);
  EXPECT_FALSE(node.replication.log.empty());
  // Russian texts arrive in CP1251.
  EXPECT_EQ(sim.FindTask("ROUTER")->comment, Cp("Маршрутизатор"));
}

TEST(Fixture, ReadsValueForms) {
  const sim::Node node = simtest::Fixture(R"(
[DIR relay1]
KIND=DIRECTION
PRIORITY=0x10
APF=#TCPVELT=10.0.0.1:10000
APF=#ZMODEM=COM1
FRAME=3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&
COUNTS=1,2,3,4,5
LAST_CONNECTION=now-600
AGES=0,now,now+5,100,now-1
[DIR LOCAL]
LOCAL_FOLDER=D:\EXCHANGE\LOCAL
[ROUTE 3]
*=TRELAY1
[ROUTE pn]
IVANOV=LIVANOV
[ABONENT IVANOV]
#FULLNAME=Иванов
[FILE C:\X\A.BIN]
SIZE=1000
[FILE C:\X\B.TXT]
TEXT=one
TEXT=two
)");
  ASSERT_EQ(node.directory.size(), 2u);
  const sim::DirEntry& e = node.directory[0];
  EXPECT_EQ(e.name, "RELAY1");
  EXPECT_EQ(e.attributes.Priority, 16);
  EXPECT_EQ(e.apfList, "#TCPVELT=10.0.0.1:10000\n#ZMODEM=COM1");
  ASSERT_EQ(e.timings.size(), 72u);
  EXPECT_EQ(sim::WordAt(e.timings, 0), 3u);
  EXPECT_EQ(sim::WordAt(e.timings, 4), 1800u);
  EXPECT_EQ(sim::WordAt(e.timings, 6 * 4), 9u);
  EXPECT_EQ(sim::WordAt(e.timings, 7 * 4), 0xFFFFFFFFu);
  const auto now = static_cast<uint32_t>(simtest::NowStamp());
  const std::array<uint32_t, 11> counters{1, 2, 3, 4, 5, now - 600, 0, now, now + 5, 100, now - 1};
  EXPECT_EQ(e.counters, counters);
  EXPECT_EQ(node.directory[1].apfList, "#Folder=D:\\EXCHANGE\\LOCAL");
  EXPECT_EQ(node.directory[1].viaLocalFolder, 1);
  ASSERT_EQ(node.routes[3].size(), 1u);
  EXPECT_EQ(node.routes[3][0].key, ".*");
  EXPECT_EQ(node.routes[3][0].type, 'T');
  EXPECT_EQ(node.routes[5][0].type, 'L');
  EXPECT_EQ(node.abonents[0].params, Cp("#FULLNAME=Иванов\n"));
  EXPECT_EQ(node.files[0].data.size(), 1000u);
  EXPECT_EQ(node.files[0].data, sim::GeneratedFileData("C:\\X\\A.BIN", 1000));
  EXPECT_EQ(node.files[1].data, "one\r\ntwo\r\n");
}

struct BadFixture {
  const char* text;
  const char* named;  // the message names the place
};
// Test names show the expected message.
void PrintTo(const BadFixture& f, std::ostream* os) { *os << f.named; }

class BadFixtures : public testing::TestWithParam<BadFixture> {};

TEST_P(BadFixtures, AreRefusedNamingThePlace) {
  try {
    simtest::Fixture(GetParam().text);
    FAIL() << "accepted";
  } catch (const sim::FixtureError& e) {
    EXPECT_THAT(e.what(), HasSubstr("fixture test: "));
    EXPECT_THAT(e.what(), HasSubstr(GetParam().named));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BadFixtures,
    testing::Values(BadFixture{"[GADGET X]\nA=1\n", "unknown record kind \"GADGET\""},
                    BadFixture{"[DIR X]\nCOLOUR=red\n", "section [DIR X]: unknown key COLOUR"},
                    BadFixture{"[DIR X]\nPRIORITY=high\n", "key PRIORITY: \"high\" is not a number"},
                    BadFixture{"[DIR X]\nFRAME=3,1800&0\n", "key FRAME"},
                    BadFixture{"[DIR X]\nCOUNTS=1,2\n", "key COUNTS: expected 5 values"},
                    BadFixture{"[DIR X]\nLAST_CONNECTION=yesterday\n", "bad time"},
                    BadFixture{"[DIR X]\nKIND=MAILBOX\n", "KIND must be"},
                    BadFixture{"[ROUTE 7]\nA=TB\n", "unknown routing level \"7\""},
                    BadFixture{"[ROUTE C]\nRU=\n", "key RU: no type and target"},
                    BadFixture{"[DIR X]\n[DIR x]\n", "section [DIR x]: given twice"},
                    BadFixture{"[TASK]\n", "needs a name"},
                    BadFixture{"STRAY=1\n[NODE]\n", "a key outside any section"},
                    BadFixture{"[FILE C:\\A]\nSIZE=-1\n", "SIZE must lie"},
                    BadFixture{"[PATH C:\\A]\nX=1\n", "a PATH section has no keys"}));

TEST(Fixture, AMissingFileIsNamed) {
  try {
    sim::LoadFixtureFile(simtest::TempPath("no-such.cfg"), simtest::kNow);
    FAIL();
  } catch (const sim::FixtureError& e) {
    EXPECT_THAT(e.what(), HasSubstr("no-such.cfg: cannot be read"));
  }
}

TEST(Fixture, TheBundledFileIsTheEmbeddedOne) {
  std::ifstream in(std::string(VT_SOURCE_DIR) + "/sim/fixtures/demo-node.cfg", std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const sim::Node fromFile = sim::LoadFixtureFile(std::string(VT_SOURCE_DIR) + "/sim/fixtures/demo-node.cfg",
                                                  simtest::kNow);
  EXPECT_EQ(fromFile.directory.size(), simtest::DemoNode().directory.size());
  EXPECT_EQ(file.find("\xD0\x9C"), std::string::npos) << "the demo fixture must be CP1251, not UTF-8";
}

}  // namespace
