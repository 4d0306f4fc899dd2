#pragma once
// A desktop console on a node simulator: the simulator serves the demo node
// on 127.0.0.2 (over TCP: 127.0.0.1 counts as this machine), a configuration
// file in a fresh folder names it, and the console is started with the
// logon answered from the options unless the test shows the dialog itself.

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/lib/NodeSimulator.h"
#include "support/ModalAnswer.h"
#include "ui/desktop/DesktopConsole.h"

namespace uitest {

struct DesktopSetup {
  // [COMMON] lines and extra [Remote interfaces]/[Hosts] lines (UTF-8).
  std::string common = "PERIOD_VERIFY=3600\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n";
  std::vector<std::string> extraComputers;  // "NAME=address:port"
  std::string hosts = "NODE=SRV1";
  std::string favorites;  // [Favorites] lines
  // Sections added to the demo node (fixture text, UTF-8).
  std::string extraFixture;
  // Unset: the logon dialog is shown (the test answers it).
  std::optional<std::string> user = std::string("ADMIN");
  std::string password = "admin";
  std::chrono::milliseconds connectTimeout{2000};
  // Long enough for a loaded sanitizer run: no test waits for a call to time out.
  std::chrono::milliseconds callTimeout{20000};
  bool startNow = true;
};

class DesktopHarness {
 public:
  explicit DesktopHarness(DesktopSetup setup = {});
  ~DesktopHarness();

  // Waits until the start-up has ended (true when it went through).
  bool WaitStarted();
  // Waits until the worker is idle again.
  void WaitIdle();

  ui::DesktopConsole& Console() { return *console_; }
  sim::NodeSimulator& Simulator() { return *simulator_; }
  const std::string& ConfigPath() const { return configPath_; }
  const std::string& Folder() const { return folder_; }
  uint16_t Port() const { return port_; }
  // The simulator's request log, one request a line.
  std::vector<std::string> Requests() const;
  std::string ConfigBytes() const;

 private:
  std::string folder_;
  std::string configPath_;
  std::string requestLog_;
  std::unique_ptr<sim::NodeSimulator> simulator_;
  uint16_t port_ = 0;
  std::unique_ptr<ui::DesktopConsole> console_;
  testsupport::UnansweredModalGuard modalGuard_;
};

// Lets queued work reach the worker and its answers reach the windows.
void Settle(DesktopHarness& harness);
// Request log lines of exactly that operation (QMX_DirGetAt is not QMX_DirGetAttrs).
size_t CountRequests(const std::vector<std::string>& lines, const std::string& operation);

// A file name in a fresh folder of this test process.
std::string TempFolder();
std::string ReadFile(const std::string& path);

}  // namespace uitest
