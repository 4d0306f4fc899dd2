#pragma once
// A temporary folder, the scripted ports and recording hooks around one
// application object.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "core/ServiceSteps.h"
#include "core/WindowSteps.h"
#include "core/CTarvikApp.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace testing_fakes {

// Both kinds of steps, recorded in one list so that their order shows.
class RecordingHooks : public core::WindowSteps, public core::ServiceSteps {
 public:
  std::vector<std::string> calls;
  std::vector<core::MailServerEntry> servers;
  core::LocalizationResult localization = core::LocalizationResult::NotLoaded;
  bool loadFavorites = true;
  bool quitAtLogon = false;
  // Log-off results by computer index; a missing index throws.
  std::map<int, core::LogoffOutcome> logoff;

  core::LocalizationResult LoadLocalization(int third) override {
    calls.push_back("localization " + std::to_string(third));
    return localization;
  }
  bool CreateMessageWindow() override { return Call("message window"); }
  bool CreateMainWindow(const std::string& version) override { return Call("main window " + version); }
  bool CreateMainFrame() override { return Call("main frame"); }
  std::vector<core::MailServerEntry> MailServers() override { return servers; }
  core::LogonOutcome LogonComputer(const core::MailServerEntry& s, const core::ComputerSlot& c) override {
    calls.push_back("logon " + s.name + "/" + c.name);
    return quitAtLogon ? core::LogonOutcome::EndProgram : core::LogonOutcome::Continue;
  }
  void PollAll() override { calls.push_back("poll"); }
  void ProcessPendingEvents() override { calls.push_back("events"); }
  bool LoadFavorites() override {
    calls.push_back("load favorites");
    return loadFavorites;
  }
  void RemoveAllGroups() override { calls.push_back("remove groups"); }
  void RefillFavoritesGrid() override { calls.push_back("refill grid"); }
  void ShowComputerIdentification() override { calls.push_back("identification"); }
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override {
    calls.push_back("timers " + std::to_string(pollMs) + " " + std::to_string(favoritesMs));
  }
  void RestorePlacement() override { calls.push_back("placement"); }
  void ShowTrayIcon() override { calls.push_back("tray on"); }
  void HideTrayIcon() override { calls.push_back("tray off"); }
  void FocusNavigation() override { calls.push_back("focus"); }
  void EditConfigFile(const std::string& path) override { calls.push_back("edit " + path); }
  core::LogoffOutcome Logoff(const core::ComputerSlot& c) override {
    calls.push_back("logoff " + c.name);
    const auto it = logoff.find(c.index);
    if (it == logoff.end()) throw std::runtime_error("connection lost");
    const auto outcome = it->second;
    it->second = core::LogoffOutcome::NotUsed;  // a computer is logged off once
    return outcome;
  }
  // Empty: the save succeeds; otherwise it fails with this reason.
  std::string saveFailure;
  bool SaveFavorites(std::string& reason) override {
    calls.push_back("save favorites");
    reason = saveFailure;
    return saveFailure.empty();
  }
  void ReleaseRegistries() override { calls.push_back("release registries"); }
  void DestroyWindows() override { calls.push_back("destroy windows"); }

 private:
  bool Call(std::string name) {
    calls.push_back(std::move(name));
    return true;
  }
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("vt_core_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    cwd_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(cwd_);
    std::filesystem::remove_all(dir_);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  void WriteFile(const std::string& path, const std::string& content) const {
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // A new application on `commandLine`; every log line goes to `lines` in
  // UTF-8, without the BEL byte and the padding.
  core::CTarvikApp& MakeApp(const std::string& commandLine) {
    core::AppEnvironment env;
    env.dialogs = &dialogs;
    env.clock = &clock;
    env.progress = &progress;
    env.windows = &hooks;
    env.services = &hooks;
    env.commandLine = commandLine;
    env.machineIdentity = [] { return std::string("WinComputerName=WS;FQDN=ws.lan;IP=10.0.0.7"); };
    env.installCrashHandlers = false;
    app = std::make_unique<core::CTarvikApp>(std::move(env));
    app->Log().SetLineSink([this](const std::string& line) {
      EXPECT_EQ(line[0], '\x07');
      lines.push_back(text::TrimRight(text::Cp1251ToUtf8(line.substr(1)), " "));
    });
    return *app;
  }

  std::filesystem::path dir_;
  std::filesystem::path cwd_;
  FakeDialogPort dialogs;
  FixedClock clock;
  RecordingProgressPort progress;
  RecordingHooks hooks;
  std::unique_ptr<core::CTarvikApp> app;
  std::vector<std::string> lines;
};

}  // namespace testing_fakes
