#pragma once
// The start-up and shutdown steps that belong to the services under the
// windows: the mail servers and the logon of their computers, the polls, the
// favourite groups, the logoff and the registries. The console's services
// object implements them; the window steps are in WindowSteps.

#include <string>
#include <vector>

namespace core {

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

class ServiceSteps {
 public:
  virtual ~ServiceSteps() = default;

  // Start-up.
  // The registered mail servers with their computers, in registry order.
  virtual std::vector<MailServerEntry> MailServers() { return {}; }
  // The logon dialog and the logon for one computer of a mail server;
  // EndProgram when the dialog was cancelled or the user chose to quit.
  virtual LogonOutcome LogonComputer(const MailServerEntry&, const ComputerSlot&) { return LogonOutcome::Continue; }
  // One poll of all computers.
  virtual void PollAll() {}
  // The favourite groups of [Favorites]; false when they could not be read.
  virtual bool LoadFavorites() { return true; }
  virtual void RemoveAllGroups() {}

  // Shutdown.
  virtual LogoffOutcome Logoff(const ComputerSlot&) { return LogoffOutcome::NotUsed; }
  // Writes the favourite groups into the configuration file and saves it;
  // false with `reason` when the file could not be written.
  virtual bool SaveFavorites(std::string& /*reason*/) { return true; }
  virtual void ReleaseRegistries() {}
};

}  // namespace core
