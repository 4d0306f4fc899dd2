#include "sim/lib/FaultPlan.h"

#include <algorithm>

namespace sim {

namespace {

bool CarriesNeeded(std::string_view operation) {
  return operation == "GetRoutList" || operation == "GetAbonentInfo";
}

}  // namespace

void FaultPlan::Add(FaultRule rule) {
  std::lock_guard lock(mutex_);
  rules_.push_back(std::move(rule));
}

void FaultPlan::Clear() {
  std::lock_guard lock(mutex_);
  rules_.clear();
  bigEndian_ = false;
}

void FaultPlan::SetBigEndian(bool on) {
  std::lock_guard lock(mutex_);
  bigEndian_ = on;
}

std::vector<FaultRule> FaultPlan::Pending() const {
  std::lock_guard lock(mutex_);
  return rules_;
}

CallPlan FaultPlan::Take(std::string_view operation) {
  using Action = rpc::ServerReply::Action;
  std::lock_guard lock(mutex_);
  CallPlan plan;
  plan.bigEndian = bigEndian_;
  for (auto& rule : rules_) {
    if (!rule.operation.empty() && rule.operation != operation) continue;
    bool used = true;
    switch (rule.kind) {
      case FaultRule::Kind::Delay:
        plan.delay += std::chrono::milliseconds(rule.value);
        break;
      case FaultRule::Kind::Needed:
        if (!CarriesNeeded(operation) || plan.needed) used = false;
        else plan.needed = static_cast<int32_t>(rule.value);
        break;
      case FaultRule::Kind::Answer:
        if (plan.answer) used = false;
        else plan.answer = rule;
        break;
      default:
        // The first transport rule decides what happens to the call.
        if (plan.action != Action::kAnswer) {
          used = false;
          break;
        }
        if (rule.kind == FaultRule::Kind::Drop) plan.action = Action::kDropConnection;
        if (rule.kind == FaultRule::Kind::Hang) plan.action = Action::kNoAnswer;
        if (rule.kind == FaultRule::Kind::Malformed) plan.action = Action::kMalformed;
        if (rule.kind == FaultRule::Kind::Truncated) plan.action = Action::kTruncated;
        if (rule.kind == FaultRule::Kind::Fault) {
          plan.action = Action::kFault;
          plan.faultStatus = static_cast<uint32_t>(rule.value);
        }
        break;
    }
    if (used && rule.remaining > 0) --rule.remaining;
  }
  rules_.erase(std::remove_if(rules_.begin(), rules_.end(), [](const FaultRule& r) { return r.remaining == 0; }),
               rules_.end());
  return plan;
}

}  // namespace sim
