#include "core/BusyIndicator.h"

#include "ports/ProgressPort.h"

namespace core {

void BusyIndicator::Attach(ports::ProgressPort* progress) {
  progress_ = progress;
  visible_ = false;
  position_ = 0;
}

void BusyIndicator::Detach() {
  if (progress_ && visible_) progress_->End();
  progress_ = nullptr;
  visible_ = false;
  position_ = 0;
}

void BusyIndicator::SetBusy(bool busy) {
  // Wraps like the 32-bit counter it stands for instead of overflowing.
  counter_ = static_cast<int32_t>(static_cast<uint32_t>(counter_) + (busy ? 1u : 0xFFFFFFFFu));
}

bool BusyIndicator::IsBusy() const { return counter_ != 0 || progress_ == nullptr || visible_; }

bool BusyIndicator::ShowProgress() {
  if (IsBusy()) return false;
  progress_->Begin(std::string(), rangeMax_);
  visible_ = true;
  position_ = 0;
  return true;
}

bool BusyIndicator::HideProgress() {
  // Without a control there is nothing to hide.
  if (IsBusy() && progress_) {
    if (visible_) progress_->End();
    visible_ = false;
    position_ = 0;
  }
  return true;
}

void BusyIndicator::SetRange(int rangeMax) {
  rangeMax_ = rangeMax;
  // The port sets its range when it begins: a shown control begins again.
  if (progress_ && visible_) {
    progress_->Begin(std::string(), rangeMax_);
    progress_->SetPosition(position_);
  }
}

void BusyIndicator::SetPosition(int position) {
  position_ = position;
  if (progress_ && visible_) progress_->SetPosition(position);
}

void BusyIndicator::Step(int count) {
  position_ += count;
  if (progress_ && visible_) progress_->Step(count);
}

}  // namespace core
