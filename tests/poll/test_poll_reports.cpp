// One poll of a simulated computer over loopback TCP: the state flag and the
// administrator, the disk, folder and replication reports, with the texts the
// message list receives.

#include <gtest/gtest.h>

#include "PollHarness.h"
#include "sim/lib/FixtureLoader.h"
#include "text/Strings.h"

namespace {

using polltest::Cp;
using polltest::PollHarness;

constexpr const char* kStamp = "14:07:09,Thursday,05/March/2026";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PollReports, DisksAtTheirEdges) {
  PollHarness h(R"(
[DISK ONE]
TOTAL_MB=100
FREE=1048576
DANGER_MB=0
CRITICAL_MB=0

[DISK FIVE]
TOTAL_MB=100
FREE=5242890
DANGER_MB=4
CRITICAL_MB=1

[DISK GONE]
UNAVAILABLE=1

[DISK FINE]
TOTAL_MB=100
FREE_MB=50
DANGER_MB=10
CRITICAL_MB=5
)");
  ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
  const auto& disks = h.Srv1().disks;
  ASSERT_EQ(disks.size(), 4u);
  EXPECT_EQ(disks[0].freeMb, 0u);
  EXPECT_TRUE(disks[0].alarm && disks[0].critical);
  EXPECT_EQ(disks[1].freeMb, 4u);
  EXPECT_TRUE(disks[1].alarm);
  EXPECT_FALSE(disks[1].critical);
  EXPECT_TRUE(disks[2].unavailable);
  EXPECT_FALSE(disks[3].alarm);

  const std::string text = h.Text();
  EXPECT_TRUE(Has(text, std::string(kStamp) + Cp("\nСканируемые диски для\nкомпьютера \"SRV1\" :\n  диск \"ONE\"\n")));
  EXPECT_TRUE(Has(text, Cp("  свободно .............. 4 MB\n  опасная граница ....... 4 MB\n"
                           "  критическая граница ... 1 MB\n----------------------------------\n"
                           "  свободное пространство\n  меньше опасной границы!")));
  EXPECT_TRUE(Has(text, Cp("   диск \"GONE\"\n   не доступен")));
  EXPECT_FALSE(Has(text, "FINE"));
  // Code 28 on the first line of each disk message.
  int disk28 = 0;
  for (const auto& line : h.Lines()) disk28 += line.rfind(std::string("\a28") + kStamp, 0) == 0;
  EXPECT_EQ(disk28, 3);
  EXPECT_EQ(h.views.Count("disks 0"), 1u);

  // The next report replaces the array, it does not add to it.
  h.Command("disk ONE 104857600");
  ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
  ASSERT_EQ(h.Srv1().disks.size(), 4u);
  EXPECT_FALSE(h.Srv1().disks[0].alarm);
}

TEST(PollReports, FoldersWithFilesAndTheSystemErrorsBox) {
  PollHarness h(R"(
[FOLDER Входящие]
PATH=C:\VELTRANE\IN
FILES=0

[FOLDER Нераспознанные]
PATH=C:\VELTRANE\BAD
FILES=3

[FOLDER Системные ошибки]
PATH=C:\VELTRANE\LOG\SysErr
FILES=2

[FOLDER Ещё системные]
PATH=D:\syserr\more
FILES=1
)");
  ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
  const auto& folders = h.Srv1().folders;
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_FALSE(folders[0].alarm);
  EXPECT_TRUE(folders[1].alarm);
  EXPECT_EQ(folders[1].icon, 17);
  EXPECT_FALSE(folders[2].alarm);  // system errors raise the box, not the alarm
  EXPECT_EQ(folders[2].fileCount, 2);

  EXPECT_TRUE(Has(h.Text(), std::string(kStamp) + Cp("\nСканируемые папки для\nкомпьютера \"SRV1\" :\n"
                                                     "   \"Нераспознанные\"\n   \"C:\\VELTRANE\\BAD\"\n"
                                                     "   количество файлов = 3")));
  EXPECT_FALSE(Has(h.Text(), "SysErr"));
  // Two folders with system errors, one box: system-modal, stop icon.
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  const auto& box = h.dialogs.boxes[0];
  EXPECT_EQ(box.text, Cp("Обнаружены критические ошибки в работе почтового сервера \"SRV1\".\n"
                         "RPC соединения между задачами узла были потеряны."));
  EXPECT_EQ(box.caption, "Veltrane32 remote configuration");
  EXPECT_EQ(box.icon, ports::MsgIcon::Error);
  EXPECT_TRUE(box.systemModal);

  // Without files the system error folders say nothing.
  h.Command("folder 2 0");
  h.Command("folder 3 0");
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(h.dialogs.boxes.size(), 1u);
}

// The box is shown after the poll's calls ended, and a poll started while it
// is open (a timer under a modal box) does nothing.
class ReenteringDialogs : public testing_fakes::FakeDialogPort {
 public:
  std::function<void()> onBox;
  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override {
    if (onBox) onBox();
    return FakeDialogPort::ShowMessage(request);
  }
};

TEST(PollReports, SystemErrorsBoxIsNotStacked) {
  PollHarness h("[FOLDER Системные]\nPATH=C:\\LOG\\SYSERR\nFILES=1\n");
  ReenteringDialogs dialogs;
  core::PollEnvironment env = h.Environment();
  env.dialogs = &dialogs;
  core::CStatePoller poller(env);
  std::vector<core::PollOutcome> nested;
  std::vector<std::string> requestsWhileOpen;
  dialogs.onBox = [&] {
    requestsWhileOpen = h.Requests();
    nested.push_back(poller.Poll(h.Srv1()));
    nested.push_back(poller.PollAll().skipped ? core::PollOutcome::Skipped : core::PollOutcome::Done);
  };
  ASSERT_EQ(poller.Poll(h.Srv1()), core::PollOutcome::Done);
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(nested, (std::vector<core::PollOutcome>{core::PollOutcome::Skipped, core::PollOutcome::Skipped}));
  // Every call of the poll, the task rows included, was made before the box.
  EXPECT_EQ(requestsWhileOpen, h.Requests());
  EXPECT_FALSE(poller.SystemErrorsBoxOpen());
}

constexpr const char* kQueueManager = "[TASK MQUEUE]\nCOMMENT=Менеджер очереди\nSTATE=1\n\n";

TEST(PollReports, ReplicationOutOfSync) {
  PollHarness h(std::string(kQueueManager) +
                "[REPLICATION]\nMODE=1\nIN_SYNC=0\nBUSY=0\nLOG=first line\nLOG=second line\n");
  // The first poll reads the task list; the queue manager is known from then on.
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(h.tasks->FindTaskComputer("NODE", "MQUEUE"), "SRV1");
  h.log.Clear();
  ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
  EXPECT_EQ(h.Text(), std::string(kStamp) + Cp("\nПодсистема репликации состояния\nпочтового узла \"NODE\"\n"
                                               "находится в не синхронном\nсостоянии.\n(данные получены от компьютера\n"
                                               "\"SRV1\")"));
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a27");
  EXPECT_EQ(h.Srv1().replicationState[0], 1);
  EXPECT_EQ(h.Srv1().replicationText, "first line\nsecond line\n");

  // In sync, or busy: nothing logged.
  for (const char* command : {"replication 1 0", "replication 0 1"}) {
    h.Command(command);
    h.log.Clear();
    h.poller->Poll(h.Srv1());
    EXPECT_EQ(h.Text(), "") << command;
  }
}

TEST(PollReports, ReplicationNeedsItsConfigurationAndTheQueueManager) {
  {
    PollHarness h(std::string(kQueueManager) + "[REPLICATION]\nMODE=0\nIN_SYNC=0\nBUSY=0\n");
    h.poller->Poll(h.Srv1());
    h.poller->Poll(h.Srv1());
    EXPECT_FALSE(Has(h.Text(), Cp("не синхронном")));
  }
  {
    // No computer of the mail server carries the queue manager: no query at all.
    PollHarness h("[TASK ROUTER]\nSTATE=1\n\n[REPLICATION]\nMODE=1\nIN_SYNC=0\n");
    h.poller->Poll(h.Srv1());
    h.poller->Poll(h.Srv1());
    EXPECT_EQ(h.Text(), "");
    for (const auto& line : h.Requests()) EXPECT_EQ(line.find("ExecuteQuery"), std::string::npos) << line;
  }
}

// SRV1 belongs to NODE and to SECOND (registered after it); SECOND also lists
// SRV2, a node of its own. The report goes to the first of them on which some
// computer carries the queue manager, whichever computer that is.
TEST(PollReports, ReplicationBelongsToTheFirstMailServerWithTheQueueManager) {
  const struct {
    const char* name;
    bool srv1CarriesQueueManager;
    const char* mailServer;
  } cases[] = {
      {"only the second mail server carries it", false, "SECOND"},
      {"both carry it: the first in registry order", true, "NODE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PollHarness h(std::string(c.srv1CarriesQueueManager ? kQueueManager : "") +
                  "[REPLICATION]\nMODE=1\nIN_SYNC=0\nBUSY=0\n");
    sim::NodeSimulator srv2(
        sim::LoadFixtureText(Cp(polltest::NodeText(kQueueManager)), "srv2", 1765000000));
    const uint16_t srv2Port = srv2.ListenTcp("127.0.0.1", 0);
    h.AddComputer("SRV2", "127.0.0.1:" + std::to_string(srv2Port));
    ASSERT_EQ(h.net.RegisterMailServer("SECOND", "SRV1,SRV2"), 0);
    // The first round reads the task lists; the queue manager is known from then on.
    h.poller->PollAll();
    h.log.Clear();
    ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
    EXPECT_EQ(h.Text(), std::string(kStamp) +
                            Cp("\nПодсистема репликации состояния\nпочтового узла \"" + std::string(c.mailServer) +
                               "\"\nнаходится в не синхронном\nсостоянии.\n(данные получены от компьютера\n"
                               "\"SRV1\")"));
  }
}

TEST(PollReports, StateFlagDecidesWhetherTheAdministratorIsRead) {
  PollHarness h("");
  auto adminReads = [&] {
    int n = 0;
    for (const auto& line : h.Requests()) n += line.rfind("GetCurrentAdmin", 0) == 0;
    return n;
  };
  h.poller->Poll(h.Srv1());  // the first poll always counts as a change
  EXPECT_EQ(adminReads(), 1);
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(adminReads(), 1);
  h.Command("stateflag");
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(adminReads(), 2);
}

}  // namespace
