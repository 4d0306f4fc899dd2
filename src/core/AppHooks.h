#pragma once
// The steps of start-up and shutdown that other layers carry out: windows,
// localization, logon, polling, favourite groups, the configuration editor.
// Every call has a default that does nothing and succeeds, so that the
// sequence runs headless before those layers exist.

#include <cstdint>
#include <string>
#include <vector>

namespace core {

enum class LocalizationResult {
  NotLoaded,        // no library: go on silently
  Loaded,           // its resources are used from now on
  VersionMismatch,  // loaded, but made for another version: warn, use our own
};

// One computer named by a mail server: its slot in the computer registry and
// whether that slot holds a record.
struct ComputerSlot {
  int index = -1;
  bool exists = false;
  std::string name;
};

struct MailServerEntry {
  std::string name;
  std::vector<ComputerSlot> computers;
};

enum class LogonOutcome { Continue, EndProgram };
enum class LogoffOutcome { NotUsed, Done, Failed };

class AppHooks {
 public:
  virtual ~AppHooks() = default;

  // Start-up.
  // `ownVersionThird` is the third number of the program's version.
  virtual LocalizationResult LoadLocalization(int /*ownVersionThird*/) { return LocalizationResult::NotLoaded; }
  // The hidden owner window and the message window.
  virtual bool CreateMessageWindow() { return true; }
  // The main window object, its title ("... [version]"), icons and class.
  virtual bool CreateMainWindow(const std::string& /*versionText*/) { return true; }
  // The main window itself (hidden) and the progress control of its status bar.
  virtual bool CreateMainFrame() { return true; }
  // The registered mail servers with their computers, in registry order.
  virtual std::vector<MailServerEntry> MailServers() { return {}; }
  // The logon dialog and the logon for one computer of a mail server;
  // EndProgram when the dialog was cancelled or the user chose to quit.
  virtual LogonOutcome LogonComputer(const MailServerEntry&, const ComputerSlot&) { return LogonOutcome::Continue; }
  // One poll of all computers.
  virtual void PollAll() {}
  // The window messages waiting in the queue.
  virtual void ProcessPendingEvents() {}
  // The favourite groups of [Favorites]; false when they could not be read.
  virtual bool LoadFavorites() { return true; }
  virtual void RemoveAllGroups() {}
  virtual void RefillFavoritesGrid() {}
  // The main window shows the computer identification.
  virtual void ShowComputerIdentification() {}
  // The poll timer (666) and the favourites timer (667).
  virtual void StartTimers(uint32_t /*pollMs*/, uint32_t /*favoritesMs*/) {}
  virtual void RestorePlacement() {}
  virtual void ShowTrayIcon() {}
  virtual void HideTrayIcon() {}
  virtual void FocusNavigation() {}
  // The configuration file editor, modal, on a newly written file.
  virtual void EditConfigFile(const std::string& /*path*/) {}

  // Shutdown.
  virtual LogoffOutcome Logoff(const ComputerSlot&) { return LogoffOutcome::NotUsed; }
  // Writes the favourite groups into the configuration file and saves it.
  virtual bool SaveFavorites() { return true; }
  virtual void ReleaseRegistries() {}
  // The progress control, the message window and the owner window go.
  virtual void DestroyWindows() {}
};

}  // namespace core
