#include "core/poll/CStatePoller.h"

#include <algorithm>
#include <vector>

#include "core/LogTime.h"
#include "core/MessageImage.h"
#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "core/net/NetworkServices.h"
#include "core/poll/CTaskLists.h"
#include "core/poll/ConnectProbe.h"
#include "core/poll/ScanReports.h"
#include "ports/AlertPort.h"
#include "ports/Clock.h"
#include "ports/DialogPort.h"
#include "ports/ViewNotifier.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/SessionTexts.h"
#include "rpc/runtime/CallInterrupt.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

ports::NullViewNotifier gNoViews;

// Restores a flag when the scope ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// The port of a TCP endpoint text; 0 when it is not a port number.
uint16_t EndpointPort(const std::string& endpoint) {
  if (endpoint.empty() || endpoint.size() > 5) return 0;
  for (char c : endpoint)
    if (c < '0' || c > '9') return 0;
  const unsigned long port = std::stoul(endpoint);
  return port <= 0xFFFF ? static_cast<uint16_t>(port) : 0;
}

}  // namespace

CStatePoller::CStatePoller(PollEnvironment environment) : env_(std::move(environment)) {
  if (!env_.views) env_.views = &gNoViews;
  if (!env_.gate) env_.gate = &ownGate_;
}

void CStatePoller::SetConnectProbe(bool on, std::chrono::milliseconds timeout) {
  probe_ = on;
  probeTimeout_ = timeout;
}

uint32_t CStatePoller::MessageLifetimeMs() const {
  const uint64_t ms = uint64_t{env_.settings->splashWindowTtl} * 1000;
  return ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<uint32_t>(ms);
}

std::string CStatePoller::TimeStamp() const { return FormatLogTime(env_.clock->LocalTime()); }

void CStatePoller::Log(const std::string& text, int code) { env_.log->Add(text, MessageLifetimeMs(), code); }

PollAllResult CStatePoller::PollAll() {
  PollAllResult result;
  // A poll never runs inside another sequence, nor inside another poll: its
  // critical-error box is part of it.
  const OperationGate::Hold hold = env_.gate->Enter(Operation::Poll);
  if (!hold) {
    result.skipped = true;
    return result;
  }
  ComputerRegistry& computers = env_.net->Computers();
  std::vector<__RpcClientDescription*> due;
  for (int slot = 0; slot < ComputerRegistry::kSlots; ++slot) {
    __RpcClientDescription* computer = computers.At(slot);
    if (!computer || computer->pollingSuspended || computer->connectionNotUsed) continue;
    due.push_back(computer);
  }

  // Dial every TCP computer at once, so that ten dead computers cost one
  // connect timeout and not ten; the association itself is opened again by
  // the first call, as the one binding can hold one computer only.
  std::vector<char> unreachable(due.size(), 0);
  std::vector<rpc::FailureCause> why(due.size(), rpc::FailureCause::NoAnswer);
  if (probe_ && due.size() > 1) {
    std::vector<ProbeTarget> targets;
    std::vector<size_t> probed;
    for (size_t i = 0; i < due.size(); ++i) {
      const __RpcClientDescription& c = *due[i];
      const uint16_t port = EndpointPort(c.endpoint);
      if (c.isLocal || c.protseq != kDefaultProtseq || port == 0) continue;
      targets.push_back({c.networkAddress, port});
      probed.push_back(i);
    }
    std::vector<rpc::FailureCause> causes;
    const std::vector<bool> answered = ProbeConnections(targets, probeTimeout_, &causes);
    for (size_t k = 0; k < probed.size(); ++k) {
      unreachable[probed[k]] = !answered[k];
      why[probed[k]] = causes[k];
    }
  }

  for (size_t i = 0; i < due.size(); ++i) {
    // The program is stopping: a probe or call cut short says nothing about
    // the computers, and reporting them off-line would keep the shutdown
    // from logging off the ones that answer.
    if (rpc::CallsInterrupted()) {
      result.skipped = true;
      break;
    }
    PollOutcome outcome;
    if (unreachable[i]) {
      ReportUnreachable(*due[i], why[i]);
      outcome = PollOutcome::Failed;
    } else {
      outcome = PollHeld(*due[i]);
    }
    if (outcome == PollOutcome::Done || outcome == PollOutcome::Failed) ++result.polled;
    if (outcome == PollOutcome::Failed) ++result.failed;
  }
  if (result.failed > 0 && env_.alerts)
    RaiseAlert(*env_.alerts, AlertSettings{env_.settings->errorSound, {}}, true, false, env_.clock->LocalTime());
  return result;
}

void CStatePoller::ReportUnreachable(__RpcClientDescription& computer, rpc::FailureCause cause) {
  ProcessBinding& binding = env_.net->Binding();
  {
    // The envelope as a call that raised "server unavailable": off-line,
    // binding rebuilt, the state view told.
    auto lock = binding.Lock();
    if (binding.Bind(computer) != 0) return;
    binding.BeginCall();
    binding.Failed(rpc::status::kServerUnavailable, cause);
  }
  Log(text::Format(text::Cp("Ошибка канала связи\nдля компьютера \"%s\"").c_str(), computer.name.c_str()),
      image::kFailed);
  env_.views->TasksChanged(computer.index);
}

PollOutcome CStatePoller::PollOne(const std::string& computerName) {
  __RpcClientDescription* computer = env_.net->FindComputer(computerName);
  return computer ? Poll(*computer) : PollOutcome::Skipped;
}

PollOutcome CStatePoller::Poll(__RpcClientDescription& computer) {
  const OperationGate::Hold hold = env_.gate->Enter(Operation::Poll);
  if (!hold) return PollOutcome::Skipped;
  return PollHeld(computer);
}

PollOutcome CStatePoller::PollHeld(__RpcClientDescription& computer) {
  if (computer.connectionNotUsed) return PollOutcome::Skipped;
  return PollOneComputer(computer);
}

PollOutcome CStatePoller::PollOneComputer(__RpcClientDescription& computer) {
  using text::Cp;
  ProcessBinding& binding = env_.net->Binding();
  const std::string identity = env_.net->Identity();
  const bool heldRights = computer.Administrator();
  bool rightsLost = false;
  FolderReportResult folders;
  const NetLogFn log = [this](const std::string& text, int code) { Log(text, code); };

  // The replication report belongs to the first mail server that names this
  // computer and on which some computer carries the queue manager; a mail
  // server without one does not hide a later one.
  std::string replicationServer;
  const MailServerRegistry& servers = env_.net->MailServers();
  for (int slot = 0; slot < MailServerRegistry::kSlots; ++slot) {
    const __VtHostDescription* server = servers.At(slot);
    if (!server || std::find(server->computers.begin(), server->computers.end(), computer.index) ==
                       server->computers.end())
      continue;
    if (!env_.tasks->FindTaskComputer(server->name, std::string(rpc::task::kQueueManager)).empty()) {
      replicationServer = server->name;
      break;
    }
  }

  // Off-line for lack of a channel until now (a pulled cable, a restart).
  const bool cutOff = !computer.online && (computer.lastException == rpc::status::kServerUnavailable ||
                                           computer.lastException == rpc::status::kCallFailed);
  uint32_t bindStatus = 0;
  const bool completed = binding.CallOn(
      computer,
      [&](rpc::CallTarget& target) {
        const int32_t flag = rpc::GetStateFlagWithTexts(target, identity, computer.user);
        const bool changed = !computer.stateFlagKnown || flag != computer.stateFlag;
        computer.stateFlag = flag;
        computer.stateFlagKnown = true;

        if (changed) {
          std::vector<char> connection(rpc::cap::kAdminText + 1, 0), user(rpc::cap::kAdminText + 1, 0);
          int32_t connectionLength = 0, userLength = 0, unused = 0;
          rpc::GetCurrentAdmin(target, rpc::cap::kAdminText, &connectionLength, connection.data(),
                               rpc::cap::kAdminText, &userLength, user.data(), &unused);
          // Trimmed as the logon stores them, so that the comparison below
          // is not fooled by a trailing blank.
          computer.adminConnection = text::Trim(connection.data());
          computer.adminUser = text::Trim(user.data());
          // User names are compared without regard to case, as the server
          // matches them; the connection is the machine identity, exact.
          if (heldRights && (!text::EqualsNoCaseAscii(computer.adminUser, computer.user) ||
                             computer.adminConnection != identity)) {
            rightsLost = true;
            computer.flags &= ~clientflag::kAdministrator;
          }
        }

        const std::string stamp = TimeStamp();
        RunDiskReport(target, computer, stamp, log);
        env_.views->DisksChanged(computer.index);
        folders = RunFolderReport(target, computer, stamp, log);
        env_.views->FoldersChanged(computer.index);
        if (!replicationServer.empty()) {
          RunReplicationReport(target, computer, replicationServer, stamp, log);
          env_.views->ReplicationChanged(computer.index);
        }
      },
      &bindStatus);
  if (bindStatus != 0) return PollOutcome::NotBound;

  if (!completed)
    Log(text::Format(Cp("Ошибка канала связи\nдля компьютера \"%s\"").c_str(), computer.name.c_str()),
        image::kFailed);

  // A computer the start-up could not reach gets its logon now that it
  // answers, with what the user gave the logon dialog then.
  if (completed && env_.net->AwaitsLateLogon(computer))
    env_.net->LogonLate(computer);
  // One that comes back after its channel broke is logged on again: a node
  // that restarted meanwhile has forgotten the session and its rights.
  else if (completed && cutOff)
    env_.net->LogonAgain(computer);

  // The task rows: re-read from a computer that answered; one that did not is
  // not dialled again in this poll, its rows are redrawn as they are.
  if (completed)
    RefreshTasks(computer);
  else
    env_.views->TasksChanged(computer.index);

  if (rightsLost) {
    env_.views->RightsChanged(computer.index);
    const std::string text =
        text::Format(Cp("Потеряны права администрирования для\nкомпьютера \"%s\".\nТекущий администратор: \"%s\"\n").c_str(),
                     computer.name.c_str(), computer.adminUser.c_str()) +
        text::ReplaceAll(computer.adminConnection, ";", "\n");
    Log(text, image::kFailed);
    env_.log->Show(MessageLifetimeMs());
  }

  // After the calls ended, so that the box never holds the binding.
  if (folders.systemErrors) ShowSystemErrorsBox(computer.name);
  return completed ? PollOutcome::Done : PollOutcome::Failed;
}

bool CStatePoller::RefreshTasks(__RpcClientDescription& computer) {
  const bool done = env_.net->Binding().CallOn(
      computer, [&](rpc::CallTarget& target) { env_.tasks->Read(target, computer.index); });
  env_.views->TasksChanged(computer.index);
  return done;
}

void CStatePoller::ShowSystemErrorsBox(const std::string& computerName) {
  // Not stacked: while one is open, further findings are not shown.
  if (!env_.dialogs || systemErrorsBoxOpen_) return;
  FlagScope open(systemErrorsBoxOpen_);
  env_.dialogs->Message(SystemErrorsBoxText(computerName), kSystemErrorsCaption, ports::MsgIcon::Error,
                        ports::MsgButtons::Ok, true);
}

}  // namespace core
