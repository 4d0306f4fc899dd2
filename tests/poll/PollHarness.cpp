#include "PollHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "sim/lib/FixtureLoader.h"
#include "support/TestConsole.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace polltest {

size_t RecordingViews::Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

std::string Cp(std::string_view utf8) { return text::Utf8ToCp1251(utf8); }

std::string TempPath(std::string_view name) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("vt-poll-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return (dir / std::string(name)).string();
}

std::string NodeText(std::string_view sectionsUtf8) {
  return "[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n[USER OPERATOR]\nPASSWORD=operator\nLEVEL=1\n\n" +
         std::string(sectionsUtf8);
}

namespace {

std::unique_ptr<services::ConsoleServices> MakeConsole(PollHarness& h) {
  services::ConsolePorts ports;
  ports.dialogs = &h.dialogs;
  ports.clock = &h.clock;
  ports.alerts = &h.alerts;
  ports.views = &h.views;
  return testsupport::MakeTestConsole(ports, kIdentity);
}

}  // namespace

PollHarness::PollHarness(std::string_view sectionsUtf8)
    : console(MakeConsole(*this)),
      net(console->Net()),
      log(console->App().Log()),
      settings(console->App().Settings()),
      tasks(&console->Tasks()),
      poller(&console->Poller()) {
  static int serial = 0;
  simulator = std::make_unique<sim::NodeSimulator>(
      sim::LoadFixtureText(text::Utf8ToCp1251(NodeText(sectionsUtf8)), "test", 1765000000));
  requestLog = TempPath("requests-" + std::to_string(++serial) + ".log");
  EXPECT_TRUE(simulator->SetRequestLog(requestLog));
  port = simulator->ListenTcp("127.0.0.1", 0);

  EXPECT_EQ(net.RegisterComputer("SRV1", "127.0.0.1:" + std::to_string(port)), 0);
  EXPECT_EQ(net.RegisterMailServer("NODE", "SRV1"), 0);
  log.Clear();
}

core::PollEnvironment PollHarness::Environment() { return console->PollEnvironment(); }

PollHarness::~PollHarness() {
  net.Binding().UnbindCurrent();
  simulator->Stop();
}

void PollHarness::AddComputer(const std::string& name, const std::string& value) {
  ASSERT_EQ(net.RegisterComputer(name, value), 0);
  log.Clear();
}

void PollHarness::Logon(const std::string& user, const std::string& password) {
  core::LogonState& state = net.Logon();
  state.userName = user;
  state.password = password;
  state.logonComputer = "SRV1";
  ASSERT_EQ(net.Sessions().Logon(false), 1);
  net.Sessions().SetLogonData(Srv1(), user, password, state.accessLevel == core::access::kAdministrator, false);
  log.Clear();
}

void PollHarness::Command(std::string_view line) { ASSERT_EQ(simulator->Command(line), "ok") << line; }

core::__RpcClientDescription& PollHarness::Srv1() { return *net.FindComputer("SRV1"); }

std::vector<std::string> PollHarness::Lines() const {
  std::vector<std::string> out;
  for (const auto& line : log.Lines()) out.push_back(text::TrimRight(line, " "));
  return out;
}

std::string PollHarness::Text() const {
  std::string out;
  for (const auto& line : log.Lines()) {
    if (!out.empty()) out += '\n';
    out += text::TrimRight(line.substr(3), " ");
  }
  return out;
}

std::vector<std::string> PollHarness::Requests() const {
  std::ifstream in(requestLog);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace polltest
