#pragma once
// The desktop program: the services object, the one worker that runs their
// call sequences, the Qt ports, the main window, the message window and the
// tray icon, wired together. Start-up, every poll, scan and task command and
// the shutdown run on the worker; the window thread only draws and asks.
//
// Design notes (threads):
// - ui::ServiceRunner owns the worker. Only the window thread queues jobs,
//   so it knows when the worker is idle; it reads the services only then and
//   otherwise draws from the last snapshot (services::ConsoleSnapshot).
// - The ports hop to the window thread for the user's answer; the window
//   thread never blocks on the worker, it waits in local event loops.
// - The operation gate still orders the sequences inside the worker. A timer
//   tick that finds the worker busy is not lost: its job waits (at most one
//   poll and one favourites scan) and runs right after the job under way; a
//   tick that finds its own job still waiting or running adds nothing. A user
//   action waits behind a timer's job and is refused while another user
//   action runs.
// - Exit interrupts the calls under way (they fail at once as cancelled),
//   queues the shutdown behind them and returns: no nested wait, so a stop
//   that arrives while a box's own event loop runs still ends the program.
//   The shutdown's logoffs skip computers without a channel and wait at most
//   the connect timeout for an answer; the favourites are saved.
// - A stop signal answers every open box and dialog with its cancel, and
//   every later one unseen, then exits as above.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/WindowSteps.h"
#include "ports/Clock.h"
#include "services/ConsoleServices.h"
#include "services/ConsoleSnapshot.h"
#include "services/NavigationRows.h"
#include "services/PropertyRows.h"

namespace core {
class CPopupWindowState;
}

namespace ui {

class CMainFrame;
class DirectionsController;
class RoutingController;
class FavoritesController;
class CMessageWindow;
class CTrayIcon;
class QtAlertPort;
class QtDialogPort;
class QtProgressPort;
class EntryController;
class MonitorController;
class QtViewNotifier;
class ServiceRunner;

struct DesktopOptions {
  // The command line after the program's name: the configuration file.
  std::string commandLine;
  std::string programPath;
  // Answers for the logon dialogs (unattended starts): user name and the
  // password per computer; unset: the dialog is shown.
  std::optional<std::string> user;
  std::function<std::optional<std::string>(const std::string& computer)> password;
  bool noConnection = false;
  std::chrono::milliseconds connectTimeout{5000};
  std::chrono::milliseconds callTimeout{60000};
  bool installCrashHandlers = true;
  // Tests: a fixed identity and no computer counted as this machine.
  std::function<std::string()> machineIdentity;
  std::function<bool(const std::string&)> localTest;
  // Not empty: after start-up write screenshots there and end.
  std::string screenshotsDir;
};

class DesktopConsole : public QObject, private core::WindowSteps {
  Q_OBJECT

 public:
  explicit DesktopConsole(DesktopOptions options, QObject* parent = nullptr);
  ~DesktopConsole() override;

  // Queues the start-up on the worker and returns.
  void Start();
  // Start() and the event loop until the console has ended; the exit code.
  int Run();

  // The exit command: asks when `ask`, then shuts down.
  void RequestExit(bool ask = true);
  // A stop signal (SIGTERM, SIGINT): nobody is there to answer, so every box
  // and dialog open now gets its cancel answer, unseen, and so does every
  // later one; then the exit runs without asking.
  void StopFromSignal();
  bool StoppedBySignal() const { return stoppedBySignal_; }
  // True once the start-up went through and until the shutdown begins.
  // Both may be read from the worker: a long sequence gives up once the
  // shutdown has begun rather than showing a box nobody waits for.
  bool Running() const { return running_ && !stopping_; }
  bool Finished() const { return finished_; }
  // True once the start-up went through (it stays true after the exit).
  bool StartedOk() const { return startedOk_; }
  int ExitCode() const { return exitCode_; }

  // A command of the navigation tree (a task, computer or server row).
  void RunTreeCommand(const services::NavRow& row, int command);
  // Timer 666 and timer 667: a tick while the worker is busy waits for it
  // (one of each at most). A favourites tick while a menu of the main window
  // is open waits until the menu has closed.
  void PollTick();
  void FavoritesTick();
  // Re-reads the snapshot when the worker is idle and redraws the windows.
  void RefreshWindows();

  services::ConsoleServices& Services() { return *services_; }
  ServiceRunner& Runner() { return *runner_; }
  CMainFrame* MainFrame() const;
  CMessageWindow* MessageWindow() const { return messageWindow_.get(); }
  CTrayIcon* Tray() const { return tray_.get(); }
  QtDialogPort& Dialogs() { return *dialogs_; }
  // The progress window that long window jobs (loads, applies) report to.
  ports::ProgressPort& Progress();
  QTimer& PollTimer() { return pollTimer_; }
  QTimer& FavoritesTimer() { return favoritesTimer_; }
  FavoritesController& Favorites() { return *favorites_; }
  DirectionsController& Directions() { return *directions_; }
  RoutingController& Routing() { return *routing_; }
  EntryController& Entries() { return *entries_; }
  MonitorController& Monitor() { return *monitor_; }

 signals:
  void started(bool ok);
  void finished(int exitCode);
  // The windows were redrawn from a new snapshot.
  void refreshed();

 private:
  // Window steps of the start-up and shutdown; called on the worker.
  bool CreateMessageWindow() override;
  bool CreateMainWindow(const std::string& versionText) override;
  bool CreateMainFrame() override;
  void RefillFavoritesGrid() override;
  void ShowComputerIdentification() override;
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override;
  void RestorePlacement() override;
  void ShowTrayIcon() override;
  void HideTrayIcon() override;
  void FocusNavigation() override;
  void EditConfigFile(const std::string& path) override;
  void DestroyWindows() override;

  void OnCommand(int id);
  // The settings dialog (32792); OK writes [COMMON] on the worker.
  void OpenSettings();
  void OnRowSelected(const services::NavRow& row);
  void OnOpenRequested(services::OpenTarget target, const std::string& mailServer, const std::string& computer);
  void OnLogChanged();
  void Shutdown();
  // The worker is idle after an exit: the services' shutdown goes out.
  void StopServices();
  void Finish(int exitCode);
  void PostPoll();
  void PostFavoritesScan();
  void WriteScreenshotsAndEnd();

  DesktopOptions options_;
  ports::SystemClock clock_;
  std::unique_ptr<QtDialogPort> dialogs_;
  std::unique_ptr<QtAlertPort> alerts_;
  std::unique_ptr<QtProgressPort> progress_;
  std::unique_ptr<QtViewNotifier> notifier_;
  // Before the services, which tell it of members views to close.
  std::unique_ptr<FavoritesController> favorites_;
  std::unique_ptr<DirectionsController> directions_;
  std::unique_ptr<RoutingController> routing_;
  std::unique_ptr<EntryController> entries_;
  std::unique_ptr<MonitorController> monitor_;
  std::unique_ptr<services::ConsoleServices> services_;
  std::unique_ptr<ServiceRunner> runner_;
  QPointer<CMainFrame> main_;
  std::unique_ptr<core::CPopupWindowState> popupState_;
  std::unique_ptr<CMessageWindow> messageWindow_;
  std::unique_ptr<CTrayIcon> tray_;
  QTimer pollTimer_;
  QTimer favoritesTimer_;
  std::set<std::string> hostDescriptionsAsked_;
  // Window thread: a timer's job is queued or running; a favourites tick
  // came while a menu was open.
  bool pollPending_ = false;
  bool favoritesPending_ = false;
  bool favoritesOwed_ = false;
  QTimer favoritesRetry_;
  // After a stop signal: answers every modal window that still appears.
  bool stoppedBySignal_ = false;
  QTimer modalSweep_;
  std::atomic<bool> running_ = false;
  std::atomic<bool> stopping_ = false;
  bool finished_ = false;
  bool startedOk_ = false;
  int exitCode_ = 0;
};

}  // namespace ui
