#include "core/poll/CTaskCommandRunner.h"

#include <thread>

#include "core/BusyIndicator.h"
#include "core/OperationGate.h"
#include "core/net/ProcessBinding.h"
#include "rpc/iface/Calls.h"

namespace core {

CTaskCommandRunner::CTaskCommandRunner(ProcessBinding& binding, OperationGate& gate, BusyIndicator* busy)
    : binding_(binding), gate_(gate), busy_(busy), wait_([](std::future<void>& worker, std::chrono::milliseconds slice) {
        return worker.wait_for(slice) == std::future_status::ready;
      }) {}

TaskCommandResult CTaskCommandRunner::Run(__RpcClientDescription& computer, const std::optional<std::string>& task,
                                          int32_t command, const std::function<void()>& redrawRows,
                                          const std::function<void()>& refreshRows) {
  TaskCommandResult result;
  const OperationGate::Hold hold = gate_.Enter(Operation::TaskCommand);
  if (!hold) {
    result.channelBusy = true;
    return result;
  }
  if (busy_) busy_->SetBusy(true);
  {
    auto lock = binding_.Lock();
    result.bindStatus = binding_.Bind(computer);
    if (result.bindStatus == 0) {
      binding_.BeginCall();
      // Written before the worker starts, read by the window thread only after
      // it has ended: no lock is needed around them.
      const std::string taskName = task.value_or(std::string());
      const bool wholeServer = !task || task->empty();
      rpc::CallTarget& target = binding_.Target();
      std::packaged_task<void()> work([&] {
        int32_t word = command;
        try {
          result.returnValue = wholeServer ? rpc::ServerControl(target, &word)
                                           : rpc::TaskControl(target, taskName.c_str(), &word);
          result.commandOut = word;
          result.sent = true;
        } catch (const rpc::RpcException& e) {
          result.exceptionCode = e.Code();
          result.exceptionCause = e.Cause();
        } catch (const std::exception&) {
          result.exceptionCode = rpc::status::kCallFailed;
        }
      });
      std::future<void> done = work.get_future();
      std::thread worker(std::move(work));
      // While the worker runs, the rows are drawn from what is held: the
      // window thread sends nothing on the binding the worker uses.
      while (!wait_(done, kWaitSlice))
        if (redrawRows) redrawRows();
      worker.join();
      if (redrawRows) redrawRows();

      if (result.sent) {
        binding_.EndCall(true);
        binding_.NotifyStateChange();
      } else {
        binding_.Failed(result.exceptionCode, result.exceptionCause);
      }
    }
  }
  if (result.bindStatus == 0 && refreshRows) refreshRows();
  if (busy_) busy_->SetBusy(false);
  return result;
}

}  // namespace core
