#pragma once
// The console's application object: the ordered start-up and shutdown, the
// program settings, the message list and the busy indicator. It shows nothing
// itself; it asks through the ports and leaves the steps of other layers to
// the hooks.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/ServiceSteps.h"
#include "core/WindowSteps.h"
#include "core/BusyIndicator.h"
#include "core/MessageImage.h"
#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "core/RegistrySink.h"
#include "core/SettingsLoader.h"

namespace ports {
class Clock;
class DialogPort;
class ProgressPort;
}  // namespace ports

namespace core {

// The tray icon: its id, its callback message and its tip (UTF-8 here; the
// window layer shows it as it is).
inline constexpr int kTrayIconId = 312;
inline constexpr int kTrayCallbackMessage = 1713;
inline constexpr const char* kTrayTipUtf8 = "Конфигурация Veltrane32";

// What the application object is given.
struct AppEnvironment {
  ports::DialogPort* dialogs = nullptr;  // required
  const ports::Clock* clock = nullptr;   // required
  // The status bar's progress control; it counts as created with the main window.
  ports::ProgressPort* progress = nullptr;
  WindowSteps* windows = nullptr;       // null: every window step does nothing (headless)
  ServiceSteps* services = nullptr;     // null: every service step does nothing
  RegistrySink* registries = nullptr;   // null: entries are accepted and forgotten
  // The command line after the program's name; `programPath` is removed when
  // the line begins with it.
  std::string commandLine;
  std::string programPath;
  // The machine identity; null: computed from the system.
  std::function<std::string()> machineIdentity;
  bool installCrashHandlers = true;
  size_t logLineLimit = MessageLog::LineLimit(MessageLog::kDefaultDesktopHeight);
};

class CTarvikApp {
 public:
  // Timer 667: the favourite groups are scanned every 10 s.
  static constexpr uint32_t kFavoritesTimerMs = 10000;

  explicit CTarvikApp(AppEnvironment environment);
  ~CTarvikApp();
  CTarvikApp(const CTarvikApp&) = delete;
  CTarvikApp& operator=(const CTarvikApp&) = delete;

  // The start-up sequence; false ends the program.
  bool InitInstance();
  // The shutdown sequence; the exit code.
  int ExitInstance();
  // The last shutdown could not save the configuration file; why, in words.
  bool SaveFailed() const { return !saveError_.empty(); }
  const std::string& SaveError() const { return saveError_; }

  // Appends a message to the message list (lifetime in ms, 0 during start-up).
  void AddLogMessage(std::string_view text, uint32_t lifetimeMs, int image);
  // Shows the message window with the whole list.
  void ShowLog(uint32_t lifetimeMs);

  // Creates the settings file object on `path` and reads the registries and
  // [COMMON]; 0 or one of the load:: codes.
  int LoadSettings(const std::string& path);
  // Asks until `path` names an existing file: create it from the default text
  // or choose another. False when the user gave up.
  bool ChooseConfigFile(std::string& path);

  // The SPLASH_WINDOW_DISABLE setting, changed at run time (the main window's
  // toggle): the record and the message list follow together.
  void SetSplashDisabled(bool disabled);
  // The main window's toggle: the setting as above, written back to [COMMON]
  // as "TRUE" or "FALSE" and the file saved. False with the reason (CP1251)
  // when the file could not be saved; the setting holds for this run anyway.
  bool WriteSplashDisabled(bool disabled, std::string& reason);

  void AddTrayIcon();
  void RemoveTrayIcon();
  bool TrayIconShown() const { return trayShown_; }

  // Busy indicator of long operations.
  void SetBusy(bool busy) { busy_.SetBusy(busy); }
  bool IsBusy() const { return busy_.IsBusy(); }
  bool ShowProgress() { return busy_.ShowProgress(); }
  bool HideProgress() { return busy_.HideProgress(); }
  BusyIndicator& Busy() { return busy_; }

  ProgramSettings& Settings() { return settings_; }
  const ProgramSettings& Settings() const { return settings_; }
  C_CFG_File* SettingsFile() const { return file_.get(); }
  MessageLog& Log() { return log_; }
  const MessageLog& Log() const { return log_; }
  bool FavoritesLoaded() const { return favoritesLoaded_; }
  const std::string& ConfigPath() const { return configPath_; }
  bool MainWindowCreated() const { return mainWindow_; }

  // The four numbers of an "a.b.c.d" version (missing ones 0).
  static std::array<int, 4> ParseVersion(std::string_view version);

 private:
  void LogOk();
  std::string TimeText() const;
  bool LogonToMailServers();
  void LogoffMailServers();

  AppEnvironment env_;
  WindowSteps noWindows_;
  ServiceSteps noServices_;
  NullRegistrySink defaultRegistries_;
  WindowSteps& windows_;
  ServiceSteps& services_;
  RegistrySink& registries_;
  MessageLog log_;
  BusyIndicator busy_;
  ProgramSettings settings_;
  std::unique_ptr<C_CFG_File> file_;
  std::string configPath_;
  bool messageWindow_ = false;
  bool mainWindow_ = false;
  bool trayShown_ = false;
  bool favoritesLoaded_ = false;
  std::string saveError_;
};

}  // namespace core
