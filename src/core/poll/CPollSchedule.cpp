#include "core/poll/CPollSchedule.h"

#include <algorithm>

namespace core {

void CPollSchedule::Start(uint32_t periodMs, int64_t nowMs) {
  // A period of 0 would fire on every check.
  periodMs_ = std::max<uint32_t>(periodMs, 1);
  nextMs_ = nowMs + periodMs_;
  running_ = true;
}

void CPollSchedule::ChangePeriod(uint32_t periodMs, int64_t nowMs) {
  if (running_) Start(periodMs, nowMs);
}

bool CPollSchedule::Due(int64_t nowMs) {
  if (!running_ || nowMs < nextMs_) return false;
  const int64_t missed = (nowMs - nextMs_) / periodMs_;
  nextMs_ += (missed + 1) * int64_t{periodMs_};
  return true;
}

}  // namespace core
