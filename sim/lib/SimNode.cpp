#include "sim/lib/SimNode.h"

#include <utility>

#include "rpc/iface/Interface.h"
#include "sim/lib/SimText.h"

namespace sim {

SimNode::SimNode(Node node, const ports::Clock* clock)
    : node_(std::move(node)), clock_(clock ? clock : &systemClock_) {}

int64_t SimNode::NowSteadyMs() const { return clock_->SteadyMs(); }

DirEntry* SimNode::FindEntry(std::string_view name) {
  const std::string key = NameKey(name);
  if (key.empty()) return nullptr;
  for (auto& entry : node_.directory)
    if (entry.name == key) return &entry;  // stored names are keys already
  return nullptr;
}

Task* SimNode::FindTask(std::string_view name) {
  for (auto& task : node_.tasks)
    if (SameName(task.name, name)) return &task;
  return nullptr;
}

AbonentRecord* SimNode::FindAbonent(std::string_view name) {
  const std::string key = NameKey(name);
  if (key.empty()) return nullptr;
  for (auto& abonent : node_.abonents)
    if (abonent.name == key) return &abonent;
  return nullptr;
}

const CfgSection* SimNode::FindSection(std::string_view name) const {
  // The configuration file's sections are matched exactly, as the file reader does.
  for (const auto& section : node_.config)
    if (section.name == UpToNul(name)) return &section;
  return nullptr;
}

// --- Session -----------------------------------------------------------------

rpc::LogonResponse SimNode::Logon(const rpc::LogonRequest& r) {
  rpc::LogonResponse out;
  const std::string identity = UpToNul(r.Identity);
  const std::string user = UpToNul(r.User);
  const std::string password = UpToNul(r.Password);
  const User* found = nullptr;
  for (const auto& u : node_.users)
    if (SameName(u.name, user)) found = &u;
  if (!found || found->password != password) {
    out.AccessLevel = rpc::access::kRefused;
    out.ReturnValue = 5;  // access denied
    return out;
  }
  if (found->level < rpc::access::kAdministrator) {
    out.AccessLevel = rpc::access::kUser;
    return out;
  }
  // An administrator takes the rights when nobody holds them, or when the same
  // user comes back from the same machine; otherwise the rights stay with the
  // holder and the new session is told so (administrator, shared).
  const bool free = node_.adminUser.empty();
  const bool same = SameName(node_.adminUser, found->name) && node_.adminConnection == identity;
  if (free || same) {
    if (free) RaiseStateFlag();
    node_.adminUser = found->name;
    node_.adminConnection = identity;
    out.AccessLevel = rpc::access::kAdministrator;
  } else {
    out.AccessLevel = rpc::access::kAdministratorShared;
  }
  return out;
}

rpc::LogoffResponse SimNode::Logoff(const rpc::LogoffRequest& r) {
  rpc::LogoffResponse out;
  if (!node_.adminUser.empty() && SameName(node_.adminUser, UpToNul(r.User)) &&
      node_.adminConnection == UpToNul(r.Identity)) {
    node_.adminUser.clear();
    node_.adminConnection.clear();
    RaiseStateFlag();
  }
  return out;
}

rpc::GetCurrentAdminResponse SimNode::GetCurrentAdmin(const rpc::GetCurrentAdminRequest& r) {
  rpc::GetCurrentAdminResponse out;
  // The texts travel with their NUL, as the node's other texts of this kind do;
  // nobody connected gives two empty texts.
  if (!node_.adminUser.empty()) {
    out.AdminConnection = CutTo(node_.adminConnection + std::string(1, '\0'), r.AdminConnectionCapacity);
    out.AdminUser = CutTo(node_.adminUser + std::string(1, '\0'), r.AdminUserCapacity);
  }
  return out;
}

rpc::GetStateFlagResponse SimNode::GetStateFlag(const rpc::GetStateFlagRequest&) {
  rpc::GetStateFlagResponse out;
  out.ReturnValue = node_.stateFlag;
  return out;
}

// --- Tasks -------------------------------------------------------------------

rpc::TaskGetCountResponse SimNode::TaskGetCount(const rpc::TaskGetCountRequest&) {
  rpc::TaskGetCountResponse out;
  out.Count = static_cast<int32_t>(node_.tasks.size());
  return out;
}

rpc::TaskGetAtResponse SimNode::TaskGetAt(const rpc::TaskGetAtRequest& r) {
  rpc::TaskGetAtResponse out;
  if (r.Index < 0 || static_cast<size_t>(r.Index) >= node_.tasks.size()) {
    out.ReturnValue = -1;
    return out;
  }
  const Task& task = node_.tasks[static_cast<size_t>(r.Index)];
  out.TaskName = CutTo(task.name, r.TaskNameCapacity);
  out.Comment = CutTo(task.comment, r.CommentCapacity);
  return out;
}

rpc::TaskGetStateResponse SimNode::TaskGetState(const rpc::TaskGetStateRequest& r) {
  rpc::TaskGetStateResponse out;
  const Task* task = FindTask(r.TaskName);
  out.State = task ? task->state : rpc::taskstate::kNoTask;
  return out;
}

namespace {

bool IsCommand(int32_t command) { return command >= rpc::taskcmd::kStart && command <= rpc::taskcmd::kHide; }

// Start, stop, abort and restart change task states; show and hide do not.
bool ChangesState(int32_t command) { return command >= rpc::taskcmd::kStart && command <= rpc::taskcmd::kRestart; }

// The state a task is left in by a command; show and hide leave it as it is.
int32_t StateAfter(int32_t state, int32_t command) {
  using namespace rpc::taskcmd;
  switch (command) {
    case kStart:
    case kRestart: return rpc::taskstate::kRunning;
    case kStop:
    case kAbort: return rpc::taskstate::kStopped;  // abort: stopped at once
    default: return state;
  }
}

bool ApplyCommand(Task& task, int32_t command) {
  if (!IsCommand(command)) return false;
  task.state = StateAfter(task.state, command);
  if (command == rpc::taskcmd::kShow) task.visible = true;
  if (command == rpc::taskcmd::kHide) task.visible = false;
  return true;
}

}  // namespace

rpc::TaskControlResponse SimNode::TaskControl(const rpc::TaskControlRequest& r) {
  rpc::TaskControlResponse out;
  out.Command = r.Command;
  Task* task = FindTask(r.TaskName);
  if (!task || !ApplyCommand(*task, r.Command)) {
    out.ReturnValue = -1;
    return out;
  }
  if (ChangesState(r.Command)) RaiseStateFlag();
  return out;
}

rpc::ServerControlResponse SimNode::ServerControl(const rpc::ServerControlRequest& r) {
  rpc::ServerControlResponse out;
  out.Command = r.Command;
  if (!IsCommand(r.Command)) {
    out.ReturnValue = -1;
    return out;
  }
  for (auto& task : node_.tasks) ApplyCommand(task, r.Command);
  if (ChangesState(r.Command)) RaiseStateFlag();
  return out;
}

rpc::TaskGetParamCountResponse SimNode::TaskGetParamCount(const rpc::TaskGetParamCountRequest& r) {
  rpc::TaskGetParamCountResponse out;
  const Task* task = FindTask(r.TaskName);
  if (!task) {
    out.ReturnValue = -1;
    return out;
  }
  out.Count = static_cast<int32_t>(task->properties.size());
  return out;
}

rpc::TaskGetParamAtResponse SimNode::TaskGetParamAt(const rpc::TaskGetParamAtRequest& r) {
  rpc::TaskGetParamAtResponse out;
  const Task* task = FindTask(r.TaskName);
  if (!task || r.Index < 0 || static_cast<size_t>(r.Index) >= task->properties.size()) {
    out.ReturnValue = -1;
    return out;
  }
  const auto& texts = task->properties[static_cast<size_t>(r.Index)].texts;
  out.FirstText = CutTo(texts[0], r.FirstTextCapacity);
  out.SecondText = CutTo(texts[1], r.SecondTextCapacity);
  out.ThirdText = CutTo(texts[2], r.ThirdTextCapacity);
  out.FourthText = CutTo(texts[3], r.FourthTextCapacity);
  return out;
}

}  // namespace sim
