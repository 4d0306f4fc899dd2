// Every operation the console issues, through the client functions over real
// TCP against a simulator serving the demo node.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/DirectoryListing.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/iface/ServerConfigReader.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/SimText.h"

namespace {

using simtest::Cp;
using testing::HasSubstr;

struct Buffer {
  explicit Buffer(int32_t capacity) : bytes(static_cast<size_t>(capacity) + 1, '\0'), capacity(capacity) {}
  std::vector<char> bytes;
  int32_t capacity;
  int32_t length = 0;
  char* data() { return bytes.data(); }
  std::string Text() const { return std::string(bytes.data(), static_cast<size_t>(length)); }
};

class Operations : public testing::Test {
 protected:
  simtest::Harness h;
  rpc::CallTarget& t = h.Target();
  int32_t status = -1, rpcErr = -1;
};

TEST_F(Operations, SessionLogonAdministratorAndStateFlag) {
  const std::string id = "WinComputerName=WS1;FQDN=ws1.local;IP=10.0.0.9";
  int32_t level = rpc::access::kUnset;
  rpc::Logon(t, static_cast<int32_t>(id.size() + 1), id.c_str(), 6, "ADMIN", 6, "admin", &level);
  EXPECT_EQ(level, rpc::access::kAdministrator);
  Buffer connection(rpc::cap::kAdminText), user(rpc::cap::kAdminText);
  int32_t unused = 0;
  rpc::GetCurrentAdmin(t, connection.capacity, &connection.length, connection.data(), user.capacity, &user.length,
                       user.data(), &unused);
  EXPECT_STREQ(connection.data(), id.c_str());
  EXPECT_STREQ(user.data(), "ADMIN");
  EXPECT_GE(user.length, 2);

  const int32_t flag = rpc::GetStateFlag(t, static_cast<int32_t>(id.size() + 1), id.c_str(), 5, "ADMIN", &unused);
  EXPECT_EQ(rpc::GetStateFlag(t, static_cast<int32_t>(id.size() + 1), id.c_str(), 5, "ADMIN", &unused), flag);

  // A second administrator is told that the rights are held; a user gets user
  // rights; a wrong password is refused.
  struct Case {
    const char* user;
    const char* password;
    int32_t level;
  };
  using namespace rpc::access;
  for (const Case& c : {Case{"ADMIN", "admin", kAdministratorShared}, Case{"OPERATOR", "operator", kUser},
                        Case{"ADMIN", "nope", kRefused}, Case{"NOBODY", "", kRefused}}) {
    const std::string other = "WinComputerName=WS2;FQDN=;IP=";
    level = kUnset;
    rpc::Logon(t, static_cast<int32_t>(other.size() + 1), other.c_str(), static_cast<int32_t>(strlen(c.user) + 1),
               c.user, static_cast<int32_t>(strlen(c.password) + 1), c.password, &level);
    EXPECT_EQ(level, c.level) << c.user << "/" << c.password;
  }

  int32_t result = -1;
  rpc::Logoff(t, static_cast<int32_t>(id.size() + 1), id.c_str(), 6, "ADMIN", &result);
  EXPECT_NE(rpc::GetStateFlag(t, static_cast<int32_t>(id.size() + 1), id.c_str(), 5, "ADMIN", &unused), flag);
  connection.length = user.length = -1;
  rpc::GetCurrentAdmin(t, connection.capacity, &connection.length, connection.data(), user.capacity, &user.length,
                       user.data(), &unused);
  EXPECT_EQ(user.length, 0);
  EXPECT_EQ(connection.length, 0);
}

TEST_F(Operations, TasksListStatesAndProperties) {
  int32_t count = 0;
  rpc::TaskGetCount(t, &count);
  ASSERT_EQ(count, 5);
  std::vector<std::string> names;
  for (int32_t i = 0; i < count; ++i) {
    Buffer name(rpc::cap::kTaskName), comment(rpc::cap::kTaskComment);
    EXPECT_EQ(rpc::TaskGetAt(t, i, name.capacity, &name.length, name.data(), comment.capacity, &comment.length,
                             comment.data()),
              0);
    names.push_back(name.Text());
    if (name.Text() == "MQUEUE") {
      EXPECT_EQ(comment.Text(), Cp("Менеджер очереди"));
    }
  }
  EXPECT_THAT(names, testing::ElementsAre("ROUTER", "MQUEUE", "MSERVER", "TCPVELT", "ZMODEM"));

  int32_t state = 5;
  rpc::TaskGetState(t, "ZMODEM", &state);
  EXPECT_EQ(state, 0);
  state = 5;
  rpc::TaskGetState(t, "NOSUCH", &state);
  EXPECT_EQ(state, 5);

  ASSERT_EQ(rpc::TaskGetParamCount(t, "ROUTER", &count), 0);
  EXPECT_EQ(count, 4);
  Buffer a(rpc::cap::kTaskParamFirst), b(rpc::cap::kTaskParamSecond), c(rpc::cap::kTaskParamThird),
      d(rpc::cap::kTaskParamFourth);
  EXPECT_EQ(rpc::TaskGetParamAt(t, "ROUTER", 0, a.capacity, &a.length, a.data(), b.capacity, &b.length, b.data(),
                                c.capacity, &c.length, c.data(), d.capacity, &d.length, d.data()),
            0);
  EXPECT_EQ(a.Text(), Cp("Версия"));
  EXPECT_EQ(b.Text(), "3.2.1.7");
  EXPECT_EQ(c.Text(), Cp("Версия задачи"));
  EXPECT_NE(rpc::TaskGetParamCount(t, "NOSUCH", &count), 0);
}

TEST_F(Operations, HostDisksFoldersListingsAndFiles) {
  Buffer disks(rpc::cap::kDiskRecords);
  int32_t count = 0, unused = 0;
  rpc::GetDisks(t, disks.capacity, &disks.length, disks.data(), &count, &unused);
  ASSERT_EQ(count, 2);
  ASSERT_EQ(disks.length, 2 * 104);
  const std::string d = disks.Text().substr(104);
  EXPECT_STREQ(d.c_str(), "D:");
  EXPECT_EQ(sim::WordAt(d, 72), 900u << 20);  // free bytes, low word
  EXPECT_EQ(sim::WordAt(d, 88), 1024u);       // danger limit
  EXPECT_EQ(sim::WordAt(d, 80), 256u);        // critical limit
  EXPECT_EQ(d[96], 0);

  ASSERT_EQ(rpc::GetFolderCount(t), 3);
  Buffer first(rpc::cap::kFolderText), second(rpc::cap::kFolderText);
  int32_t files = -1;
  EXPECT_EQ(rpc::GetFolderAt(t, 1, first.capacity, &first.length, first.data(), second.capacity, &second.length,
                             second.data(), &files),
            0);
  EXPECT_EQ(first.Text(), Cp("Нераспознанные сообщения"));
  EXPECT_EQ(second.Text(), "C:\\VELTRANE\\BAD");
  EXPECT_EQ(files, 3);
  EXPECT_NE(rpc::GetFolderAt(t, 3, first.capacity, &first.length, first.data(), second.capacity, &second.length,
                             second.data(), &files),
            0);

  // The installation directory: sets (kind 1), diskettes (kind 1), files (kind 0).
  struct Listing {
    const char* path;
    int32_t kind;
    const char* text;
  };
  for (const Listing& l : {Listing{"C:\\VELTRANE\\CLIENT\\INSTALL\\*.*", 1, ".\n..\nVTCLIENT\nNEWCLIENT"},
                           Listing{"C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\*.*", 1, ".\n..\nDISK1\nDISK2"},
                           Listing{"c:/veltrane/client/install/vtclient/disk1/*.*", 0, "SETUP.EXE\nVTCLIENT.CAB"},
                           Listing{"C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\*.*", 0, "info.txt"},
                           Listing{"C:\\VELTRANE\\CLIENT\\INSTALL\\NEWCLIENT\\*.*", 1, ".\n.."}}) {
    Buffer listing(rpc::cap::kListing);
    int32_t error = -1;
    EXPECT_EQ(rpc::ListDir(t, l.path, l.kind, listing.capacity, &listing.length, listing.data(), &error), 0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(listing.Text(), l.text) << l.path;
  }
  Buffer listing(rpc::cap::kListing);
  int32_t error = 0;
  EXPECT_NE(rpc::ListDir(t, "C:\\NOWHERE\\*.*", 1, listing.capacity, &listing.length, listing.data(), &error), 0);
  EXPECT_EQ(error, 3);

  Buffer data(rpc::cap::kFileData);
  int32_t u[5];
  EXPECT_GE(rpc::GetFile(t, "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK1\\SETUP.EXE", 0, data.capacity,
                         &data.length, data.data(), &u[0], &u[1], &u[2], &u[3], &u[4], &error),
            1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(data.Text(), sim::GeneratedFileData("C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK1\\SETUP.EXE", 245760));
  EXPECT_LT(rpc::GetFile(t, "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\DISK1\\NONE.EXE", 0, data.capacity,
                         &data.length, data.data(), &u[0], &u[1], &u[2], &u[3], &u[4], &error),
            1);
  EXPECT_EQ(error, 2);
}

TEST_F(Operations, ServerConfigurationGivesTheCommonSection) {
  rpc::ServerConfigReader reader(t);
  const auto names = reader.SectionNames();
  ASSERT_TRUE(names.has_value());
  EXPECT_THAT(*names, testing::ElementsAre("COMMON", "TASKS", "ROUTER", "MQUEUE", "TCPVELT", "ZMODEM", "LOCAL"));
  const auto common = reader.SectionParams("COMMON");
  ASSERT_TRUE(common.has_value());
  ASSERT_EQ(common->size(), 14u);
  EXPECT_EQ((*common)[0].key, "#HOST_NAME");
  EXPECT_EQ((*common)[0].value, "MSK-CENTRAL");
  EXPECT_EQ((*common)[7].key, "#CLIENT_DIR");
  EXPECT_EQ((*common)[7].value, "C:\\VELTRANE\\CLIENT");
  const auto agents = reader.SectionParams("TCPVELT");
  ASSERT_TRUE(agents.has_value());
  EXPECT_EQ((*agents)[0].key, "<TCPVELT>");
  EXPECT_FALSE(reader.Params("NOSUCH").has_value());
}

TEST_F(Operations, DirectoryListingAndEntryReads) {
  std::vector<rpc::DirectoryEntry> entries;
  const auto failure = rpc::ListDirectory(t, {nullptr, [&](const rpc::DirectoryEntry& e) {
                                                entries.push_back(e);
                                                return true;
                                              }});
  EXPECT_FALSE(failure.has_value());
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[2].text, "KALUGA");
  EXPECT_EQ(entries[2].values[1], 1);  // blocked

  int32_t attr[5];
  EXPECT_EQ(rpc::QMX_DirGetAttrs(t, &status, &rpcErr, "spb-node", &attr[0], &attr[1], &attr[2], &attr[3], &attr[4]),
            0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(rpcErr, 0);
  EXPECT_THAT(attr, testing::ElementsAre(1, 0, 1, 0, 0));

  int32_t c[11];
  rpc::QMX_DirGetQueueCounters(t, &status, &rpcErr, "SPB-NODE", &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6],
                               &c[7], &c[8], &c[9], &c[10]);
  const auto now = static_cast<int32_t>(simtest::NowStamp());
  EXPECT_THAT(c, testing::ElementsAre(0, 2, 1, 14, 3, now - 420, 0, now - 300, now - 120, now - 1500, now - 3600));

  int32_t option = -1;
  rpc::QMX_DirGetOption(t, &status, &rpcErr, "NSK-NODE", &option);
  EXPECT_EQ(option, 0);  // a password is set
  rpc::QMX_DirGetOption(t, &status, &rpcErr, "SPB-NODE", &option);
  EXPECT_EQ(option, 1);

  Buffer apf(rpc::cap::kRouterText);
  int32_t flag = -1;
  rpc::QMX_DirGetApfList(t, &status, &rpcErr, "NSK-NODE", apf.capacity, &apf.length, apf.data(), &flag);
  EXPECT_EQ(apf.Text(), "#ZMODEM=COM2,+73832000000\n#TCPVELT=10.20.1.5:10000");
  EXPECT_EQ(flag, 0);
  rpc::QMX_DirGetApfList(t, &status, &rpcErr, "ARCHIVE", apf.capacity, &apf.length, apf.data(), &flag);
  EXPECT_EQ(apf.Text(), "#Folder=D:\\EXCHANGE\\ARCHIVE");
  EXPECT_EQ(flag, 1);

  Buffer timings(rpc::cap::kRouterText);
  int32_t frames = 0;
  rpc::QMX_DirGetTimingsArray(t, &status, &rpcErr, "SPB-NODE", timings.capacity, &timings.length, timings.data(),
                              &frames);
  EXPECT_EQ(frames, 2);
  EXPECT_EQ(timings.length, 144);

  // An unknown item: the not-found status, whatever the operation.
  rpc::QMX_DirGetAttrs(t, &status, &rpcErr, "NOSUCH", &attr[0], &attr[1], &attr[2], &attr[3], &attr[4]);
  EXPECT_EQ(status, 2);
}

TEST_F(Operations, QueryRecordsOfEveryKind) {
  auto state = rpc::ReplicationStateFrom(rpc::RunQuery(t, rpc::ReplicationQuery(1, 1)));
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ((*state)[8], 1);   // primary node
  EXPECT_EQ((*state)[12], 1);  // in sync
  EXPECT_STREQ(reinterpret_cast<const char*>(state->data() + 28), "MSK-RESERVE");

  auto log = rpc::ReplicationLogFrom(rpc::RunQuery(t, rpc::ReplicationQuery(3, 1)));
  ASSERT_TRUE(log.has_value());
  EXPECT_THAT(*log, HasSubstr(Cp("Состояние узлов синхронизировано")));

  auto start = rpc::ReplicationStartFrom(rpc::RunQuery(t, rpc::ReplicationQuery(2, 1)));
  ASSERT_TRUE(start.has_value());
  EXPECT_TRUE(start->started);
  EXPECT_EQ(start->record[13], 1);  // synchronising now

  EXPECT_EQ(rpc::ForcedFlagFrom(rpc::RunQuery(t, rpc::ItemQuery(4, "NSK-NODE", 0))), true);
  EXPECT_EQ(rpc::ForcedFlagFrom(rpc::RunQuery(t, rpc::ItemQuery(4, "SPB-NODE", 0))), false);
  EXPECT_EQ(rpc::ItemStateFrom(rpc::RunQuery(t, rpc::ItemStateQuery("NSK-NODE"))), 2u);
  EXPECT_FALSE(rpc::ForcedFlagSetFailure(rpc::RunQuery(t, rpc::ItemQuery(5, "SPB-NODE", 1))).has_value());
  EXPECT_EQ(rpc::ForcedFlagFrom(rpc::RunQuery(t, rpc::ItemQuery(4, "SPB-NODE", 0))), true);
  // An abonent has no forced connection.
  EXPECT_TRUE(rpc::ForcedFlagSetFailure(rpc::RunQuery(t, rpc::ItemQuery(5, "IVANOV", 1))).has_value());
}

TEST_F(Operations, RouterTablesAndAbonentTexts) {
  rpc::RoutingFetch fetch;
  const auto pn = fetch.RoutList(t, rpc::level::kPn);
  ASSERT_TRUE(pn.has_value());
  EXPECT_THAT(*pn, HasSubstr("IVANOV:LIVANOV;"));
  EXPECT_THAT(*fetch.RoutList(t, rpc::level::kC), HasSubstr(".*:TSPB-NODE;"));

  const auto all = fetch.AbonentInfo(t, rpc::level::kAbonent, "");
  ASSERT_TRUE(all.has_value());
  EXPECT_THAT(*all, HasSubstr("[IVANOV]\n"));
  EXPECT_THAT(*all, HasSubstr(Cp("#FULLNAME=Петрова Анна Сергеевна\n")));

  const auto one = fetch.AbonentInfo(t, rpc::level::kAbonent, "petrova");
  ASSERT_TRUE(one.has_value());
  EXPECT_THAT(*one, HasSubstr("#USERID=PETROVA\n"));
  EXPECT_EQ(*fetch.AbonentInfo(t, rpc::level::kDirection, "BUH"), "4BUHGALTERIA,5BUH");
  EXPECT_EQ(*fetch.AbonentInfo(t, rpc::level::kDirection, "SPB-NODE"), "0.*,1ROSPOCHTA,1.*,2SPB");
  // A direction has no abonent record: a refusal with both status words 0.
  EXPECT_FALSE(fetch.AbonentInfo(t, rpc::level::kAbonent, "SPB-NODE").has_value());
  EXPECT_EQ(fetch.Failure().status, 0);
  EXPECT_NE(fetch.Failure().returnValue, 0);
}

}  // namespace

namespace {

// Small capacities: the node never sends more than the client can hold (the
// client would refuse the reply as bad stub data); what does not fit is cut
// where a cut text still serves, refused where it would not.
TEST_F(Operations, AnswersKeepToTheCapacityGiven) {
  Buffer name(3), comment(0);
  EXPECT_EQ(rpc::TaskGetAt(t, 0, name.capacity, &name.length, name.data(), comment.capacity, &comment.length,
                           comment.data()),
            0);
  EXPECT_EQ(name.Text(), "ROU");
  EXPECT_EQ(comment.length, 0);

  Buffer disks(150);
  int32_t count = 0, unused = 0;
  rpc::GetDisks(t, disks.capacity, &disks.length, disks.data(), &count, &unused);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(disks.length, 104);

  Buffer timings(100);
  EXPECT_EQ(rpc::QMX_DirGetTimingsArray(t, &status, &rpcErr, "SPB-NODE", timings.capacity, &timings.length,
                                        timings.data(), &count),
            -1);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(timings.length, 0);

  Buffer apf(5);
  int32_t flag = 0;
  EXPECT_EQ(rpc::QMX_DirGetApfList(t, &status, &rpcErr, "SPB-NODE", apf.capacity, &apf.length, apf.data(), &flag), -1);

  Buffer listing(5);
  int32_t error = 0;
  EXPECT_EQ(rpc::ListDir(t, "C:\\VELTRANE\\CLIENT\\INSTALL\\*.*", 1, listing.capacity, &listing.length,
                         listing.data(), &error),
            -1);
  EXPECT_EQ(error, 234);

  Buffer table(10);
  int32_t needed = 0;
  table.length = 0;
  EXPECT_EQ(rpc::GetRoutList(t, &status, &rpcErr, rpc::level::kPn, &needed, table.capacity, &table.length,
                             table.data()),
            -1);
  EXPECT_GT(needed, 10);
  EXPECT_EQ(table.length, 0);
}

}  // namespace
