#include "support/DesktopHarness.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "core/DefaultConfigText.h"
#include "sim/lib/DemoFixture.h"
#include "sim/lib/FixtureLoader.h"
#include "text/Cp1251.h"
#include "ui/runtime/ServiceRunner.h"

namespace uitest {

std::string TempFolder() {
  std::string pattern = "/tmp/vt-ui-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

namespace {

void InsertAfter(std::string& text, const std::string& header, const std::string& lines) {
  const size_t at = text.find(header);
  if (at != std::string::npos) text.insert(at + header.size(), lines);
}

// Takes out the default file's own values of the keys the test sets.
void DropKey(std::string& text, const std::string& key) {
  const size_t at = text.find("\r\n" + key + "=");
  if (at == std::string::npos) return;
  const size_t end = text.find("\r\n", at + 2);
  text.erase(at, end - at);
}

}  // namespace

DesktopHarness::DesktopHarness(DesktopSetup setup) {
  QStandardPaths::setTestModeEnabled(true);
  folder_ = TempFolder();
  requestLog_ = folder_ + "/requests.log";
  simulator_ = std::make_unique<sim::NodeSimulator>(
      sim::LoadFixtureText(std::string(sim::DemoFixtureText()) + "\n" + text::Cp(setup.extraFixture), "demo",
                           std::time(nullptr)));
  simulator_->SetRequestLog(requestLog_);
  port_ = simulator_->ListenTcp("127.0.0.2", 0);

  std::string text = core::DefaultConfigText();
  for (const char* key : {"PERIOD_VERIFY", "SPLASH_WINDOW_DISABLE"}) DropKey(text, key);
  InsertAfter(text, "[COMMON]\r\n", text::Cp(setup.common));
  std::string computers = "SRV1=127.0.0.2:" + std::to_string(port_) + "\r\n";
  for (const auto& line : setup.extraComputers) computers += text::Cp(line) + "\r\n";
  InsertAfter(text, "[Remote interfaces]\r\n", computers);
  if (!setup.hosts.empty()) InsertAfter(text, "[Hosts]\r\n", text::Cp(setup.hosts) + "\r\n");
  if (!setup.favorites.empty()) InsertAfter(text, "[Favorites]\r\n", text::Cp(setup.favorites));
  configPath_ = folder_ + "/__RemoteHost.Cfg";
  std::ofstream(configPath_, std::ios::binary) << text;

  ui::DesktopOptions options;
  options.commandLine = configPath_;
  options.connectTimeout = setup.connectTimeout;
  options.callTimeout = setup.callTimeout;
  options.installCrashHandlers = false;
  options.machineIdentity = [] { return std::string("WinComputerName=TESTBOX;FQDN=testbox.example;IP=10.0.0.9"); };
  options.localTest = [](const std::string&) { return false; };
  if (setup.user) {
    options.user = setup.user;
    const std::string password = setup.password;
    options.password = [password](const std::string&) -> std::optional<std::string> { return password; };
  }
  console_ = std::make_unique<ui::DesktopConsole>(std::move(options));
  if (setup.startNow) console_->Start();
}

DesktopHarness::~DesktopHarness() {
  if (console_ && console_->Running()) {
    console_->RequestExit(false);
    QTRY_VERIFY_WITH_TIMEOUT(console_->Finished(), 30000);
  }
  console_.reset();
  simulator_->Stop();
}

bool DesktopHarness::WaitStarted() {
  for (int i = 0; i < 3000 && !console_->Running() && !console_->Finished(); ++i) QTest::qWait(10);
  return console_->Running();
}

void DesktopHarness::WaitIdle() { console_->Runner().WaitIdle(); }

std::vector<std::string> DesktopHarness::Requests() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(requestLog_));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string DesktopHarness::ConfigBytes() const { return ReadFile(configPath_); }

void Settle(DesktopHarness& harness) {
  // A pass of the event loop may post a job (a queued call, a zero timer)
  // and a job's end may post the next one. Settled is two passes in a row
  // that leave the runner idle: counted in passes, since a loaded machine
  // stretches each pass beyond any fixed time.
  // The bound only stops a runner that never rests from holding the test.
  for (int quiet = 0, passes = 0; quiet < 2 && passes < 500; ++passes) {
    QTest::qWait(20);
    if (harness.Console().Runner().Idle()) {
      ++quiet;
    } else {
      harness.WaitIdle();
      quiet = 0;
    }
  }
}

size_t CountRequests(const std::vector<std::string>& lines, const std::string& operation) {
  size_t n = 0;
  for (const auto& line : lines) {
    const size_t at = line.find(operation);
    if (at == std::string::npos) continue;
    const size_t end = at + operation.size();
    n += end == line.size() || !std::isalnum(static_cast<unsigned char>(line[end]));
  }
  return n;
}

}  // namespace uitest
