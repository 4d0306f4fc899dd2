#pragma once
// The one binding handle of the process, bound to one computer at a time, and
// the call envelope around every remote call: the computer's on-line flag
// follows the outcome of the call, a failed call rebuilds the binding, and the
// main window is told when the flag changed.
//
// One process-wide mutex guards the envelope. CallOn takes it, binds to its
// own computer right before the calls (nothing to do when already bound) and
// holds it until they are done, so that no timer's poll can move the binding
// to another computer in the middle of a sequence. A sequence that shows a
// message box between two CallOn keeps the binding its own with Lock().
// Never wait inside CallOn for another thread that calls CallOn itself.
//
//   bool done = binding.CallOn(*computer, [&](rpc::CallTarget& target) {
//     flag = rpc::GetStateFlagWithTexts(target, identity, computer->user);
//   });

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "core/net/RpcClientDescription.h"
#include "rpc/runtime/CallTarget.h"
#include "rpc/runtime/RpcException.h"

namespace ports {
class ViewNotifier;
}
namespace rpc {
class RpcBinding;
}

namespace core {

class ComputerRegistry;

// Bind's answer when the console runs without a connection to the computer.
inline constexpr uint32_t kConnectionNotUsed = 66400;

class ProcessBinding {
 public:
  static constexpr std::chrono::milliseconds kDefaultConnectTimeout{5000};
  static constexpr std::chrono::milliseconds kDefaultCallTimeout{60000};

  // `notifier` may be null (nobody is told of state changes).
  ProcessBinding(ComputerRegistry& computers, ports::ViewNotifier* notifier);
  ~ProcessBinding();
  ProcessBinding(const ProcessBinding&) = delete;
  ProcessBinding& operator=(const ProcessBinding&) = delete;

  void SetNotifier(ports::ViewNotifier* notifier) { notifier_ = notifier; }
  // Used for the next binding made (and the present one).
  void SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds call);

  // The envelope's lock; recursive, so CallOn may run while it is held.
  std::unique_lock<std::recursive_mutex> Lock();

  // 0, 66400 when the connection is not used, or the runtime's status (also
  // stored in the record's rpcStatus).
  uint32_t Bind(__RpcClientDescription& computer);
  // Number of runtime releases that failed (always 0 here). The computer's
  // scanned disks and folders stay until its own next report.
  int Unbind(__RpcClientDescription& computer);
  uint32_t Rebind(__RpcClientDescription& computer);
  // Unbinds the current computer, if any.
  void UnbindCurrent();

  // The envelope steps, on the current computer.
  void BeginCall();
  void EndCall(bool success);
  void NotifyStateChange();

  // The slot of the computer the handle is bound to, or -1.
  int CurrentIndex() const { return current_; }
  // The handle of the current binding; only valid while bound.
  rpc::CallTarget& Target();

  // Binds to `computer`, begins a call, runs `calls(target)`; an RpcException
  // is stored as the computer's last exception, ends the call as failed
  // (which rebinds) and notifies. True when the calls completed. A failed bind
  // returns false at once, with its status in *bindStatus when given.
  template <class F>
  bool CallOn(__RpcClientDescription& computer, F&& calls, uint32_t* bindStatus = nullptr) {
    auto lock = Lock();
    const uint32_t status = Bind(computer);
    if (bindStatus) *bindStatus = status;
    if (status != 0) return false;
    BeginCall();
    try {
      std::forward<F>(calls)(Target());
    } catch (const rpc::RpcException& e) {
      Failed(e.Code(), e.Cause());
      return false;
    }
    EndCall(true);
    NotifyStateChange();
    return true;
  }

  // The exception handler's part: store the code in the current computer's
  // last exception, End call (0), notify.
  void Failed(uint32_t code, rpc::FailureCause cause = rpc::FailureCause::Other);

 private:
  __RpcClientDescription* Current() const;
  void NotifyFor(const __RpcClientDescription* computer);

  ComputerRegistry& computers_;
  ports::ViewNotifier* notifier_;
  std::recursive_mutex mutex_;
  std::unique_ptr<rpc::RpcBinding> handle_;
  std::atomic<int> current_{-1};  // read without the lock by CurrentIndex()
  std::chrono::milliseconds connectTimeout_ = kDefaultConnectTimeout;
  std::chrono::milliseconds callTimeout_ = kDefaultCallTimeout;
};

// "on-line" and 1 when the computer's binding is established, else "off-line" and 0.
std::pair<const char*, int> OnlineText(const __RpcClientDescription& computer);

}  // namespace core
