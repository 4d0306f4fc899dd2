#include "HeadlessMonitor.h"

#include <signal.h>

#include <algorithm>
#include <optional>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "Credentials.h"
#include "EndOfRun.h"
#include "HeadlessAlertPort.h"
#include "HeadlessStatusLines.h"
#include "MonitorDialogPort.h"
#include "core/poll/CPollSchedule.h"
#include "ports/Clock.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"

namespace app {

namespace {

volatile sig_atomic_t gStop = 0;

void OnStopSignal(int) {
  gStop = 1;
  StopSignalArrived();
}

void InstallStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

void PrintLogLine(const std::string& line) {
  const std::string shown = !line.empty() && line[0] == core::MessageLog::kBel ? line.substr(1) : line;
  std::fprintf(stdout, "%s\n", text::Cp1251ToUtf8(shown).c_str());
  std::fflush(stdout);
}

// Headless the windows are missing; only the timers' periods are taken, so
// that the loop below runs the two timers the main window would run.
class HeadlessWindows : public core::WindowSteps {
 public:
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override {
    pollMs_ = pollMs;
    favoritesMs_ = favoritesMs;
  }
  uint32_t PollMs() const { return pollMs_; }
  uint32_t FavoritesMs() const { return favoritesMs_; }

 private:
  uint32_t pollMs_ = 0;
  uint32_t favoritesMs_ = core::CTarvikApp::kFavoritesTimerMs;
};

// Timer 666 every poll period, timer 667 every favourites period (the first
// scan at once, every group is due then), until a stop signal or the number
// of polls asked for. A timer action never starts inside another: the
// services' gate refuses it.
void RunTimers(services::ConsoleServices& console, const ports::Clock& clock, uint32_t pollMs, uint32_t favoritesMs,
               const std::optional<long>& polls) {
  core::CPollSchedule pollTimer;
  pollTimer.Start(pollMs, clock.SteadyMs());
  core::CPollSchedule favoritesTimer;
  favoritesTimer.Start(favoritesMs, clock.SteadyMs());
  bool firstScan = true;
  long done = 0;
  while (!gStop && (!polls || done < *polls)) {
    if (firstScan || favoritesTimer.Due(clock.SteadyMs())) {
      firstScan = false;
      console.OnFavoritesTimer();
      continue;
    }
    if (pollTimer.Due(clock.SteadyMs())) {
      console.OnPollTimer();
      ++done;
      continue;
    }
    const int64_t next = std::min(pollTimer.NextDueMs(), favoritesTimer.NextDueMs());
    const int64_t wait = std::clamp<int64_t>(next - clock.SteadyMs(), 1, 50);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
  }
}

}  // namespace

int RunMonitor(const Options& options, const std::string& path) {
  std::string error;
  std::optional<Credentials> given = CredentialsFromOptions(options, error);
  if (!given) {
    PrintError(error);
    return exitcode::kUsage;
  }
  Credentials credentials = std::move(*given);
  // The interrupt's pipe exists before a signal can want it.
  PrepareStopSignal();
  InstallStopSignals();

  MonitorDialogPort dialogs(std::move(credentials), options.quitOnConflict);
  ports::SystemClock clock;
  QuietProgressPort progress;
  HeadlessAlertPort alerts(options.soundPlayer.value_or(std::string()));
  HeadlessWindows windows;
  ChannelErrorLines channelErrors;

  services::ConsolePorts ports;
  ports.dialogs = &dialogs;
  ports.clock = &clock;
  ports.progress = &progress;
  ports.alerts = &alerts;
  ports.views = &channelErrors;
  ports.windows = &windows;
  services::ConsoleOptions settings;
  settings.commandLine = path;
  settings.connectTimeout = std::chrono::milliseconds(options.connectTimeoutMs.value_or(5000));
  services::ConsoleServices console(ports, std::move(settings));
  console.App().Log().SetLineSink(PrintLogLine);
  channelErrors.Attach(console.Net().Computers());

  const bool started = console.Start();
  const LogonSummary logons = SummarizeLogons(console.Net().Computers(), options.user.value_or(std::string()));
  // Nobody let this console in, and somebody said so: watching without
  // rights everywhere is not what was asked for.
  const bool refusedEverywhere = logons.accepted == 0 && !logons.refused.empty();
  if (started || refusedEverywhere) ReportLogons(logons);
  if (started && !refusedEverywhere) {
    const uint32_t pollMs = options.pollPeriodMs ? static_cast<uint32_t>(*options.pollPeriodMs) : windows.PollMs();
    RunTimers(console, clock, pollMs, windows.FavoritesMs(), options.polls);
  }
  if (gStop) {
    // The waits were given up for the stop; the shutdown's own calls go out
    // again, but not to a computer that just failed to answer.
    console.PrepareFastStop();
    ResumeCallsAfterStopSignal();
  }
  const int code = console.Stop();
  if (console.App().SaveFailed()) return EndOfRunCode(console.App(), started, code, path);
  if (refusedEverywhere) return exitcode::kLogonRefused;
  if (!started && dialogs.Conflicted() && options.quitOnConflict) {
    PrintError("another console holds the administrator rights; ended as --quit-on-conflict asks");
    return exitcode::kQuitOnConflict;
  }
  return EndOfRunCode(console.App(), started, code, path);
}

}  // namespace app
