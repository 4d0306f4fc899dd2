// Lost administrator rights, failed polls and their alert, unreachable
// computers, task commands, the replication request, the pop-up window's
// timers and the alert's own rules.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "PollHarness.h"
#include "core/BusyIndicator.h"
#include "core/poll/Alert.h"
#include "core/poll/CPollSchedule.h"
#include "core/poll/CPopupWindowState.h"
#include "core/poll/CTaskCommandRunner.h"
#include "core/poll/ReplicationRequest.h"
#include "text/Strings.h"

namespace {

using polltest::Cp;
using polltest::PollHarness;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A loopback port nobody listens on.
uint16_t ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(fd);
  return ntohs(a.sin_port);
}

TEST(Rights, LostWhenAnotherConsoleTakesThem) {
  PollHarness h("");
  h.settings.splashWindowTtl = 7;
  h.log.SetPopupDisabled(true);
  h.Logon("ADMIN", "admin");
  ASSERT_TRUE(h.Srv1().Administrator());
  h.poller->Poll(h.Srv1());
  EXPECT_TRUE(h.Srv1().Administrator());  // still ours: same user, same machine
  h.log.Clear();
  h.log.Hide();

  h.Command("admin ROOT WinComputerName=OTHER;FQDN=other.test;IP=10.0.0.7");
  ASSERT_EQ(h.poller->Poll(h.Srv1()), core::PollOutcome::Done);
  EXPECT_FALSE(h.Srv1().Administrator());
  EXPECT_EQ(h.Srv1().adminUser, "ROOT");
  EXPECT_EQ(h.Text(), Cp("Потеряны права администрирования для\nкомпьютера \"SRV1\".\nТекущий администратор: \"ROOT\"\n") +
                          "WinComputerName=OTHER\nFQDN=other.test\nIP=10.0.0.7");
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a06");
  // Shown even with the pop-up disabled, for the settings' lifetime.
  EXPECT_TRUE(h.log.Popup().visible);
  EXPECT_EQ(h.log.Popup().lifetimeMs, 7000u);
  EXPECT_EQ(h.views.Count("rights 0"), 1u);

  // Told once: the next poll finds nothing new.
  h.log.Clear();
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(h.Text(), "");
}

TEST(Rights, AUserLosesNothing) {
  PollHarness h("");
  h.Logon("OPERATOR", "operator");
  h.Command("admin ROOT CONN");
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(h.Text(), "");
  EXPECT_EQ(h.views.Count("rights 0"), 0u);
}

TEST(FailedPolls, SoundTheAlertOncePerPeriod) {
  PollHarness h("");
  h.settings.errorSound = "/sounds/alarm.wav";
  h.settings.errorApp = "/bin/true";  // the poll's alert is the sound only
  ASSERT_EQ(h.poller->PollAll().failed, 0);
  EXPECT_TRUE(h.alerts.calls.empty());

  h.Command("drop always");
  for (int period = 0; period < 2; ++period) {
    const core::PollAllResult result = h.poller->PollAll();
    EXPECT_EQ(result.failed, 1);
  }
  EXPECT_EQ(h.alerts.calls, (std::vector<std::string>{"stop", "play:/sounds/alarm.wav", "stop",
                                                       "play:/sounds/alarm.wav"}));
  const std::string error = Cp("Ошибка канала связи\nдля компьютера \"SRV1\"");
  EXPECT_EQ(h.Text(), error + "\n" + error);
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a06");
  EXPECT_FALSE(h.Srv1().online);
  EXPECT_EQ(h.views.Count("state 0 off"), 1u);

  // Without a sound file there is nothing to play.
  h.settings.errorSound.clear();
  h.alerts.calls.clear();
  h.poller->PollAll();
  EXPECT_TRUE(h.alerts.calls.empty());
}

TEST(FailedPolls, UnreachableComputersAreDialledOnceEach) {
  PollHarness h("");
  const uint16_t closed = ClosedPort();
  h.AddComputer("DEAD1", "127.0.0.1:" + std::to_string(closed));
  h.AddComputer("DEAD2", "127.0.0.1:" + std::to_string(closed));
  h.settings.errorSound = "beep.wav";
  for (bool probe : {true, false}) {
    SCOPED_TRACE(probe);
    h.poller->SetConnectProbe(probe, std::chrono::milliseconds(2000));
    h.log.Clear();
    const core::PollAllResult result = h.poller->PollAll();
    EXPECT_EQ(result.polled, 3);
    EXPECT_EQ(result.failed, 2);
    EXPECT_TRUE(Has(h.Text(), Cp("Ошибка канала связи\nдля компьютера \"DEAD1\"")));
    EXPECT_TRUE(Has(h.Text(), Cp("Ошибка канала связи\nдля компьютера \"DEAD2\"")));
    EXPECT_FALSE(Has(h.Text(), "SRV1"));
    EXPECT_FALSE(h.net.FindComputer("DEAD1")->online);
    EXPECT_TRUE(h.Srv1().online);
  }
  // Suspended and connection-not-used computers are not polled.
  h.net.FindComputer("DEAD1")->pollingSuspended = true;
  h.net.FindComputer("DEAD2")->connectionNotUsed = true;
  h.log.Clear();
  EXPECT_EQ(h.poller->PollAll().failed, 0);
  EXPECT_EQ(h.Text(), "");
}

TEST(FailedPolls, NothingWhileAnotherSequenceHoldsTheGate) {
  PollHarness h("");
  for (const core::Operation other : {core::Operation::Apply, core::Operation::FavoritesScan,
                                      core::Operation::TaskCommand, core::Operation::Poll}) {
    core::OperationGate::Hold hold = h.console->Gate().Enter(other);
    ASSERT_TRUE(hold);
    EXPECT_TRUE(h.poller->PollAll().skipped);
    EXPECT_EQ(h.poller->PollOne("SRV1"), core::PollOutcome::Skipped);
    h.console->OnPollTimer();
    EXPECT_TRUE(h.Requests().empty());
  }
  EXPECT_FALSE(h.console->Gate().Busy()) << "every hold let the gate go";
  EXPECT_EQ(h.poller->PollOne("SRV1"), core::PollOutcome::Done);
  EXPECT_FALSE(h.console->Gate().Busy());
}

TEST(TaskCommands, ReachTheServerAndRefreshTheRows) {
  PollHarness h("[TASK MQUEUE]\nSTATE=1\n\n[TASK ZMODEM]\nCOMMENT=Модем\nSTATE=0\n");
  ASSERT_TRUE(h.poller->RefreshTasks(h.Srv1()));
  ASSERT_EQ(h.tasks->Rows(0).size(), 2u);
  EXPECT_EQ(h.tasks->Rows(0)[1].comment, Cp("Модем"));
  EXPECT_EQ(h.tasks->Rows(0)[1].state, 0);

  core::BusyIndicator busy;
  core::CTaskCommandRunner runner(h.net.Binding(), h.console->Gate(), &busy);
  // Two slices pass before the worker is waited for in earnest.
  int slices = 0;
  runner.SetSliceWait([&slices](std::future<void>& worker, std::chrono::milliseconds slice) {
    EXPECT_EQ(slice, std::chrono::milliseconds(2000));
    if (++slices <= 2) return false;
    const bool ended = worker.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    EXPECT_TRUE(ended) << "the task command did not end";
    return ended;
  });
  int redraws = 0, refreshes = 0, busyDuring = 0, gateHeld = 0;
  const core::TaskCommandResult result = runner.Run(
      h.Srv1(), std::string("ZMODEM"), 1,
      [&] {
        ++redraws;
        busyDuring += busy.Counter();
        // A poll timer firing while the rows are redrawn finds the gate taken.
        h.console->OnPollTimer();
      },
      [&] {
        ++refreshes;
        gateHeld += h.console->Gate().Holder() == core::Operation::TaskCommand;
        h.poller->RefreshTasks(h.Srv1());
      });
  EXPECT_TRUE(result.sent);
  EXPECT_EQ(result.returnValue, 0);
  EXPECT_EQ(redraws, 3);  // after each of two slices, and once at the end
  EXPECT_EQ(busyDuring, 3);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(gateHeld, 1);
  EXPECT_EQ(busy.Counter(), 0);
  EXPECT_FALSE(h.console->Gate().Busy());
  EXPECT_EQ(h.tasks->Rows(0)[1].state, 1);
  const auto requests = h.Requests();
  EXPECT_NE(std::find(requests.begin(), requests.end(), "TaskControl TaskName=\"ZMODEM\" Command=1"), requests.end())
      << testing::PrintToString(requests);

  // The whole server, and a call that breaks: stored, never thrown.
  core::CTaskCommandRunner plain(h.net.Binding(), h.console->Gate(), &busy);
  {
    const auto held = h.console->Gate().Enter(core::Operation::Poll);
    const size_t before = h.Requests().size();
    EXPECT_TRUE(plain.Run(h.Srv1(), std::nullopt, 2, nullptr, nullptr).channelBusy);
    EXPECT_EQ(h.Requests().size(), before);
  }
  EXPECT_TRUE(plain.Run(h.Srv1(), std::nullopt, 2, nullptr, nullptr).sent);
  h.Command("drop TaskControl");
  const auto broken = plain.Run(h.Srv1(), std::string("MQUEUE"), 2, nullptr, nullptr);
  EXPECT_FALSE(broken.sent);
  EXPECT_NE(broken.exceptionCode, 0u);
  EXPECT_EQ(h.Srv1().lastException, broken.exceptionCode);
  EXPECT_FALSE(h.Srv1().online);
}

TEST(ReplicationRequest, QuestionsAndMessages) {
  PollHarness h("[TASK MQUEUE]\nSTATE=1\n\n[REPLICATION]\nMODE=1\nIN_SYNC=1\nBUSY=0\n");
  h.poller->Poll(h.Srv1());
  h.poller->Poll(h.Srv1());
  core::ReplicationRequestContext context{&h.net.Binding(), &h.dialogs,
                                          [&](const std::string& text, int code) { h.log.Add(text, 0, code); },
                                          &h.console->Gate(), "T"};
  using O = core::ReplicationRequestOutcome;

  {
    const auto scan = h.console->Gate().Enter(core::Operation::FavoritesScan);
    EXPECT_EQ(core::StartReplication(h.Srv1(), context), O::ChannelBusy);
    EXPECT_EQ(h.dialogs.shown.back(), Cp("box:Сообщение:Не возможно выполнить операцию - канал связи занят."));
  }

  h.dialogs.answers = {ports::MsgAnswer::No};
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), O::Declined);
  EXPECT_TRUE(Has(h.dialogs.shown.back(), Cp("Выполить репликацию?")));

  h.log.Clear();
  h.dialogs.answers = {ports::MsgAnswer::Yes};
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), O::Started);
  EXPECT_EQ(h.Text(), Cp("T\nКоманда репликации передана на\nвыполнение серверу. Менеджер очереди\n"
                         "приступил к выполнению репликации."));
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a26");

  h.Command("replication 0 1");
  h.poller->Poll(h.Srv1());
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), O::ReplicationBusy);
  EXPECT_EQ(h.dialogs.shown.back(), Cp("box:Сообщение:Подсистема репликации занята."));

  h.Command("replication 0 0");
  h.poller->Poll(h.Srv1());
  h.log.Clear();
  h.Command("drop");
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), O::Failed);
  EXPECT_EQ(h.Text(), Cp("T\nОшибка выполнения команды\nрепликации.\n(ошибка канала связи)"));
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a27");
}

TEST(ReplicationRequest, NotTakenUp) {
  PollHarness h("[TASK MQUEUE]\nSTATE=1\n\n[REPLICATION]\nMODE=1\nIN_SYNC=0\nSTART=0\n");
  h.poller->Poll(h.Srv1());
  h.poller->Poll(h.Srv1());
  h.log.Clear();
  core::ReplicationRequestContext context{&h.net.Binding(), &h.dialogs,
                                          [&](const std::string& text, int code) { h.log.Add(text, 0, code); },
                                          &h.console->Gate(), "T"};
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), core::ReplicationRequestOutcome::NotStarted);
  EXPECT_EQ(h.Text(), Cp("T\nКоманда репликации передана на\nвыполнение серверу. Менеджер очереди\n"
                         "не приступил к выполнению репликации.\n(проверьте настройки задачи)"));
  EXPECT_EQ(h.Lines()[0].substr(0, 3), "\a27");
  // Without replication configured nothing is asked or sent.
  h.Srv1().replicationState[8] = 0;
  EXPECT_EQ(core::StartReplication(h.Srv1(), context), core::ReplicationRequestOutcome::NotConfigured);
}

TEST(Alert, SoundThenProgram) {
  polltest::RecordingAlertPort port;
  std::tm t{};
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  core::RaiseAlert(port, {"a.wav", "notify --all"}, true, true, t);
  core::RaiseAlert(port, {"", ""}, true, true, t);
  core::RaiseAlert(port, {"a.wav", "x"}, false, false, t);
  EXPECT_EQ(port.calls, (std::vector<std::string>{
                            "stop", "play:a.wav",
                            "start:notify --all|Started from Veltrane32 configuration program : 9:5:3 - [notify --all]"}));
}

TEST(Popup, LifetimeBlinkAndTip) {
  core::MessageLog log;
  core::CPopupWindowState popup(log);
  log.Add("kept until clicked", 0, 6);
  popup.Update(0);
  popup.Tick(1000000);
  EXPECT_TRUE(popup.Visible());
  EXPECT_EQ(popup.TrayTipUtf8(), "Конфигурация Veltrane32 (см. окно сообщений)");
  EXPECT_TRUE(popup.AlertIconPhase(1000000));
  EXPECT_FALSE(popup.AlertIconPhase(1000500));
  popup.Click();
  EXPECT_FALSE(popup.Visible());
  EXPECT_EQ(popup.TrayTipUtf8(), "Конфигурация Veltrane32");

  // Five seconds, restarted by a later message.
  log.Add("five seconds", 5000, 6);
  popup.Update(10000);
  popup.Tick(14999);
  EXPECT_TRUE(popup.Visible());
  log.Add("again", 5000, 6);
  popup.Update(14999);
  popup.Tick(19000);
  EXPECT_TRUE(popup.Visible());
  popup.SetFadeOnHide(true);
  popup.Tick(19999);
  EXPECT_FALSE(popup.Visible());
  EXPECT_TRUE(popup.LastHideFaded());
  EXPECT_FALSE(popup.Blinking());

  // Disabled: only the tray blinks.
  log.SetPopupDisabled(true);
  log.Add("quiet", 5000, 6);
  popup.Update(30000);
  EXPECT_FALSE(popup.Visible());
  EXPECT_TRUE(popup.Blinking());
}

}  // namespace

namespace {

TEST(PollSchedule, PeriodAndRestart) {
  core::CPollSchedule timer;
  EXPECT_FALSE(timer.Due(1000000));
  timer.Start(10000, 0);
  EXPECT_FALSE(timer.Due(9999));
  EXPECT_TRUE(timer.Due(10000));
  EXPECT_FALSE(timer.Due(10001));
  // Changed from 10 to 30 s at 15 s: the next poll comes 30 s after the change.
  timer.ChangePeriod(30000, 15000);
  EXPECT_FALSE(timer.Due(20000));
  EXPECT_FALSE(timer.Due(44999));
  EXPECT_TRUE(timer.Due(45000));
  // A late check fires once, not once per missed period.
  EXPECT_TRUE(timer.Due(200000));
  EXPECT_FALSE(timer.Due(200001));
  EXPECT_EQ(timer.NextDueMs(), 225000);
  timer.Stop();
  timer.ChangePeriod(5000, 300000);
  EXPECT_FALSE(timer.Due(400000));
}

// Only a message with a lifetime restarts the hide timer: one without a
// lifetime that follows it is hidden with it, unless the window was hidden in
// between.
TEST(Popup, AMessageWithoutLifetimeLeavesTheRunningDeadline) {
  struct Case {
    const char* name;
    bool updateBetween;  // the window layer looked at the state after each message
    bool hideBetween;    // the window was hidden between the two messages
    int64_t deadline;    // -1: until clicked
  };
  const Case cases[] = {
      {"timed, then untimed", true, false, 6000},
      {"both before the window layer looks", false, false, 7000},
      {"hidden in between", true, true, -1},
      {"hidden in between, both before it looks", false, true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    core::MessageLog log;
    core::CPopupWindowState popup(log);
    log.Add("five seconds", 5000, 6);
    if (c.updateBetween) popup.Update(1000);
    if (c.hideBetween) log.Hide();
    log.Add("until clicked", 0, 6);
    popup.Update(2000);
    EXPECT_EQ(c.deadline, popup.HideDeadlineMs());
    popup.Tick(100000);
    EXPECT_EQ(c.deadline >= 0, !popup.Visible());
  }
  // A later lifetime restarts the timer.
  core::MessageLog log;
  core::CPopupWindowState popup(log);
  log.Add("until clicked", 0, 6);
  popup.Update(0);
  EXPECT_EQ(-1, popup.HideDeadlineMs());
  log.Add("five seconds", 5000, 6);
  popup.Update(1000);
  EXPECT_EQ(6000, popup.HideDeadlineMs());
}

TEST(Popup, DesktopHeightSetsTheLineLimit) {
  core::MessageLog log;
  core::CPopupWindowState popup(log);
  popup.SetDesktopHeight(1200);  // (1200 - 60) / 17 = 67 lines
  for (int i = 0; i < 100; ++i) log.Add("line", 0, 1);
  EXPECT_EQ(log.Lines().size(), 67u);
  popup.SetDesktopHeight(300);  // below 20 rows: 20
  EXPECT_EQ(log.Lines().size(), 20u);
}

}  // namespace
