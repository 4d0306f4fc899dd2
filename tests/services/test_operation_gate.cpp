// The operation gate inside the console's services: while an apply, a
// deletion or a replication request waits for the user's answer, the poll
// and favourites timers fire (as a nested event loop would let them) and must
// not send a single call, to this computer or to another.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <algorithm>
#include <memory>
#include <string>

#include "apply/ApplyHarness.h"
#include "core/poll/ReplicationRequest.h"
#include "model/apply/DeleteEntry.h"
#include "sim/lib/FixtureLoader.h"
#include "text/Cp1251.h"

namespace {

using applytest::ApplyHarness;
using model::ApplyOutcome;
using model::DeleteOutcome;

std::string Sections() {
  return std::string(applytest::kNodeSections) +
         "\n[TASK MQUEUE]\nSTATE=1\n\n[TASK ROUTER]\nSTATE=1\n\n"
         "[REPLICATION]\nMODE=1\nIN_SYNC=1\nBUSY=0\n\n"
         "[DIR PETROV]\nKIND=ABONENT\nPRIORITY=1\nMESSAGES=3\n\n"
         "[ABONENT PETROV]\n#FULLNAME=Петров\n\n"
         "[DIR RELAY9]\nKIND=DIRECTION\nPRIORITY=1\n";
}

size_t LineCount(const std::string& path) {
  std::ifstream in(path);
  size_t n = 0;
  for (std::string line; std::getline(in, line);) ++n;
  return n;
}

// The apply harness's node on SRV1 and a second node on SRV2, both polled;
// a favourite group watches RELAY1 on the first.
class GateHarness : public ApplyHarness {
 public:
  GateHarness() : ApplyHarness(Sections()) {
    other = std::make_unique<sim::NodeSimulator>(
        sim::LoadFixtureText(hosttest::Cp("[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n[TASK MQUEUE]\nSTATE=1\n"),
                             "other", 1765000000));
    otherLog = requestLog + ".srv2";
    EXPECT_TRUE(other->SetRequestLog(otherLog));
    const uint16_t port = other->ListenTcp("127.0.0.1", 0);
    EXPECT_EQ(net.RegisterComputer("SRV2", "127.0.0.1:" + std::to_string(port)), 0);
    EXPECT_EQ(net.RegisterMailServer("NODE2", "SRV2"), 0);
    EXPECT_GE(console->Favorites().AddGroup("Links"), 0);
    EXPECT_TRUE(console->Favorites().AddReference("Links", "NODE", "RELAY1", false));
    // Every box from here on fires both timers while it is open.
    dialogs.whileOpen = [this](const ports::MessageBoxRequest&) {
      const size_t first = Mark();
      const size_t second = LineCount(otherLog);
      console->OnPollTimer();
      console->OnFavoritesTimer();
      EXPECT_EQ(Mark(), first) << "a timer reached SRV1 while a box was open";
      EXPECT_EQ(LineCount(otherLog), second) << "a timer reached SRV2 while a box was open";
      EXPECT_TRUE(console->Gate().Busy());
      ++boxesWithTimers;
    };
  }
  ~GateHarness() { other->Stop(); }

  std::unique_ptr<sim::NodeSimulator> other;
  std::string otherLog;
  int boxesWithTimers = 0;
};

TEST(OperationGate, TimersFiredWhileASequenceWaitsForAnAnswerSendNothing) {
  struct Case {
    const char* what;
    std::function<bool(GateHarness&)> run;  // true: the sequence went through to its end
  };
  const Case cases[] = {
      {"apply",
       [](GateHarness& h) {
         auto entry = h.Entry("RELAY1", false);
         h.view.addressFieldOk = false;  // asks "Применить настройки?" before it writes
         h.dialogs.answers = {ports::MsgAnswer::Yes};
         return h.Apply(*entry, [](model::_VxItemBase& w) { w.priority = 7; }) == ApplyOutcome::kApplied;
       }},
      {"deletion",
       [](GateHarness& h) {
         // The mailbox holds messages: the Router answers -7 and the user is asked.
         h.dialogs.answers = {ports::MsgAnswer::Yes};
         return model::DeleteEntry({"NODE", "PETROV", true, false}, h.dialogs, h.net, h.hosts,
                                   h.console->Gate()) == DeleteOutcome::kDeleted;
       }},
      {"replication request",
       [](GateHarness& h) {
         // In sync (as the polls found): the user is asked whether to start it anyway.
         h.console->OnPollTimer();
         h.dialogs.answers = {ports::MsgAnswer::Yes};
         core::ReplicationRequestContext context{&h.net.Binding(), &h.dialogs,
                                                 [&h](const std::string& text, int code) {
                                                   h.console->App().AddLogMessage(text, 0, code);
                                                 },
                                                 &h.console->Gate(), "T"};
         return core::StartReplication(*h.net.FindComputer("SRV1"), context) ==
                core::ReplicationRequestOutcome::Started;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GateHarness h;
    // Without a sequence the timers do reach both computers.
    const size_t before = LineCount(h.otherLog);
    h.console->OnPollTimer();
    ASSERT_GT(LineCount(h.otherLog), before);

    EXPECT_TRUE(c.run(h));
    EXPECT_GE(h.boxesWithTimers, 1) << "no box was open: the case shows nothing";
    EXPECT_FALSE(h.console->Gate().Busy());
  }
}

// The deletion's own path: the Router's record, then the queue manager's
// entry, and the abonent records marked for re-reading.
TEST(DeleteEntry, RouterThenQueueManagerAndTheCacheIsMarked) {
  ApplyHarness h(Sections());
  model::VtHostData::Of(h.Node()).validMask = model::hostvalid::kAll;
  h.dialogs.answers = {ports::MsgAnswer::Yes};
  const size_t mark = h.Mark();
  EXPECT_EQ(model::DeleteEntry({"NODE", "PETROV", true, false}, h.dialogs, h.net, h.hosts, h.console->Gate()),
            DeleteOutcome::kDeleted);
  std::vector<std::string> names;
  for (const auto& line : h.RequestsSince(mark)) names.push_back(line.substr(0, line.find(' ')));
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[names.size() - 3], "DelRoutItem");
  EXPECT_EQ(names[names.size() - 2], "DelRoutItem") << "sent again after the user confirmed";
  EXPECT_EQ(names.back(), "QMX_DirDelete");
  EXPECT_EQ(model::VtHostData::Of(h.Node()).validMask & model::hostvalid::kAbonents, 0u);

  struct Refusal {
    model::DeleteRequest request;
    DeleteOutcome outcome;
    const char* box;  // UTF-8
  };
  const Refusal refusals[] = {
      {{"NODE", "IVANOV", false, false}, DeleteOutcome::kRefused,
       "box:Сообщение:Не возможно выполнить операцию.\nДля узла \"NODE\" отсутствуют права администратора.\n"},
      {{"NODE", "IVANOV", true, true}, DeleteOutcome::kRefused,
       "box:Сообщение:Не возможно выполнить операцию - канал связи занят."},
      {{"NODE", "sysop", true, false}, DeleteOutcome::kDeclined,
       "box:Вопрос ...:Операция удаления почтового ящика \"SYSOP\" не является корректной поскольку задача "
       "\"Маршрутизатор\" использует этот ящик для отправки сообщений об ошибках в работе почтового "
       "узла.\nПродолжить?"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.box);
    h.dialogs.shown.clear();
    h.dialogs.answers = {ports::MsgAnswer::No};
    const size_t before = h.Mark();
    EXPECT_EQ(model::DeleteEntry(r.request, h.dialogs, h.net, h.hosts, h.console->Gate()), r.outcome);
    EXPECT_EQ(h.Mark(), before) << "nothing is sent";
    ASSERT_EQ(h.dialogs.ShownUtf8().size(), 1u);
    EXPECT_EQ(h.dialogs.ShownUtf8()[0], r.box);
  }
}

// A direction has no abonent record to delete at the Router: only its
// directory entry goes, and it is gone from the node afterwards.
TEST(DeleteEntry, DirectionLosesOnlyItsDirectoryEntry) {
  ApplyHarness h(Sections());
  const size_t mark = h.Mark();
  EXPECT_EQ(model::DeleteEntry({"NODE", "RELAY9", true, false}, h.dialogs, h.net, h.hosts, h.console->Gate()),
            DeleteOutcome::kDeleted);
  std::vector<std::string> names;
  for (const auto& line : h.RequestsSince(mark)) names.push_back(line.substr(0, line.find(' ')));
  EXPECT_EQ(std::count(names.begin(), names.end(), "DelRoutItem"), 0);
  EXPECT_EQ(names.back(), "QMX_DirDelete");
  EXPECT_TRUE(h.dialogs.shown.empty());
  const size_t again = h.Mark();
  EXPECT_EQ(model::DeleteEntry({"NODE", "RELAY9", true, false}, h.dialogs, h.net, h.hosts, h.console->Gate()),
            DeleteOutcome::kQueueFailed)
      << "the entry is gone from the node";
  EXPECT_GT(h.Mark(), again);
}

}  // namespace
