#include "core/poll/PollingAppHooks.h"

#include "core/poll/CStatePoller.h"

namespace core {

PollingAppHooks::PollingAppHooks(CStatePoller* poller, AppHooks* next) : ChainedAppHooks(next), poller_(poller) {}

void PollingAppHooks::PollAll() {
  if (poller_) poller_->PollAll();
  ChainedAppHooks::PollAll();
}

void PollingAppHooks::StartTimers(uint32_t pollMs, uint32_t favoritesMs) {
  pollMs_ = pollMs;
  started_ = true;
  ChainedAppHooks::StartTimers(pollMs, favoritesMs);
}

}  // namespace core
