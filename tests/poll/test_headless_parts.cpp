// The parts of the headless monitor: the password file, the alert port's
// player and detached programs, and the parallel connection probe.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

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

void WaitForFile(const std::string& path) {
  while (ReadAll(path).empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
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
  WaitForFile(pidFile);
  const pid_t first = std::stoi(ReadAll(pidFile));
  std::filesystem::remove(pidFile);
  port.StopSound();
  EXPECT_NE(kill(first, 0), 0) << "the playing sound was stopped";
  port.StopSound();  // nothing playing: nothing to do
  port.PlaySound("second.wav");
  WaitForFile(pidFile);
  port.StopSound();
  EXPECT_EQ(ReadAll(played), "first.wav\nsecond.wav\n");

  // A program through the shell, with its title in the environment.
  const std::string out = polltest::TempPath("program.out");
  port.StartProgram("echo \"$VT_ALERT_TITLE\" > " + out, "Started from test : 1:2:3 - [x]");
  WaitForFile(out);
  EXPECT_EQ(ReadAll(out), "Started from test : 1:2:3 - [x]\n");

  // No player at all: sounds are silently not played.
  app::HeadlessAlertPort silent("/nonexistent/player");
  silent.PlaySound("x.wav");
  silent.StopSound();
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
  std::ofstream(player) << "#!/bin/sh\nexec sleep 600\n";
  std::filesystem::permissions(player, std::filesystem::perms::owner_all);
  app::HeadlessAlertPort port(player);
  // Back to back, as the two polls of start-up may sound: a stop that came
  // before the player settled must still end it (ctest's timeout catches a wait).
  for (int i = 0; i < 20; ++i) {
    port.PlaySound("a.wav");
    port.StopSound();
  }
}

}  // namespace
