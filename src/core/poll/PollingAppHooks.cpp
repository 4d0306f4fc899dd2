#include "core/poll/PollingAppHooks.h"

#include "core/poll/CStatePoller.h"

namespace core {

PollingAppHooks::PollingAppHooks(CStatePoller* poller, AppHooks* next) : poller_(poller), next_(next ? next : &none_) {}

void PollingAppHooks::PollAll() {
  if (poller_) poller_->PollAll();
  next_->PollAll();
}

void PollingAppHooks::StartTimers(uint32_t pollMs, uint32_t favoritesMs) {
  pollMs_ = pollMs;
  started_ = true;
  next_->StartTimers(pollMs, favoritesMs);
}

}  // namespace core
