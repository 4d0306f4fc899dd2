#pragma once
// The registries of computers and mail servers, the process binding, the
// logon state and the session operations, owned together. The application
// object gets them as its RegistrySink and, through NetworkAppHooks, as the
// logon, logoff and registry steps of its start-up and shutdown.
//
// The console's services object builds it; its start-up and shutdown steps
// call MailServerEntries, LogonAtStartup and LogoffAtShutdown.

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "core/RegistrySink.h"
#include "core/ServiceSteps.h"
#include "core/net/ComputerRegistry.h"
#include "core/net/LogonState.h"
#include "core/net/MailServerRegistry.h"
#include "core/net/ProcessBinding.h"
#include "core/net/SessionService.h"
#include "core/net/TaskCarrierLookup.h"

namespace ports {
class DialogPort;
class ViewNotifier;
struct LogonAnswer;
}  // namespace ports

namespace core {

class CTarvikApp;

class NetworkServices : public RegistrySink {
 public:
  NetworkServices();
  ~NetworkServices() override;
  NetworkServices(const NetworkServices&) = delete;
  NetworkServices& operator=(const NetworkServices&) = delete;

  // Logs to the application's message list (lifetime 0) and asks through its
  // dialogs; `notifier` may be null.
  void Attach(CTarvikApp& app, ports::DialogPort& dialogs, ports::ViewNotifier* notifier);
  // The same pieces one by one (tests).
  void SetLog(NetLogFn log);
  void SetDialogs(ports::DialogPort* dialogs);
  void SetNotifier(ports::ViewNotifier* notifier);
  void SetIdentity(std::function<std::string()> identity);
  void SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds call);
  // Who answers FindTaskComputer; null: nobody (always empty).
  void SetTaskCarrierLookup(TaskCarrierLookup* lookup) { taskLookup_ = lookup; }

  // RegistrySink.
  void Clear() override;
  int RegisterComputer(const std::string& name, const std::string& value) override;
  int RegisterMailServer(const std::string& name, const std::string& value) override;

  __RpcClientDescription* FindComputer(const std::string& name) const { return computers_.Find(name); }
  __VtHostDescription* FindMailServer(const std::string& name) const { return mailServers_.Find(name); }
  // The computer that carries `task` for `mailServer` ("MQUEUE"): its record,
  // or null when no computer has such a task row.
  __RpcClientDescription* FindTaskComputer(const std::string& mailServer, const std::string& task) const;

  // Deletes all computer records, then all mail server records.
  void Teardown();

  // The registered mail servers with their computers, in registry order.
  std::vector<MailServerEntry> MailServerEntries() const;
  // The logon dialog and the logon of one computer at start-up; the outcome
  // is kept in the record (startupLogon). A refused logon or a computer
  // without a channel goes on to the next computer.
  LogonOutcome LogonAtStartup(const MailServerEntry& server, const ComputerSlot& slot);
  // A computer that could not be reached at start-up is logged on once a poll
  // reaches it, with the answers given to its logon dialog then (no dialog).
  bool AwaitsLateLogon(const __RpcClientDescription& computer) const;
  // True when the logon went through; the rights are stored as at start-up.
  bool LogonLate(__RpcClientDescription& computer);
  // A computer that answers again after its channel broke may have been
  // restarted and forgotten the session: the console logs on again with the
  // session's own user and password (no dialog). False when it holds no
  // session or the logon did not go through; without a channel the logon
  // waits for the next poll that reaches the computer, as a late one does.
  bool LogonAgain(__RpcClientDescription& computer);
  // The logoff at shutdown.
  LogoffOutcome LogoffAtShutdown(const ComputerSlot& slot);
  // From now on the logoff skips (as failed) a computer whose last call
  // failed for lack of a channel: a stopping program must not wait for it.
  void SkipUnreachableLogoffs() { sessions_.SetSkipUnreachable(true); }

  ComputerRegistry& Computers() { return computers_; }
  const ComputerRegistry& Computers() const { return computers_; }
  MailServerRegistry& MailServers() { return mailServers_; }
  const MailServerRegistry& MailServers() const { return mailServers_; }
  ProcessBinding& Binding() { return binding_; }
  SessionService& Sessions() { return sessions_; }
  LogonState& Logon() { return logon_; }
  const LogonState& Logon() const { return logon_; }
  std::string Identity() const { return sessions_.Identity(); }
  ports::DialogPort* Dialogs() const { return dialogs_; }
  ports::ViewNotifier* Notifier() const { return notifier_; }

 private:
  // After a logon that gave a session: the record's logon data, its rights,
  // and the views told when the rights changed.
  void StoreSession(__RpcClientDescription& computer, bool wasAdministrator);

  ComputerRegistry computers_;
  MailServerRegistry mailServers_;
  ProcessBinding binding_;
  LogonState logon_;
  SessionService sessions_;
  TaskCarrierLookup* taskLookup_ = nullptr;
  ports::DialogPort* dialogs_ = nullptr;
  ports::ViewNotifier* notifier_ = nullptr;
  // The logon dialog's answers for computers not reached at start-up, by slot.
  struct PendingLogon {
    std::string user;
    std::string password;
  };
  std::map<int, PendingLogon> pendingLogons_;
};

}  // namespace core
