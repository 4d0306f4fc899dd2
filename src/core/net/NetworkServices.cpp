#include "core/net/NetworkServices.h"

#include "core/CTarvikApp.h"
#include "ports/DialogPort.h"
#include "ports/ViewNotifier.h"

namespace core {

NetworkServices::NetworkServices()
    : mailServers_(computers_), binding_(computers_, nullptr), sessions_(computers_, binding_, logon_) {}

NetworkServices::~NetworkServices() { Teardown(); }

void NetworkServices::Attach(CTarvikApp& app, ports::DialogPort& dialogs, ports::ViewNotifier* notifier) {
  SetLog([&app](const std::string& text, int code) { app.AddLogMessage(text, 0, code); });
  SetDialogs(&dialogs);
  SetNotifier(notifier);
}

void NetworkServices::SetLog(NetLogFn log) {
  computers_.SetLog(log);
  mailServers_.SetLog(log);
  sessions_.SetLog(std::move(log));
}

void NetworkServices::SetDialogs(ports::DialogPort* dialogs) {
  dialogs_ = dialogs;
  sessions_.SetDialogs(dialogs);
}

void NetworkServices::SetNotifier(ports::ViewNotifier* notifier) {
  notifier_ = notifier;
  binding_.SetNotifier(notifier);
}

void NetworkServices::SetIdentity(std::function<std::string()> identity) { sessions_.SetIdentity(std::move(identity)); }

void NetworkServices::SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds call) {
  binding_.SetTimeouts(connect, call);
}

void NetworkServices::Clear() { Teardown(); }

int NetworkServices::RegisterComputer(const std::string& name, const std::string& value) {
  return computers_.Register(name, value);
}

int NetworkServices::RegisterMailServer(const std::string& name, const std::string& value) {
  return mailServers_.Register(name, value);
}

__RpcClientDescription* NetworkServices::FindTaskComputer(const std::string& mailServer,
                                                          const std::string& task) const {
  if (!taskLookup_) return nullptr;
  const std::string name = taskLookup_->FindTaskComputer(mailServer, task);
  return name.empty() ? nullptr : computers_.Find(name);
}

void NetworkServices::Teardown() {
  pendingLogons_.clear();
  binding_.UnbindCurrent();
  computers_.Clear();
  mailServers_.Clear();
}

std::vector<MailServerEntry> NetworkServices::MailServerEntries() const {
  std::vector<MailServerEntry> out;
  for (int i = 0; i < MailServerRegistry::kSlots; ++i) {
    const __VtHostDescription* server = mailServers_.At(i);
    if (!server) continue;
    MailServerEntry entry;
    entry.name = server->name;
    for (const int index : server->computers) {
      ComputerSlot slot;
      slot.index = index;
      const __RpcClientDescription* computer = computers_.At(index);
      slot.exists = computer != nullptr;
      if (computer) slot.name = computer->name;
      entry.computers.push_back(std::move(slot));
    }
    out.push_back(std::move(entry));
  }
  return out;
}

LogonOutcome NetworkServices::LogonAtStartup(const MailServerEntry& server, const ComputerSlot& slot) {
  __RpcClientDescription* computer = computers_.At(slot.index);
  if (!computer || !dialogs_) return LogonOutcome::EndProgram;

  // A password typed wrong is asked for again, three tries in all; an answer
  // preset by the options is sent once.
  constexpr int kTries = 3;
  const bool wasAdministrator = computer->Administrator();
  int result = 0;
  for (int attempt = 1;; ++attempt) {
    logon_.connectionNotUsed = false;
    const std::optional<ports::LogonAnswer> answer = dialogs_->Logon({server.name, computer->name, logon_.userName});
    if (!answer) return LogonOutcome::EndProgram;
    if (answer->quit) {
      logon_.quitRequest = true;
      return LogonOutcome::EndProgram;
    }
    logon_.userName = answer->userName;
    logon_.password = answer->password;
    logon_.connectionNotUsed = answer->noConnection;
    logon_.logonComputer = computer->name;

    result = sessions_.Logon(true);
    if (logon_.quitRequest) return LogonOutcome::EndProgram;
    const bool refused = result != 1 && logon_.accessLevel != access::kUnset;
    if (!refused || !answer->typed || attempt == kTries) break;
  }
  // A refused logon or a lost channel goes on to the next computer without
  // storing a session for this one.
  if (result != 1) {
    const bool reached = logon_.accessLevel != access::kUnset;
    computer->startupLogon = reached ? StartupLogon::Refused : StartupLogon::Unreachable;
    if (reached)
      pendingLogons_.erase(computer->index);
    else
      pendingLogons_[computer->index] = {logon_.userName, logon_.password};
    return LogonOutcome::Continue;
  }
  pendingLogons_.erase(computer->index);
  StoreSession(*computer, wasAdministrator);
  return LogonOutcome::Continue;
}

void NetworkServices::StoreSession(__RpcClientDescription& computer, bool wasAdministrator) {
  computer.startupLogon = logon_.connectionNotUsed ? StartupLogon::NotUsed : StartupLogon::Accepted;
  sessions_.SetLogonData(computer, logon_.userName, logon_.password, logon_.accessLevel == access::kAdministrator,
                         logon_.connectionNotUsed);
  if (computer.Administrator() != wasAdministrator && notifier_) notifier_->RightsChanged(computer.index);
}

bool NetworkServices::AwaitsLateLogon(const __RpcClientDescription& computer) const {
  return pendingLogons_.count(computer.index) != 0;
}

bool NetworkServices::LogonLate(__RpcClientDescription& computer) {
  const auto pending = pendingLogons_.find(computer.index);
  if (pending == pendingLogons_.end()) return false;
  // The logon state is the program's one record of the last logon; it is
  // set as the start-up would have set it for this computer.
  logon_.userName = pending->second.user;
  logon_.password = pending->second.password;
  logon_.connectionNotUsed = false;
  logon_.logonComputer = computer.name;
  const bool wasAdministrator = computer.Administrator();
  const int result = sessions_.Logon(false);
  // Ending the program is a choice of the start-up only: here the console
  // goes on as an observer of this computer.
  logon_.quitRequest = false;
  if (result != 1) {
    if (logon_.accessLevel != access::kUnset) {
      computer.startupLogon = StartupLogon::Refused;
      pendingLogons_.erase(pending);
    }
    return false;
  }
  pendingLogons_.erase(pending);
  StoreSession(computer, wasAdministrator);
  return true;
}

bool NetworkServices::LogonAgain(__RpcClientDescription& computer) {
  if (!computer.SessionOpen() || computer.connectionNotUsed || computer.user.empty()) return false;
  pendingLogons_[computer.index] = {computer.user, computer.password};
  return LogonLate(computer);
}

LogoffOutcome NetworkServices::LogoffAtShutdown(const ComputerSlot& slot) {
  __RpcClientDescription* computer = computers_.At(slot.index);
  if (!computer) return LogoffOutcome::NotUsed;
  return sessions_.Logoff(*computer);
}

}  // namespace core
