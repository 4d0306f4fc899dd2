// The parts of the headless monitor: the password file, the alert port's
// player and detached programs, and the parallel connection probe.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <vector>

#include "support/LoopbackSockets.h"
#include "Credentials.h"
#include "HeadlessAlertPort.h"
#include "PollHarness.h"
#include "core/poll/ConnectProbe.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Fails the test when the file stays empty for 30 s.
void WaitForFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ReadAll(path).empty()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << path << " was never written";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Whether this process has a child, running or finished and not yet reaped
// (the child is left as it is).
bool HasChildren() {
  siginfo_t info{};
  return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0;
}

TEST(PasswordFile, DefaultAndPerComputerLines) {
  const app::Credentials c = app::ParsePasswordText(
      "# comment\r\n\r\nsecret=with=signs\r\n СЕРВЕР 1 =пароль\r\nSRV2=\nfallback\nignored second default\n");
  EXPECT_EQ(c.password, "fallback");
  EXPECT_EQ(c.PasswordFor("secret"), "with=signs");
  EXPECT_EQ(c.PasswordFor(polltest::Cp("СЕРВЕР 1")), polltest::Cp("пароль"));
  EXPECT_EQ(c.PasswordFor("SRV2"), "");  // an empty password is a password
  EXPECT_EQ(c.PasswordFor("OTHER"), "fallback");
  std::string error;
  EXPECT_FALSE(app::ReadPasswordFile("/nonexistent/file", error));
  EXPECT_NE(error.find("/nonexistent/file"), std::string::npos);
}

TEST(HeadlessAlert, PlayerStopAndProgram) {
  const std::string played = polltest::TempPath("played");
  const std::string player = polltest::TempPath("player.sh");
  const std::string pidFile = polltest::TempPath("player.pid");
  // The player notes its file, then plays "for ever" until it is stopped.
  std::ofstream(player) << "#!/bin/sh\necho \"$1\" >> " << played << "\necho $$ > " << pidFile << "\nexec sleep 60\n";
  std::filesystem::permissions(player, std::filesystem::perms::owner_all);

  app::HeadlessAlertPort port(player);
  EXPECT_EQ(port.Player(), player);
  port.PlaySound("first.wav");
  ASSERT_NO_FATAL_FAILURE(WaitForFile(pidFile));
  const pid_t first = std::stoi(ReadAll(pidFile));
  std::filesystem::remove(pidFile);
  port.StopSound();
  EXPECT_NE(kill(first, 0), 0) << "the playing sound was stopped";
  port.StopSound();  // nothing playing: nothing to do
  port.PlaySound("second.wav");
  ASSERT_NO_FATAL_FAILURE(WaitForFile(pidFile));
  port.StopSound();
  EXPECT_EQ(ReadAll(played), "first.wav\nsecond.wav\n");

  // A program through the shell, with its title in the environment.
  const std::string out = polltest::TempPath("program.out");
  port.StartProgram("echo \"$VT_ALERT_TITLE\" > " + out, "Started from test : 1:2:3 - [x]");
  ASSERT_NO_FATAL_FAILURE(WaitForFile(out));
  EXPECT_EQ(ReadAll(out), "Started from test : 1:2:3 - [x]\n");

  // No player on PATH: nothing is started at all.
  {
    const char* path = std::getenv("PATH");
    const std::string savedPath = path ? path : "";
    const std::string emptyFolder = polltest::TempPath("no-players");
    std::filesystem::create_directories(emptyFolder);
    setenv("PATH", emptyFolder.c_str(), 1);
    app::HeadlessAlertPort none;
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(none.Player(), "");
    none.PlaySound("x.wav");
    EXPECT_FALSE(HasChildren()) << "a sound without a player started a process";
    none.StopSound();
  }
  // A player that cannot be run: the sound is silently not played, and the
  // stop leaves nothing behind, not even a finished child to reap.
  app::HeadlessAlertPort silent("/nonexistent/player");
  silent.PlaySound("x.wav");
  silent.StopSound();
  EXPECT_FALSE(HasChildren());
}

TEST(ConnectProbe, AnswersOfLiveClosedBlackHoledAndNamedTargets) {
  const auto live = testsupport::ListenOnLoopback("127.0.0.1", 16);
  const auto closed = testsupport::ListenOnLoopback("127.0.0.1", 1);
  close(closed.fd);
  const testsupport::BlackHole hole;
  const uint16_t livePort = live.port, closedPort = closed.port, holePort = hole.Port();
  const std::vector<core::ProbeTarget> targets = {
      {"127.0.0.1", livePort}, {"127.0.0.1", closedPort}, {"127.0.0.3", holePort},
      {"localhost", livePort}, {"no-such-host.invalid", livePort}, {"127.0.0.1", livePort},
  };
  EXPECT_EQ(core::ProbeConnections(targets, std::chrono::milliseconds(300)),
            (std::vector<bool>{true, false, false, true, false, true}));
  EXPECT_TRUE(core::ProbeConnections({}, std::chrono::milliseconds(300)).empty());
  close(live.fd);
}

}  // namespace

namespace {

TEST(HeadlessAlert, StopRightAfterPlayNeverWaitsForTheSound) {
  const std::string player = polltest::TempPath("long-player.sh");
  const std::string pids = polltest::TempPath("long-player.pids");
  // Each player that got as far as its script notes its pid, then "plays" for ten minutes.
  std::ofstream(player) << "#!/bin/sh\necho $$ >> " << pids << "\nexec sleep 600\n";
  std::filesystem::permissions(player, std::filesystem::perms::owner_all);
  auto recordedPids = [&pids] {
    std::vector<pid_t> out;
    std::istringstream in(ReadAll(pids));
    for (pid_t pid; in >> pid;) out.push_back(pid);
    return out;
  };
  app::HeadlessAlertPort port(player);
  // Back to back, as the two polls of start-up may sound: a stop that came
  // before the player settled must still end it. The last player is given
  // time to start, so that at least one stop ends a running sound.
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  std::thread sounds([&] {
    for (int i = 0; i < 20; ++i) {
      port.PlaySound("a.wav");
      port.StopSound();
    }
    port.PlaySound("a.wav");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (recordedPids().empty() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    port.StopSound();
    done.set_value();
  });
  const bool ended = finished.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  // Stops stuck waiting for their sounds are freed by ending the players here.
  while (finished.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
    for (const pid_t pid : recordedPids()) kill(pid, SIGKILL);
  sounds.join();
  EXPECT_TRUE(ended) << "a stop waited for the sound to end";
  const std::vector<pid_t> started = recordedPids();
  EXPECT_FALSE(started.empty());
  for (const pid_t pid : started) {
    errno = 0;
    EXPECT_EQ(kill(pid, 0), -1) << pid;
    EXPECT_EQ(errno, ESRCH) << "player " << pid << " is still there (or not reaped)";
  }
  EXPECT_FALSE(HasChildren());
}

}  // namespace
