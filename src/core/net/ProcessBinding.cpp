#include "core/net/ProcessBinding.h"

#include <new>

#include "core/net/ComputerRegistry.h"
#include "ports/ViewNotifier.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/StringBinding.h"

namespace core {

ProcessBinding::ProcessBinding(ComputerRegistry& computers, ports::ViewNotifier* notifier)
    : computers_(computers), notifier_(notifier) {}

ProcessBinding::~ProcessBinding() = default;

void ProcessBinding::SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds call) {
  auto lock = Lock();
  connectTimeout_ = connect;
  callTimeout_ = call;
  if (handle_) {
    handle_->SetConnectTimeout(connect);
    handle_->SetCallTimeout(call);
  }
}

std::unique_lock<std::recursive_mutex> ProcessBinding::Lock() { return std::unique_lock(mutex_); }

__RpcClientDescription* ProcessBinding::Current() const { return computers_.At(current_); }

uint32_t ProcessBinding::Bind(__RpcClientDescription& computer) {
  auto lock = Lock();
  if (computer.connectionNotUsed) return kConnectionNotUsed;
  if (computer.Bound() && current_ == computer.index && handle_) return 0;

  if (current_ >= 0) {
    if (__RpcClientDescription* previous = Current()) Unbind(*previous);
    current_ = -1;
  }
  handle_.reset();
  // A record marked bound without the handle (another computer took it over
  // in between) starts afresh.
  computer.flags &= ~clientflag::kBound;

  rpc::StringBinding parts;
  // The local-machine test ran at registration; a bind does not ask the
  // resolver again.
  if (computer.isLocal) {
    parts.protseq = kLocalProtseq;
    parts.endpoint = kLocalEndpoint;
  } else {
    parts.protseq = computer.protseq;
    parts.networkAddress = computer.networkAddress;
    parts.endpoint = computer.endpoint;
    // The record's options text is empty; a non-empty one is one option.
    if (!computer.options.empty()) parts.options.push_back(computer.options);
  }
  try {
    computer.stringBinding = rpc::ComposeStringBinding(parts);
    rpc::BindingOptions options;
    options.connectTimeout = connectTimeout_;
    options.callTimeout = callTimeout_;
    handle_ = std::make_unique<rpc::RpcBinding>(computer.stringBinding, options);
  } catch (const rpc::RpcException& e) {
    computer.stringBinding.clear();
    computer.rpcStatus = e.Code();
    return e.Code();
  } catch (const std::bad_alloc&) {
    computer.stringBinding.clear();
    computer.rpcStatus = rpc::status::kOutOfMemory;
    return rpc::status::kOutOfMemory;
  }
  computer.rpcStatus = 0;
  computer.flags |= clientflag::kBound;
  current_ = computer.index;
  return 0;
}

int ProcessBinding::Unbind(__RpcClientDescription& computer) {
  auto lock = Lock();
  if (!computer.Bound()) return 0;
  computer.stringBinding.clear();
  if (current_ == computer.index) {
    handle_.reset();
    current_ = -1;
  }
  computer.flags &= ~clientflag::kBound;
  // The scanned disks and folders are not emptied here: they belong to the
  // computer's last report and stay until its next one.
  return 0;
}

uint32_t ProcessBinding::Rebind(__RpcClientDescription& computer) {
  auto lock = Lock();
  Unbind(computer);
  return Bind(computer);
}

void ProcessBinding::UnbindCurrent() {
  auto lock = Lock();
  if (__RpcClientDescription* computer = Current()) Unbind(*computer);
  handle_.reset();
  current_ = -1;
}

void ProcessBinding::BeginCall() {
  auto lock = Lock();
  if (__RpcClientDescription* computer = Current()) computer->previousOnline = computer->online;
}

void ProcessBinding::EndCall(bool success) {
  auto lock = Lock();
  __RpcClientDescription* computer = Current();
  if (!computer) return;
  computer->online = success;
  // The next call opens a new association to the server.
  if (!success) Rebind(*computer);
}

void ProcessBinding::NotifyStateChange() {
  auto lock = Lock();
  NotifyFor(Current());
}

void ProcessBinding::NotifyFor(const __RpcClientDescription* computer) {
  if (!computer || computer->online == computer->previousOnline) return;
  if (notifier_) notifier_->ComputerStateChanged(computer->index, computer->online);
}

void ProcessBinding::Failed(uint32_t code, rpc::FailureCause cause) {
  auto lock = Lock();
  __RpcClientDescription* computer = Current();
  if (computer) {
    computer->lastException = code;
    computer->lastFailureCause = cause;
  }
  EndCall(false);
  // Told even when the rebuilt binding could not be made (no current computer now).
  NotifyFor(computer);
}

rpc::CallTarget& ProcessBinding::Target() {
  // Only reached between a successful Bind and the end of the calls.
  if (!handle_) throw rpc::RpcException(rpc::status::kInvalidBinding);
  return *handle_;
}

std::pair<const char*, int> OnlineText(const __RpcClientDescription& computer) {
  return computer.Bound() ? std::pair<const char*, int>{"on-line", 1} : std::pair<const char*, int>{"off-line", 0};
}

}  // namespace core
