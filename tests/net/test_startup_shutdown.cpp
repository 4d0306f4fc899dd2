// The registries, logons and logoffs inside the application's own start-up
// and shutdown, with two simulated nodes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "NetHarness.h"
#include "services/ConsoleServices.h"
#include "text/Strings.h"

namespace {

using testing::ElementsAre;

class StartupShutdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / ("vt_net_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Runs start-up and shutdown on a file naming both nodes; true when start-up went through.
  bool Run(const std::string& hosts) {
    const std::string path = (dir_ / "console.cfg").string();
    std::ofstream(path, std::ios::binary) << "[COMMON]\r\nPERIOD_VERIFY=30\r\n[Remote interfaces]\r\nSRV1="
                                          << first.Entry() << "\r\nSRV2=" << second.Entry() << "\r\n[Hosts]\r\n"
                                          << hosts << "[Favorites]\r\n[Links]\r\n";
    services::ConsolePorts ports;
    ports.dialogs = &dialogs;
    ports.clock = &clock;
    ports.views = &notifier;
    services::ConsoleOptions options;
    options.commandLine = path;
    options.localTest = [](const std::string&) { return false; };
    options.machineIdentity = [] { return nettest::kIdentity; };
    options.connectTimeout = std::chrono::milliseconds(2000);
    options.callTimeout = std::chrono::milliseconds(5000);
    options.installCrashHandlers = false;
    console = std::make_unique<services::ConsoleServices>(ports, std::move(options));
    console->App().Log().SetLineSink([this](const std::string& line) {
      lines.push_back(text::TrimRight(text::Cp1251ToUtf8(line.substr(1)), " "));
    });
    const bool started = console->Start();
    shutdownFrom = lines.size();
    console->Stop();
    return started;
  }

  // The log-off block of the shutdown: from the first node line to the line after the last outcome.
  std::vector<std::string> LogoffLines() const {
    std::vector<std::string> out;
    bool inside = false;
    for (size_t i = shutdownFrom; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.find("Узел:") != std::string::npos) inside = true;
      if (inside && line.find("Сохранение конфигурации") != std::string::npos) break;
      if (inside && line.rfind("01  OK.", 0) != 0) out.push_back(line);
    }
    return out;
  }

  static ports::LogonAnswer As(const char* user, const char* password) { return {user, password, false, false}; }

  std::filesystem::path dir_;
  nettest::SimNode first;
  nettest::SimNode second;
  nettest::ScriptedDialogs dialogs;
  nettest::RecordingNotifier notifier;
  ports::SystemClock clock;
  std::unique_ptr<services::ConsoleServices> console;
  std::vector<std::string> lines;
  size_t shutdownFrom = 0;
};

TEST_F(StartupShutdownTest, EachComputerIsLoggedOffOnce) {
  dialogs.logonAnswers = {As("ADMIN", "adm"), As("OPER", "op"), As("OPER", "op")};
  ASSERT_TRUE(Run("NODE1=SRV1,SRV2\r\nNODE2=SRV2\r\n"));
  ASSERT_EQ(dialogs.logons.size(), 3u);
  EXPECT_EQ(dialogs.logons[2].serverName, "NODE2");
  EXPECT_EQ(dialogs.logons[2].computerName, "SRV2");
  EXPECT_THAT(LogoffLines(), ElementsAre("01  Узел: \"NODE1\"", "01    Интерфейс: \"SRV1\"", "01      OK, деинициализирован.",
                                         "01    Интерфейс: \"SRV2\"", "01      OK, деинициализирован.",
                                         "01  Узел: \"NODE2\"", "01    Интерфейс: \"SRV2\"", "01      Не использован."));
  // The administrator's rights went back to the node.
  EXPECT_TRUE(first->WithNode([](sim::SimNode& n) { return n.Data().adminUser.empty(); }));
  // The registration lines reached the application's log.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "01   порт  = " + std::to_string(first.Port()) + " = 0x" +
                                                      text::Format("%X", first.Port()) + " -  OK."),
            lines.end());
  EXPECT_EQ(console->Net().Computers().Count(), 0) << "released at shutdown";
}

TEST_F(StartupShutdownTest, FailedLogoffIsLoggedAndShutdownGoesOn) {
  first.Command("drop Logoff always");
  dialogs.logonAnswers = {As("ADMIN", "adm"), As("OPER", "wrong")};
  ASSERT_TRUE(Run("NODE1=SRV1,SRV2\r\n"));
  EXPECT_THAT(LogoffLines(), ElementsAre("01  Узел: \"NODE1\"", "01    Интерфейс: \"SRV1\"", "06      FAILED !!!",
                                         "01    Интерфейс: \"SRV2\"", "01      Не использован."));
  EXPECT_NE(std::find(lines.begin() + static_cast<long>(shutdownFrom), lines.end(), "00Сохранение конфигурации ..."),
            lines.end());
}

TEST_F(StartupShutdownTest, QuitFromTheRightsQuestionEndsStartUp) {
  first.Command("admin CHIEF WinComputerName=BOSS;FQDN=boss.lan;IP=10.0.0.9");
  dialogs.logonAnswers = {As("ADMIN", "adm")};
  dialogs.askAnswers = {1};
  EXPECT_FALSE(Run("NODE1=SRV1,SRV2\r\n"));
  EXPECT_EQ(dialogs.logons.size(), 1u) << "no logon dialog for the next computer";
}

}  // namespace
