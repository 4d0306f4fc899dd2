// vtconsole --headless as a monitor, run as its own process against a
// vtnode-sim process: start-up with logon, polls, an alert, shutdown with the
// logoffs; unreachable and black-holed computers; the signal that ends it.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcesses.h"
#include "support/LoopbackSockets.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Child;
using testsupport::Count;
using testsupport::ReadAll;

class HeadlessMonitor : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::FreshTestDir("vt_monitor_");
    port_ = testsupport::StartNodeSimulator(VTNODE_SIM_PATH, {"--request-log", Path("requests.log"), "--control",
                                                              Path("ctl")},
                                            dir_, sim_);
    std::ofstream(Path("player.sh")) << "#!/bin/sh\necho \"$1\" >> " << Path("played") << "\n";
    fs::permissions(Path("player.sh"), fs::perms::owner_all);
    std::ofstream(Path("pw")) << "# the password of every computer\nadmin\n";
  }
  void TearDown() override {
    sim_.Stop();
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void WriteConfig(const std::string& computers, const std::string& hosts) {
    std::ofstream(Path("mon.cfg"), std::ios::binary)
        << "[COMMON]\r\nPERIOD_VERIFY=5\r\nERROR_SOUND=alarm.wav\r\n[Remote interfaces]\r\nSRV1=127.0.0.2:" << port_
        << "\r\n"
        << computers << "[Hosts]\r\n"
        << hosts;
  }
  Child Console(std::vector<std::string> extra) {
    std::vector<std::string> argv = {VTCONSOLE_PATH, "--headless", "--config", Path("mon.cfg"),
                                     "--sound-player", Path("player.sh"), "--poll-period-ms", "50"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    return Child::Start(argv, dir_, "console");
  }

  fs::path dir_;
  Child sim_;
  int port_ = 0;
};

TEST_F(HeadlessMonitor, PollsAlertsAndShutsDown) {
  // DEAD is on a closed port of the loopback: no logon, a channel error at
  // every poll, and the alert sound each time.
  const int closed = [] {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.2", &a.sin_addr);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
  }();
  WriteConfig("DEAD=127.0.0.2:" + std::to_string(closed) + "\r\n", "NODE=SRV1,DEAD\r\n");
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--polls", "3"});
  ASSERT_EQ(console.Wait(), 0) << ReadAll(console.err);
  const std::string out = ReadAll(console.out);
  const std::string err = ReadAll(console.err);

  EXPECT_NE(out.find("02Соединение с: \"SRV1\""), std::string::npos) << out;
  EXPECT_NE(out.find("08Права доступа:"), std::string::npos);
  // Named with the RPC status and its cause: nothing listens on that port.
  EXPECT_NE(err.find("computer \"DEAD\" cannot be reached: 1722 (connection refused)"), std::string::npos) << err;
  // Two polls of start-up and three of the timer: five channel errors.
  EXPECT_EQ(Count(out, "06Ошибка канала связи"), 5) << out;
  // A sound still playing is stopped by the next one, which may come before
  // the player wrote its line: at least one, at most one per failed poll.
  const int played = Count(ReadAll(Path("played")), "alarm.wav");
  EXPECT_GE(played, 1);
  EXPECT_LE(played, 5);
  EXPECT_EQ(Count(out, "\n28"), Count(out, "Сканируемые диски для")) << "each disk message has its code";
  EXPECT_EQ(Count(out, "Сканируемые диски для"), 5);
  // Shutdown with the logoff of the computer that was logged on.
  const size_t stop = out.find("01Стоп ...");
  ASSERT_NE(stop, std::string::npos);
  EXPECT_NE(out.find("    Интерфейс: \"SRV1\"", stop), std::string::npos);
  EXPECT_EQ(Count(out.substr(stop), "OK, деинициализирован."), 1);
  EXPECT_EQ(Count(out.substr(stop), "Не использован."), 1);
  const std::string requests = ReadAll(Path("requests.log"));
  EXPECT_EQ(Count(requests, "\nGetStateFlag "), 5) << requests;
  EXPECT_EQ(Count(requests, "\nLogoff "), 1);
}

TEST_F(HeadlessMonitor, EndsOnSigtermWithItsShutdown) {
  WriteConfig("", "NODE=SRV1\r\n");
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw")});
  console.WaitFor("13Проверка подсистем сканирования");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  kill(console.pid, SIGTERM);
  EXPECT_EQ(console.Wait(), 0);
  const std::string out = ReadAll(console.out);
  EXPECT_NE(out.find("      OK, деинициализирован."), std::string::npos) << out;
  EXPECT_NE(out.find("05Деинициализация Sockets Library ..."), std::string::npos);
}

TEST_F(HeadlessMonitor, BlackHoledComputerCostsOneShortTimeoutPerPoll) {
  const testsupport::BlackHole hole;
  ASSERT_TRUE(hole.Ok());
  const std::string hole1 = "HOLE1=127.0.0.3:" + std::to_string(hole.Port()) + "\r\n";
  const std::string hole2 = "HOLE2=127.0.0.3:" + std::to_string(hole.Port()) + "\r\n";
  WriteConfig(hole1 + hole2, "NODE=SRV1,HOLE1\r\n");
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--polls", "2",
                           "--connect-timeout-ms", "300"});
  EXPECT_EQ(console.Wait(), 0) << ReadAll(console.err);
  const std::string out = ReadAll(console.out);
  EXPECT_EQ(Count(out, "06Ошибка канала связи"), 8) << out;  // two computers, four polls
  EXPECT_NE(ReadAll(console.err).find("computer \"HOLE1\" cannot be reached: 1722 (no answer)"), std::string::npos)
      << ReadAll(console.err);
  EXPECT_NE(out.find("      OK, деинициализирован."), std::string::npos);
}

TEST_F(HeadlessMonitor, RefusalsAndConflictsEndWithTheirCodes) {
  WriteConfig("", "NODE=SRV1\r\n");
  std::ofstream(Path("bad")) << "SRV1=wrong\n";
  {
    Child console = Console({"--user", "ADMIN", "--password-file", Path("bad"), "--polls", "1"});
    EXPECT_EQ(console.Wait(), 5);
    EXPECT_NE(ReadAll(console.err).find("computer \"SRV1\" refused the logon of \"ADMIN\""), std::string::npos);
    EXPECT_NE(ReadAll(console.out).find("01Стоп ..."), std::string::npos) << "the shutdown still runs";
  }
  // A refusal goes on to the next computer; a computer that takes the logon
  // keeps the console running.
  {
    WriteConfig("SRV2=127.0.0.2:" + std::to_string(port_) + "\r\n", "NODE=SRV1,SRV2\r\n");
    std::ofstream(Path("mixed")) << "SRV1=wrong\nSRV2=admin\n";
    Child console = Console({"--user", "ADMIN", "--password-file", Path("mixed"), "--polls", "1"});
    EXPECT_EQ(console.Wait(), 0) << ReadAll(console.err);
    const std::string err = ReadAll(console.err);
    EXPECT_NE(err.find("computer \"SRV1\" refused the logon of \"ADMIN\""), std::string::npos) << err;
    EXPECT_EQ(err.find("\"SRV2\""), std::string::npos) << err;
    EXPECT_NE(ReadAll(console.out).find("02Соединение с: \"SRV2\""), std::string::npos);
    WriteConfig("", "NODE=SRV1\r\n");
  }
  // Another console holds the rights: go on as a user, or end when asked to.
  Child send = Child::Start({VTNODE_SIM_PATH, "--send", Path("ctl"), "admin", "ROOT", "WinComputerName=OTHER"}, dir_,
                            "send");
  ASSERT_EQ(send.Wait(), 0) << ReadAll(send.err);
  {
    Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--polls", "1"});
    EXPECT_EQ(console.Wait(), 0) << ReadAll(console.err);
    EXPECT_NE(ReadAll(console.out).find("Администратор как пользователь."), std::string::npos);
    EXPECT_NE(ReadAll(console.err).find("(answered: Продолжить)"), std::string::npos) << ReadAll(console.err);
  }
  {
    Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--polls", "1", "--quit-on-conflict"});
    EXPECT_EQ(console.Wait(), 6);
    EXPECT_NE(ReadAll(console.err).find("(answered: Завершить работу)"), std::string::npos) << ReadAll(console.err);
  }
}

TEST_F(HeadlessMonitor, BadMonitorOptionsAreRefused) {
  WriteConfig("", "NODE=SRV1\r\n");
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--polls", "x"}, "--polls wants a whole number"},
      {{"--no-connection", "--user", "A"}, "--no-connection takes no --user"},
      {{"--password-file", "/nonexistent/pw", "--user", "A"}, "cannot read the password file"},
  };
  for (const auto& c : cases) {
    Child console = Console(c.args);
    EXPECT_EQ(console.Wait(), 2);
    EXPECT_NE(ReadAll(console.err).find(c.message), std::string::npos) << ReadAll(console.err);
  }
  // Without a user the logon is not answered: the start-up ends.
  Child console = Console({"--polls", "1"});
  EXPECT_EQ(console.Wait(), 1);
  EXPECT_NE(ReadAll(console.err).find("needs --user"), std::string::npos);
}

}  // namespace

namespace {

// A stop signal while the console waits on a computer that never answers:
// the wait ends at once, the shutdown still runs and saves, and the computer
// that did not answer is not dialled again for its logoff.
TEST_F(HeadlessMonitor, AStopSignalEndsASilentWaitAndTheShutdownStillRuns) {
  WriteConfig("", "NODE=SRV1\r\n");
  Child hang = Child::Start({VTNODE_SIM_PATH, "--send", Path("ctl"), "hang", "Logon", "always"}, dir_, "hang");
  ASSERT_EQ(hang.Wait(), 0) << ReadAll(hang.err);
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw")});
  ASSERT_TRUE(console.WaitFor("02Соединение с: \"SRV1\""));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  kill(console.pid, SIGTERM);
  // The call itself would wait 60 s for the silent computer; a bound well
  // below that shows the wait was given up.
  EXPECT_EQ(testsupport::WaitForExit(console.pid, std::chrono::seconds(20)), 0);
  console.pid = -1;
  const std::string out = ReadAll(console.out);
  EXPECT_NE(out.find("00Сохранение конфигурации ..."), std::string::npos) << out;
  EXPECT_NE(out.find("05Деинициализация Sockets Library ..."), std::string::npos) << out;
  EXPECT_EQ(Count(ReadAll(Path("requests.log")), "\nLogoff "), 0);
}

// A computer that answered its polls and then went silent (its cable
// pulled): the stop's logoff waits the connect timeout, not the 60 s call
// limit; it is logged as failed and the file is saved.
TEST_F(HeadlessMonitor, AStopAfterAComputerWentSilentGivesItsLogoffTheConnectTimeout) {
  WriteConfig("", "NODE=SRV1\r\n");
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--connect-timeout-ms", "2000"});
  ASSERT_TRUE(console.WaitFor("Проверка подсистем сканирования"));
  ASSERT_TRUE(testsupport::WaitForText(Path("requests.log"), "GetStateFlag"));
  Child hang = Child::Start({VTNODE_SIM_PATH, "--send", Path("ctl"), "hang", "always"}, dir_, "hang");
  ASSERT_EQ(hang.Wait(), 0) << ReadAll(hang.err);
  // A poll now waits on the silent computer; the stop cuts it short.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(console.pid, SIGTERM);
  // Well below the 60 s call limit.
  EXPECT_EQ(testsupport::WaitForExit(console.pid, std::chrono::seconds(30)), 0);
  console.pid = -1;
  const std::string out = ReadAll(console.out);
  const size_t logoff = out.find("Интерфейс: \"SRV1\"");
  ASSERT_NE(logoff, std::string::npos) << out;
  EXPECT_NE(out.find("FAILED !!!", logoff), std::string::npos) << out.substr(logoff);
  EXPECT_NE(out.find("00Сохранение конфигурации ..."), std::string::npos) << out;
}

// A stop while a second computer's logon waits at start-up: the start-up ends
// at once, and the computer that already took the logon is logged off.
TEST_F(HeadlessMonitor, AStopDuringStartUpLogsOffTheComputersThatTookTheLogon) {
  Child silent;
  fs::create_directories(dir_ / "silent");
  const int silentPort = testsupport::StartNodeSimulator(
      VTNODE_SIM_PATH, {"--request-log", Path("silent.log"), "--control", Path("silent-ctl")}, dir_ / "silent", silent);
  ASSERT_GT(silentPort, 0);
  Child hang = Child::Start({VTNODE_SIM_PATH, "--send", Path("silent-ctl"), "hang", "Logon", "always"}, dir_, "hang");
  ASSERT_EQ(hang.Wait(), 0) << ReadAll(hang.err);
  WriteConfig("SRV2=127.0.0.2:" + std::to_string(silentPort) + "\r\n", "NODE=SRV1,SRV2\r\n");
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw")});
  ASSERT_TRUE(testsupport::WaitForText(Path("silent.log"), "Logon"));
  kill(console.pid, SIGTERM);
  EXPECT_EQ(testsupport::WaitForExit(console.pid, std::chrono::seconds(30)), 0);
  console.pid = -1;
  const std::string requests = ReadAll(Path("requests.log"));
  EXPECT_EQ(Count(requests, "\nLogoff "), 1) << requests;
  EXPECT_NE(ReadAll(console.out).find("OK, деинициализирован."), std::string::npos) << ReadAll(console.out);
  silent.Stop();
}

// A configuration file the user made read-only is left as it is, and the
// program says so and ends with its own code.
TEST_F(HeadlessMonitor, AReadOnlyFileIsNotReplacedAndTheFailureIsTheExitCode) {
  WriteConfig("", "NODE=SRV1\r\n");
  const std::string before = ReadAll(Path("mon.cfg"));
  fs::permissions(Path("mon.cfg"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Child console = Console({"--user", "ADMIN", "--password-file", Path("pw"), "--polls", "1"});
  EXPECT_EQ(console.Wait(), 7);
  const std::string out = ReadAll(console.out);
  const size_t saving = out.find("00Сохранение конфигурации ...");
  ASSERT_NE(saving, std::string::npos) << out;
  const size_t nextLine = out.find('\n', saving) + 1;
  EXPECT_EQ(out.compare(nextLine, 14, "06  FAILED !!!"), 0) << out.substr(saving);
  EXPECT_NE(ReadAll(console.err).find("was not saved"), std::string::npos) << ReadAll(console.err);
  EXPECT_EQ(ReadAll(Path("mon.cfg")), before);
  EXPECT_FALSE(fs::exists(Path("mon.cfg.BAK")));
}

}  // namespace
