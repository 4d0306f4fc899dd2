#pragma once
// The task list of each computer (names, comments, states), kept by the core
// and re-read where the task grid would be refreshed, so that the computer
// that carries a task is found without any window.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/net/TaskCarrierLookup.h"
#include "rpc/iface/Interface.h"

namespace rpc {
class CallTarget;
}

namespace core {

class ComputerRegistry;
class MailServerRegistry;

struct TaskRow {
  std::string name;
  std::string comment;
  int32_t state = rpc::taskstate::kNoTask;  // the interface's task state code
};

class CTaskLists : public TaskCarrierLookup {
 public:
  CTaskLists(const ComputerRegistry& computers, const MailServerRegistry& mailServers);

  // Reads the task list of the computer the target is bound to. RPC failures
  // pass through (RpcException); the rows read before stay.
  void Read(rpc::CallTarget& target, int computerIndex);
  // The rows of a computer; empty when never read.
  const std::vector<TaskRow>& Rows(int computerIndex) const;
  bool Known(int computerIndex) const { return rows_.count(computerIndex) != 0; }
  void Forget(int computerIndex) { rows_.erase(computerIndex); }
  void Clear() { rows_.clear(); }

  std::string FindTaskComputer(const std::string& mailServer, const std::string& task) override;

 private:
  const ComputerRegistry& computers_;
  const MailServerRegistry& mailServers_;
  std::map<int, std::vector<TaskRow>> rows_;
};

}  // namespace core
