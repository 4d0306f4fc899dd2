// The node changes as a real node would: directory entries, mailbox deletion
// with its confirmation, routing edits, schedules, options and agents, tasks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RoutingFetch.h"
#include "sim/lib/SimNode.h"

namespace {

using testing::HasSubstr;
using testing::Not;

class Changes : public testing::Test {
 protected:
  simtest::Harness h;
  rpc::CallTarget& t = h.Target();
  int32_t status = -1, rpcErr = -1;

  std::array<int32_t, 5> Attributes(const char* name) {
    std::array<int32_t, 5> a{-1, -1, -1, -1, -1};
    rpc::QMX_DirGetAttrs(t, &status, &rpcErr, name, &a[0], &a[1], &a[2], &a[3], &a[4]);
    return a;
  }
  int32_t Add(const std::string& name, int32_t priority) {
    return rpc::QMX_DirAdd(t, &status, &rpcErr, static_cast<int32_t>(name.size() + 1),
                           reinterpret_cast<const uint8_t*>(name.c_str()), priority, 0, 1, 0, 7);
  }
  std::string Table(int32_t level) {
    rpc::RoutingFetch fetch;
    return fetch.RoutList(t, level).value_or("<failed>");
  }
  int32_t StateFlag() {
    int32_t unused = 0;
    return rpc::GetStateFlag(t, 2, "X", 1, "U", &unused);
  }
};

TEST_F(Changes, AddThenAddAgainTurnsIntoModifyWithEmptyPreviousName) {
  const int32_t flag = StateFlag();
  EXPECT_EQ(Add("TVER-NODE", 4), 0);
  EXPECT_EQ(Attributes("TVER-NODE"), (std::array<int32_t, 5>{4, 0, 1, 0, 7}));
  EXPECT_NE(StateFlag(), flag);

  status = rpcErr = -1;
  EXPECT_EQ(Add("TVER-NODE", 9), -5);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(rpcErr, 0);
  EXPECT_EQ(Attributes("TVER-NODE")[0], 4) << "a refused add changes nothing";

  EXPECT_EQ(rpc::QMX_DirModify(t, &status, &rpcErr, "", "TVER-NODE", 9, 1, 0, 1, 0), 0);
  EXPECT_EQ(Attributes("TVER-NODE"), (std::array<int32_t, 5>{9, 1, 0, 1, 0}));
}

TEST_F(Changes, ModifyRenames) {
  EXPECT_EQ(rpc::QMX_DirModify(t, &status, &rpcErr, "KALUGA", "KALUGA-2", 3, 0, 0, 1, 0), 0);
  EXPECT_EQ(Attributes("KALUGA-2")[1], 0);
  Attributes("KALUGA");
  EXPECT_EQ(status, 2) << "the old name is gone";
  // Onto another existing item: refused as existing.
  EXPECT_EQ(rpc::QMX_DirModify(t, &status, &rpcErr, "KALUGA-2", "SPB-NODE", 3, 0, 0, 1, 0), -5);
  EXPECT_EQ(rpc::QMX_DirModify(t, &status, &rpcErr, "NOSUCH", "NOSUCH", 3, 0, 0, 1, 0), -2);
  EXPECT_EQ(status, 2);
}

TEST_F(Changes, MailboxWithMessagesIsDeletedOnTheRepeatedRequest) {
  EXPECT_EQ(rpc::DelRoutItem(t, &status, &rpcErr, rpc::level::kAbonent, "BUH", 0), -7);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(rpcErr, 0);
  EXPECT_THAT(Table(rpc::level::kPn), HasSubstr("BUH:LBUH;")) << "nothing deleted yet";
  EXPECT_EQ(rpc::DelRoutItem(t, &status, &rpcErr, rpc::level::kAbonent, "BUH", 0), 0);
  EXPECT_THAT(Table(rpc::level::kPn), Not(HasSubstr("BUH")));
  EXPECT_THAT(Table(rpc::level::kOu), Not(HasSubstr("BUH")));
  rpc::RoutingFetch fetch;
  EXPECT_FALSE(fetch.AbonentInfo(t, rpc::level::kAbonent, "BUH").has_value());
  h.simulator->WithNode([](sim::SimNode& n) { EXPECT_EQ(n.FindEntry("SYSOP")->messages, 2 + 12); });

  EXPECT_EQ(rpc::QMX_DirDelete(t, &status, &rpcErr, "BUH"), 0);
  Attributes("BUH");
  EXPECT_EQ(status, 2);
  EXPECT_EQ(rpc::QMX_DirDelete(t, &status, &rpcErr, "BUH"), -2);

  // An empty mailbox goes at once.
  EXPECT_EQ(rpc::DelRoutItem(t, &status, &rpcErr, rpc::level::kAbonent, "PETROVA", 0), 0);
}

TEST(MailboxDeletion, TheConfirmationLastsAMinute) {
  struct FakeClock : ports::Clock {
    int64_t ms = 0;
    std::time_t Now() const override { return 0; }
    std::tm LocalTime() const override { return {}; }
    int64_t SteadyMs() const override { return ms; }
  } clock;
  sim::SimNode node(simtest::DemoNode(), &clock);
  rpc::DelRoutItemRequest del;
  del.Level = rpc::level::kAbonent;
  del.Address = "IVANOV";
  EXPECT_EQ(node.DelRoutItem(del).ReturnValue, -7);
  clock.ms += 60001;
  EXPECT_EQ(node.DelRoutItem(del).ReturnValue, -7) << "too late: asked again";
  clock.ms += 59000;
  EXPECT_EQ(node.DelRoutItem(del).ReturnValue, 0);
}

TEST_F(Changes, RoutingTableEdits) {
  struct Step {
    const char* what;
    std::function<int32_t()> call;
    int32_t result;
    int32_t level;
    const char* contains;  // in the level's table afterwards (or nullptr)
    const char* absent;
  };
  const std::vector<Step> steps = {
      {"add", [&] { return rpc::AddRoutItem(t, &status, &rpcErr, 2, "tver", "spb-node", 0); }, 0, 2,
       "TVER:TSPB-NODE;", nullptr},
      {"add again", [&] { return rpc::AddRoutItem(t, &status, &rpcErr, 2, "TVER", "NSK-NODE", 0); },
       static_cast<int32_t>(0x80000007), 2, "TVER:TSPB-NODE;", nullptr},
      {"redirect", [&] { return rpc::RedirRoutItem(t, &status, &rpcErr, 2, "TVER", "NSK-NODE", 0); }, 0, 2,
       "TVER:TNSK-NODE;", nullptr},
      {"redirect to a list", [&] { return rpc::RedirRoutItem(t, &status, &rpcErr, 2, "TVER", "nsk-node, kaluga", 0); },
       0, 2, "TVER:TNSK-NODE,KALUGA;", nullptr},
      {"delete", [&] { return rpc::DelRoutItem(t, &status, &rpcErr, 0x80 | 2, "TVER", 1); }, 0, 2, nullptr, "TVER"},
      {"delete again", [&] { return rpc::DelRoutItem(t, &status, &rpcErr, 0x80 | 2, "TVER", 1); },
       static_cast<int32_t>(0x80000006), 2, nullptr, "TVER"},
      {"any address", [&] { return rpc::AddRoutItem(t, &status, &rpcErr, 4, "*", "", 0); }, 0, 4, ".*:R;", nullptr},
      {"bad level", [&] { return rpc::AddRoutItem(t, &status, &rpcErr, 6, "X", "Y", 0); },
       static_cast<int32_t>(0x80000000), 4, nullptr, nullptr},
      {"set abonent address", [&] { return rpc::SetRoutItem(t, &status, &rpcErr, 5, "NEWBOX", "NEWBOX", "", 1); }, 0,
       5, "NEWBOX:LNEWBOX;", nullptr},
      {"set it again", [&] { return rpc::SetRoutItem(t, &status, &rpcErr, 5, "NEWBOX", "NEWBOX", "", 1); }, 8199, 5,
       "NEWBOX:LNEWBOX;", nullptr},
      {"set as a direction", [&] { return rpc::SetRoutItem(t, &status, &rpcErr, 5, "NEWBOX", "NEWBOX", "", 0); }, 0,
       5, "NEWBOX:TNEWBOX;", nullptr},
  };
  for (const Step& s : steps) {
    status = rpcErr = -1;
    EXPECT_EQ(s.call(), s.result) << s.what;
    EXPECT_EQ(status, 0) << s.what;
    const std::string table = Table(s.level);
    if (s.contains) {
      EXPECT_THAT(table, HasSubstr(s.contains)) << s.what;
    }
    if (s.absent) {
      EXPECT_THAT(table, Not(HasSubstr(s.absent))) << s.what;
    }
  }
}

TEST_F(Changes, AbonentRecordIsStoredAsSent) {
  const std::string params = simtest::Cp("#KEEPINADDRBOOK=1\n#ABSADDRESS=\n#FULLNAME=Сидоров\n#USERID=SIDOROV\n");
  EXPECT_EQ(rpc::SetRoutItem(t, &status, &rpcErr, rpc::level::kAbonent, "", "sidorov", params.c_str(), 1), 0);
  rpc::RoutingFetch fetch;
  EXPECT_EQ(fetch.AbonentInfo(t, rpc::level::kAbonent, "SIDOROV"), params);
  EXPECT_THAT(*fetch.AbonentInfo(t, rpc::level::kAbonent, ""), HasSubstr("[SIDOROV]\n" + params));
  EXPECT_EQ(rpc::SetRoutItem(t, &status, &rpcErr, rpc::level::kAbonent, "", "SIDOROV", "#NOTE=[x]\n", 1),
            static_cast<int32_t>(0x80000008));
  EXPECT_EQ(fetch.AbonentInfo(t, rpc::level::kAbonent, "SIDOROV"), params);
}

TEST_F(Changes, SchedulesAreStoredByteForByte) {
  // Three frames with every word different, the reserved words too.
  std::string frames(3 * 72, '\0');
  for (size_t i = 0; i < frames.size(); ++i) frames[i] = static_cast<char>(i * 7 + 1);
  EXPECT_EQ(rpc::QMX_DirSetTimingsArray(t, &status, &rpcErr, "KALUGA", static_cast<int32_t>(frames.size()),
                                        reinterpret_cast<const uint8_t*>(frames.data())),
            0);
  std::vector<char> buffer(rpc::cap::kRouterText + 1);
  int32_t length = 0, count = 0;
  rpc::QMX_DirGetTimingsArray(t, &status, &rpcErr, "KALUGA", rpc::cap::kRouterText, &length, buffer.data(), &count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(std::string(buffer.data(), static_cast<size_t>(length)), frames);

  EXPECT_EQ(rpc::QMX_DirSetTimingsArray(t, &status, &rpcErr, "KALUGA", 71,
                                        reinterpret_cast<const uint8_t*>(frames.data())),
            -1);
  EXPECT_EQ(rpc::QMX_DirSetTimingsArray(t, &status, &rpcErr, "KALUGA", 0, reinterpret_cast<const uint8_t*>("")), 0);
  rpc::QMX_DirGetTimingsArray(t, &status, &rpcErr, "KALUGA", rpc::cap::kRouterText, &length, buffer.data(), &count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(length, 0);
}

TEST_F(Changes, PasswordOptionAndAgents) {
  int32_t option = -1;
  EXPECT_EQ(rpc::QMX_DirSetOption(t, &status, &rpcErr, "SPB-NODE", 0x1234), 0);
  rpc::QMX_DirGetOption(t, &status, &rpcErr, "SPB-NODE", &option);
  EXPECT_EQ(option, 0);
  h.simulator->WithNode([](sim::SimNode& n) { EXPECT_EQ(n.FindEntry("SPB-NODE")->passwordHash, 0x1234); });
  EXPECT_EQ(rpc::QMX_DirReSetOption(t, &status, &rpcErr, "SPB-NODE"), 0);
  rpc::QMX_DirGetOption(t, &status, &rpcErr, "SPB-NODE", &option);
  EXPECT_EQ(option, 1);

  struct Case {
    const char* apf;
    int32_t flag;
  };
  for (const Case& c : {Case{"#TCPVELT=1.2.3.4:10000\n#ZMODEM=COM1", 0}, Case{"#Folder=D:\\EXCHANGE\\SPB", 1}}) {
    EXPECT_EQ(rpc::QMX_DirSetApfList(t, &status, &rpcErr, "SPB-NODE", c.apf), 0);
    std::vector<char> buffer(rpc::cap::kRouterText + 1);
    int32_t length = 0, flag = -1;
    rpc::QMX_DirGetApfList(t, &status, &rpcErr, "SPB-NODE", rpc::cap::kRouterText, &length, buffer.data(), &flag);
    EXPECT_STREQ(buffer.data(), c.apf);
    EXPECT_EQ(flag, c.flag);
  }
}

TEST_F(Changes, TaskCommands) {
  struct Step {
    const char* task;
    int32_t command;
    int32_t result;
    int32_t state;  // of the task afterwards
  };
  using namespace rpc::taskcmd;
  using rpc::taskstate::kRunning, rpc::taskstate::kStopped, rpc::taskstate::kNoTask;
  for (const Step& s : {Step{"MQUEUE", kStop, 0, kStopped}, Step{"MQUEUE", kShow, 0, kStopped},
                        Step{"mqueue", kStart, 0, kRunning}, Step{"MQUEUE", kAbort, 0, kStopped},
                        Step{"MQUEUE", kRestart, 0, kRunning}, Step{"MQUEUE", kHide, 0, kRunning},
                        Step{"MQUEUE", kHide + 1, -1, kRunning}, Step{"NOSUCH", kStart, -1, kNoTask}}) {
    int32_t command = s.command;
    EXPECT_EQ(rpc::TaskControl(t, s.task, &command), s.result) << s.task << " " << s.command;
    int32_t state = rpc::taskstate::kSent;
    rpc::TaskGetState(t, s.task, &state);
    EXPECT_EQ(state, s.state) << s.task << " " << s.command;
  }
  const int32_t flag = StateFlag();
  int32_t command = kStop;
  EXPECT_EQ(rpc::ServerControl(t, &command), 0);
  EXPECT_NE(StateFlag(), flag);
  for (const std::string_view task : {rpc::task::kRouter, rpc::task::kQueueManager, rpc::task::kMailServer,
                                      rpc::task::kTcpTransport, rpc::task::kModemTransport}) {
    int32_t state = rpc::taskstate::kSent;
    rpc::TaskGetState(t, std::string(task).c_str(), &state);
    EXPECT_EQ(state, kStopped) << task;
  }
}

}  // namespace
