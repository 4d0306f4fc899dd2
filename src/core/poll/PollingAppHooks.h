#pragma once
// The polls of start-up (one before the favourite groups, one after) and the
// poll timer's period, through the application's hooks; every other step goes
// on to `next`.

#include <cstdint>

#include "core/ChainedAppHooks.h"

namespace core {

class CStatePoller;

class PollingAppHooks : public ChainedAppHooks {
 public:
  // `poller` may be set later (it often needs the application object that
  // these hooks are given to); without one a poll does nothing.
  explicit PollingAppHooks(CStatePoller* poller, AppHooks* next = nullptr);
  void SetPoller(CStatePoller* poller) { poller_ = poller; }

  // Ours.
  void PollAll() override;
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override;
  uint32_t PollPeriodMs() const { return pollMs_; }
  bool TimersStarted() const { return started_; }

 private:
  CStatePoller* poller_;
  uint32_t pollMs_ = 0;
  bool started_ = false;
};

}  // namespace core
