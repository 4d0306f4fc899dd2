#pragma once
// A task command (start, stop, restart, show, hide) carried out on a short-
// lived worker thread while the window thread waits for it in slices of
// 2000 ms, redrawing the task rows from what it holds after each slice. The
// window thread binds before the worker starts and keeps the envelope's lock
// for it; the worker issues its one call and touches nothing else. The
// envelope's ending and the real refresh of the rows (with calls) follow on
// the window thread once the worker has ended.

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>

#include "rpc/runtime/FailureCause.h"

namespace core {

class BusyIndicator;
class OperationGate;
class ProcessBinding;
struct __RpcClientDescription;

struct TaskCommandResult {
  bool channelBusy = false;    // another sequence held the gate: nothing was done
  bool sent = false;           // the call completed
  uint32_t bindStatus = 0;     // nonzero: nothing was sent
  uint32_t exceptionCode = 0;  // the RPC exception of the call, if any
  rpc::FailureCause exceptionCause = rpc::FailureCause::Other;  // and why it came
  int32_t returnValue = 0;
  int32_t commandOut = 0;      // the command word as the server returned it
};

class CTaskCommandRunner {
 public:
  static constexpr std::chrono::milliseconds kWaitSlice{2000};
  // Waits up to one slice for the worker; true when it has ended. Tests put
  // one here that does not sleep.
  using SliceWait = std::function<bool(std::future<void>& worker, std::chrono::milliseconds slice)>;

  // The command holds `gate` for its whole length, the rows' refresh included.
  CTaskCommandRunner(ProcessBinding& binding, OperationGate& gate, BusyIndicator* busy = nullptr);

  void SetSliceWait(SliceWait wait) { wait_ = std::move(wait); }

  // `task` empty: ServerControl with the code; else TaskControl for that task.
  // `redrawRows` runs after each slice and once more at the end (no calls);
  // `refreshRows` runs once after the worker ended (it may call).
  TaskCommandResult Run(__RpcClientDescription& computer, const std::optional<std::string>& task, int32_t command,
                        const std::function<void()>& redrawRows, const std::function<void()>& refreshRows);

 private:
  ProcessBinding& binding_;
  OperationGate& gate_;
  BusyIndicator* busy_;
  SliceWait wait_;
};

}  // namespace core
