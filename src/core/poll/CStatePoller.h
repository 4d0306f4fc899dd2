#pragma once
// The watch over the registered computers: one poll of all of them (timer
// 666 and start-up), or of one, with the state flag, the administrator, the
// disk, folder and replication reports, the task list refresh, and the alerts
// that follow. Runs on the window thread; every call goes through the
// process binding's envelope.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "core/OperationGate.h"
#include "core/poll/Alert.h"
#include "rpc/runtime/FailureCause.h"

namespace ports {
class AlertPort;
class Clock;
class DialogPort;
class ViewNotifier;
}  // namespace ports

namespace core {

class CTaskLists;
class MessageLog;
class NetworkServices;
struct ProgramSettings;
struct __RpcClientDescription;

struct PollEnvironment {
  NetworkServices* net = nullptr;      // required
  CTaskLists* tasks = nullptr;         // required
  MessageLog* log = nullptr;           // required
  const ProgramSettings* settings = nullptr;  // required; read at each poll
  const ports::Clock* clock = nullptr;  // required
  ports::DialogPort* dialogs = nullptr;  // null: the critical-error box is not shown
  ports::AlertPort* alerts = nullptr;    // null: no sound
  ports::ViewNotifier* views = nullptr;  // null: nobody is told
  // Every other sequence of calls holds it while it runs; a poll started
  // then does nothing. Null: the poller keeps a gate of its own.
  OperationGate* gate = nullptr;
};

enum class PollOutcome {
  Skipped,  // a long operation, connection not used, suspended, or unknown name
  NotBound, // the bind failed: skipped silently
  Failed,   // an RPC exception (or no answer to the connection attempt)
  Done,
};

struct PollAllResult {
  bool skipped = false;
  int polled = 0;
  int failed = 0;
};

class CStatePoller {
 public:
  explicit CStatePoller(PollEnvironment environment);

  // All computer slots in order; the alert sound when any poll failed.
  PollAllResult PollAll();
  // One computer by name (views, after they changed something there).
  PollOutcome PollOne(const std::string& computerName);
  PollOutcome Poll(__RpcClientDescription& computer);
  // The poll of one computer inside a sequence that already holds the gate.
  PollOutcome PollHeld(__RpcClientDescription& computer);

  // Re-reads the task list of one computer (the task grid's refresh) and tells
  // the views. False when the computer could not be reached.
  bool RefreshTasks(__RpcClientDescription& computer);

  // Before the computers are polled one after the other, those reached over
  // TCP are dialled all at once; a computer that does not take the connection
  // within `timeout` counts as failed for this poll without being dialled
  // again. Off: every computer is dialled by its own calls. On by default.
  void SetConnectProbe(bool on, std::chrono::milliseconds timeout);

  // True while a poll runs (also while its critical-error box is open).
  bool Polling() const { return env_.gate->Holder() == Operation::Poll; }
  bool SystemErrorsBoxOpen() const { return systemErrorsBoxOpen_; }

 private:
  uint32_t MessageLifetimeMs() const;
  std::string TimeStamp() const;
  void Log(const std::string& text, int code);
  PollOutcome PollOneComputer(__RpcClientDescription& computer);
  void ReportUnreachable(__RpcClientDescription& computer, rpc::FailureCause cause);
  void ShowSystemErrorsBox(const std::string& computerName);

  PollEnvironment env_;
  OperationGate ownGate_;
  bool systemErrorsBoxOpen_ = false;
  bool probe_ = true;
  std::chrono::milliseconds probeTimeout_{5000};
};

}  // namespace core
