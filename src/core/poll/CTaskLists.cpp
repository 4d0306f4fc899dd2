#include "core/poll/CTaskLists.h"

#include <vector>

#include "core/net/ComputerRegistry.h"
#include "core/net/MailServerRegistry.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/ReplyBounds.h"

namespace core {

CTaskLists::CTaskLists(const ComputerRegistry& computers, const MailServerRegistry& mailServers)
    : computers_(computers), mailServers_(mailServers) {}

void CTaskLists::Read(rpc::CallTarget& target, int computerIndex) {
  std::vector<TaskRow> rows;
  int32_t count = 0;
  if (rpc::TaskGetCount(target, &count) != 0) count = 0;
  count = rpc::BoundedServerCount(count);
  for (int32_t index = 0; index < count; ++index) {
    std::vector<char> name(rpc::cap::kTaskName + 1, 0), comment(rpc::cap::kTaskComment + 1, 0);
    int32_t nameLength = 0, commentLength = 0;
    if (rpc::TaskGetAt(target, index, rpc::cap::kTaskName, &nameLength, name.data(), rpc::cap::kTaskComment,
                       &commentLength, comment.data()) != 0)
      continue;
    TaskRow row;
    row.name = name.data();
    row.comment = comment.data();
    if (row.name.empty()) continue;
    int32_t state = rpc::taskstate::kSent;
    if (rpc::TaskGetState(target, row.name.c_str(), &state) == 0) row.state = state;
    rows.push_back(std::move(row));
  }
  rows_[computerIndex] = std::move(rows);
}

const std::vector<TaskRow>& CTaskLists::Rows(int computerIndex) const {
  static const std::vector<TaskRow> kNone;
  const auto it = rows_.find(computerIndex);
  return it == rows_.end() ? kNone : it->second;
}

std::string CTaskLists::FindTaskComputer(const std::string& mailServer, const std::string& task) {
  const __VtHostDescription* server = mailServers_.Find(mailServer);
  if (!server) return {};
  for (const int index : server->computers) {
    const __RpcClientDescription* computer = computers_.At(index);
    if (!computer) continue;
    for (const TaskRow& row : Rows(index))
      if (row.name == task) return computer->name;
  }
  return {};
}

}  // namespace core
