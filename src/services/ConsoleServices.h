#pragma once
// The console's services, built and owned in their one right order: the
// application object with its settings and message list, the registries,
// binding and logon, the task lists, the poller, the host services, the
// favourite groups, and the operation gate every sequence of calls takes.
// The headless program, the desktop program, the test harnesses and the
// benchmarks start from it; none wires the core by hand.
//
//   services::ConsoleServices console(ports, options);
//   if (console.Start()) {             // the timers' periods reach the windows'
//     ...                              // StartTimers; run them:
//     console.OnPollTimer();           // timer 666
//     console.OnFavoritesTimer();      // timer 667
//   }
//   return console.Stop();

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "core/CTarvikApp.h"
#include "core/OperationGate.h"
#include "core/ServiceSteps.h"
#include "core/WindowSteps.h"
#include "core/net/NetworkServices.h"
#include "core/poll/CStatePoller.h"
#include "core/poll/CTaskLists.h"
#include "model/favorites/FavoriteGroups.h"
#include "model/favorites/HostFavoritesServers.h"
#include "model/host/HostServices.h"

namespace ports {
class AlertPort;
class Clock;
class DialogPort;
class ProgressPort;
class ViewNotifier;
}  // namespace ports

namespace services {

// What the front end gives: its ports and its window steps.
struct ConsolePorts {
  ports::DialogPort* dialogs = nullptr;   // required
  const ports::Clock* clock = nullptr;    // required
  ports::ProgressPort* progress = nullptr;
  ports::AlertPort* alerts = nullptr;     // null: no sound, no program
  ports::ViewNotifier* views = nullptr;   // null: nobody is told
  core::WindowSteps* windows = nullptr;   // null: headless, every window step does nothing
  model::FavoritesViews* favoritesViews = nullptr;  // null: no members view is ever open
};

struct ConsoleOptions {
  // The command line after the program's name (the configuration file).
  std::string commandLine;
  std::string programPath;
  std::chrono::milliseconds connectTimeout{5000};
  std::chrono::milliseconds callTimeout{60000};
  // Dial every TCP computer at once before a poll (see CStatePoller).
  bool connectProbe = true;
  // Null: computed from the system.
  std::function<std::string()> machineIdentity;
  // Null: the system's own test whether an address names this machine.
  std::function<bool(const std::string&)> localTest;
  bool installCrashHandlers = true;
  size_t logLineLimit = core::MessageLog::LineLimit(core::MessageLog::kDefaultDesktopHeight);
};

class ConsoleServices : private core::ServiceSteps {
 public:
  ConsoleServices(const ConsolePorts& ports, ConsoleOptions options);
  ~ConsoleServices() override;
  ConsoleServices(const ConsoleServices&) = delete;
  ConsoleServices& operator=(const ConsoleServices&) = delete;

  // The start-up sequence; false ends the program.
  bool Start();
  // The shutdown sequence; the exit code of the application object.
  int Stop();
  // Before the shutdown of an exit or a stop signal: the logoffs do not dial
  // again a computer whose last call found no channel, and wait at most the
  // connect timeout for an answer (a computer that went silent since its
  // last poll must not hold the exit for the whole call limit).
  void PrepareFastStop();
  // True while some computer holds a session the console opened.
  bool AnySessionOpen() const;

  // Timer 666: one poll of all computers, unless another sequence runs.
  void OnPollTimer();
  // Timer 667: the due favourite groups, unless another sequence runs.
  void OnFavoritesTimer();

  // A data scan is under way: a favourites scan, or a data window reading
  // its node (it says so with SetDataScan). Windows do not open then, and
  // task commands are refused.
  bool ScanRunning() const { return dataScans_ > 0 || favorites_.ScanRunning(); }
  void SetDataScan(bool on) { dataScans_ += on ? 1 : -1; }

  core::CTarvikApp& App() { return app_; }
  core::NetworkServices& Net() { return net_; }
  core::CTaskLists& Tasks() { return tasks_; }
  core::CStatePoller& Poller() { return poller_; }
  model::HostServices& Hosts() { return hosts_; }
  model::FavoriteGroups& Favorites() { return favorites_; }
  core::OperationGate& Gate() { return gate_; }
  // The poller's environment as built here (tests build variants from it).
  core::PollEnvironment PollEnvironment();

 private:
  // The service steps of start-up and shutdown; each has this one owner.
  std::vector<core::MailServerEntry> MailServers() override;
  core::LogonOutcome LogonComputer(const core::MailServerEntry& server, const core::ComputerSlot& slot) override;
  void PollAll() override;
  bool LoadFavorites() override;
  void RemoveAllGroups() override;
  core::LogoffOutcome Logoff(const core::ComputerSlot& slot) override;
  bool SaveFavorites(std::string& reason) override;
  void ReleaseRegistries() override;

  core::AppEnvironment AppEnvironment();
  model::FavoritesEnvironment FavoritesEnvironment();

  ConsolePorts ports_;
  ConsoleOptions options_;
  core::OperationGate gate_;
  core::NetworkServices net_;
  core::CTaskLists tasks_;
  core::CTarvikApp app_;
  core::CStatePoller poller_;
  model::HostServices hosts_;
  model::HostFavoritesServers favoriteServers_;
  model::FavoriteGroups favorites_;
  int dataScans_ = 0;
};

}  // namespace services
