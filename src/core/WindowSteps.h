#pragma once
// The start-up and shutdown steps that belong to the windows: localization,
// the owner and message windows, the main window, the favourites grid, the
// timers, placement, the tray icon, the configuration editor. The desktop
// program implements them; headless every step does nothing and succeeds.
// The steps that belong to the services are in ServiceSteps: each step has
// one owner, so none can be swallowed by another layer.

#include <cstdint>
#include <string>

namespace core {

enum class LocalizationResult {
  NotLoaded,        // no library: go on silently
  Loaded,           // its resources are used from now on
  VersionMismatch,  // loaded, but made for another version: warn, use our own
};

class WindowSteps {
 public:
  virtual ~WindowSteps() = default;

  // Start-up.
  // `ownVersionThird` is the third number of the program's version.
  virtual LocalizationResult LoadLocalization(int /*ownVersionThird*/) { return LocalizationResult::NotLoaded; }
  // The hidden owner window and the message window.
  virtual bool CreateMessageWindow() { return true; }
  // The main window object, its title ("... [version]"), icons and class.
  virtual bool CreateMainWindow(const std::string& /*versionText*/) { return true; }
  // The main window itself (hidden) and the progress control of its status bar.
  virtual bool CreateMainFrame() { return true; }
  // The window messages waiting in the queue.
  virtual void ProcessPendingEvents() {}
  virtual void RefillFavoritesGrid() {}
  // The main window shows the computer identification.
  virtual void ShowComputerIdentification() {}
  // The poll timer (666) and the favourites timer (667): whoever runs the
  // timers takes their periods from here.
  virtual void StartTimers(uint32_t /*pollMs*/, uint32_t /*favoritesMs*/) {}
  virtual void RestorePlacement() {}
  virtual void ShowTrayIcon() {}
  virtual void HideTrayIcon() {}
  virtual void FocusNavigation() {}
  // The configuration file editor, modal, on a newly written file.
  virtual void EditConfigFile(const std::string& /*path*/) {}

  // Shutdown: the progress control, the message window and the owner window go.
  virtual void DestroyWindows() {}
};

}  // namespace core
