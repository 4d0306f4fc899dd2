#include "HeadlessMonitor.h"

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "Credentials.h"
#include "HeadlessAlertPort.h"
#include "MonitorDialogPort.h"
#include "core/CTarvikApp.h"
#include "core/net/NetworkAppHooks.h"
#include "core/net/NetworkServices.h"
#include "core/poll/CPollSchedule.h"
#include "core/poll/CStatePoller.h"
#include "core/poll/CTaskLists.h"
#include "core/poll/PollingAppHooks.h"
#include "model/favorites/FavoriteGroups.h"
#include "model/favorites/FavoritesAppHooks.h"
#include "model/favorites/HostFavoritesServers.h"
#include "model/host/HostServices.h"
#include "ports/Clock.h"
#include "text/Cp1251.h"

namespace app {

namespace {

volatile sig_atomic_t gStop = 0;

// Timer 667: the favourite groups are scanned every 10 s.
constexpr uint32_t kFavoritesPeriodMs = 10000;

void OnStopSignal(int) { gStop = 1; }

void InstallStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

void Error(const std::string& message) {
  std::fprintf(stderr, "vtconsole: %s\n", message.c_str());
  std::fflush(stderr);
}

void PrintLogLine(const std::string& line) {
  const std::string shown = !line.empty() && line[0] == core::MessageLog::kBel ? line.substr(1) : line;
  std::fprintf(stdout, "%s\n", text::Cp1251ToUtf8(shown).c_str());
  std::fflush(stdout);
}

// The logon of each computer as the network layer does it, judged for the
// terminal: a refused logon ends the start-up, an unreachable computer is
// named and the start-up goes on. After a logon the computer's task list is
// read, as the main window's task grid would be filled.
class MonitorHooks : public core::NetworkAppHooks {
 public:
  MonitorHooks(core::NetworkServices& net, AppHooks* next) : NetworkAppHooks(net, next), net_(net) {}

  void SetPoller(core::CStatePoller* poller) { poller_ = poller; }

  core::LogonOutcome LogonComputer(const core::MailServerEntry& server, const core::ComputerSlot& slot) override {
    const core::LogonOutcome outcome = NetworkAppHooks::LogonComputer(server, slot);
    if (outcome == core::LogonOutcome::EndProgram) return outcome;
    const core::LogonState& state = net_.Logon();
    const std::string name = text::Cp1251ToUtf8(slot.name);
    if (state.accessLevel == core::access::kUnset) {
      Error("computer \"" + name + "\" cannot be reached; it is polled on");
      return outcome;
    }
    if (state.accessLevel < core::access::kUser || state.accessLevel > core::access::kNoConnection) {
      Error("computer \"" + name + "\" refused the logon of \"" + text::Cp1251ToUtf8(state.userName) + "\"");
      refused_ = true;
      return core::LogonOutcome::EndProgram;
    }
    core::__RpcClientDescription* computer = net_.Computers().At(slot.index);
    if (poller_ && computer && !computer->connectionNotUsed) poller_->RefreshTasks(*computer);
    return outcome;
  }

  bool Refused() const { return refused_; }

 private:
  core::NetworkServices& net_;
  core::CStatePoller* poller_ = nullptr;
  bool refused_ = false;
};

}  // namespace

int RunMonitor(const Options& options, const std::string& path) {
  Credentials credentials;
  if (options.passwordFile) {
    std::string error;
    auto read = ReadPasswordFile(*options.passwordFile, error);
    if (!read) {
      Error(error);
      return exitcode::kUsage;
    }
    credentials = std::move(*read);
  }
  if (options.user) credentials.user = text::Utf8ToCp1251(*options.user);
  credentials.noConnection = options.noConnection;
  InstallStopSignals();

  MonitorDialogPort dialogs(std::move(credentials), options.quitOnConflict);
  ports::SystemClock clock;
  QuietProgressPort progress;
  HeadlessAlertPort alerts(options.soundPlayer.value_or(std::string()));
  const std::chrono::milliseconds connectTimeout(options.connectTimeoutMs.value_or(5000));
  core::NetworkServices net;
  net.SetTimeouts(connectTimeout, std::chrono::milliseconds(60000));
  core::CTaskLists tasks(net.Computers(), net.MailServers());
  net.SetTaskCarrierLookup(&tasks);

  // The hooks go to the application object; the poller and the favourite
  // groups need that object's message list and settings, so they join the
  // hooks afterwards.
  core::PollingAppHooks pollHooks(nullptr);
  core::CTarvikApp* app = nullptr;
  model::FavoritesAppHooks favoriteHooks([&app] { return app ? app->SettingsFile() : nullptr; }, &pollHooks);
  MonitorHooks hooks(net, &favoriteHooks);
  core::AppEnvironment env;
  env.dialogs = &dialogs;
  env.clock = &clock;
  env.progress = &progress;
  env.hooks = &hooks;
  env.registries = &net;
  env.commandLine = path;
  core::CTarvikApp application(std::move(env));
  app = &application;
  application.Log().SetLineSink(PrintLogLine);
  net.Attach(application, dialogs, nullptr);

  core::PollEnvironment pollEnv;
  pollEnv.net = &net;
  pollEnv.tasks = &tasks;
  pollEnv.log = &application.Log();
  pollEnv.settings = &application.Settings();
  pollEnv.clock = &clock;
  pollEnv.dialogs = &dialogs;
  pollEnv.alerts = &alerts;
  model::FavoriteGroups* favoritesScan = nullptr;
  pollEnv.longOperation = [&application, &favoritesScan] {
    return application.Busy().Counter() != 0 || (favoritesScan && favoritesScan->ScanRunning());
  };
  core::CStatePoller poller(pollEnv);
  poller.SetConnectProbe(true, connectTimeout);
  pollHooks.SetPoller(&poller);
  hooks.SetPoller(&poller);

  // The favourite groups: their entries are built and fetched through the
  // registries, without boxes; their messages go to the message list.
  model::HostServices hostServices(net, [&application](const std::string& text, int code) {
    application.AddLogMessage(text, 0, code);
  });
  model::HostFavoritesServers favoriteServers(net, hostServices);
  model::FavoritesEnvironment favoritesEnv;
  favoritesEnv.servers = &favoriteServers;
  favoritesEnv.clock = &clock;
  favoritesEnv.alerts = &alerts;
  favoritesEnv.messages = &application.Log();
  favoritesEnv.settings = &application.Settings();
  // Never inside a poll, nor while a poll's box is open.
  favoritesEnv.otherOperationRunning = [&application, &poller] {
    return application.Busy().Counter() != 0 || poller.Polling() || poller.SystemErrorsBoxOpen();
  };
  model::FavoriteGroups favorites(std::move(favoritesEnv));
  favoritesScan = &favorites;
  favoriteHooks.SetGroups(&favorites);

  const bool started = application.InitInstance();
  if (started) {
    // Timer 666: every period from the end of the start-up, until a stop
    // signal or the number of polls asked for. Timer 667: the favourite
    // groups, the first scan at once (every group is due then).
    core::CPollSchedule timer;
    timer.Start(options.pollPeriodMs ? static_cast<uint32_t>(*options.pollPeriodMs) : pollHooks.PollPeriodMs(),
                clock.SteadyMs());
    core::CPollSchedule favoritesTimer;
    favoritesTimer.Start(kFavoritesPeriodMs, clock.SteadyMs());
    bool firstScan = true;
    long done = 0;
    while (!gStop && (!options.polls || done < *options.polls)) {
      if (firstScan || favoritesTimer.Due(clock.SteadyMs())) {
        firstScan = false;
        favorites.ScanFavorites();
        continue;
      }
      if (timer.Due(clock.SteadyMs())) {
        poller.PollAll();
        ++done;
        continue;
      }
      const int64_t next = std::min(timer.NextDueMs(), favoritesTimer.NextDueMs());
      const int64_t wait = std::clamp<int64_t>(next - clock.SteadyMs(), 1, 50);
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
  }
  const int code = application.ExitInstance();
  if (!started) {
    if (hooks.Refused()) return exitcode::kLogonRefused;
    if (dialogs.Conflicted() && options.quitOnConflict) {
      Error("another console holds the administrator rights; ended as --quit-on-conflict asks");
      return exitcode::kQuitOnConflict;
    }
    Error("start-up failed with the configuration file \"" + path + "\"");
    return exitcode::kStartupFailed;
  }
  return code;
}

}  // namespace app
