#include "core/OperationGate.h"

#include "text/Cp1251.h"

namespace core {

std::string ChannelBusyText() { return text::Cp("Не возможно выполнить операцию - канал связи занят."); }

OperationGate::Hold OperationGate::Enter(Operation what) {
  Operation expected = Operation::None;
  if (what == Operation::None || !holder_.compare_exchange_strong(expected, what, std::memory_order_acq_rel))
    return Hold();
  return Hold(this);
}

void OperationGate::Hold::Release() {
  if (!gate_) return;
  gate_->holder_.store(Operation::None, std::memory_order_release);
  gate_ = nullptr;
}

}  // namespace core
