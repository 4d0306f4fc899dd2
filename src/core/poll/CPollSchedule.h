#pragma once
// When the poll timer (666) fires: every period from its start, and from the
// moment of a restart when the settings change the period. Times are the
// steady milliseconds of the clock port, so tests move time without sleeping.

#include <cstdint>

namespace core {

class CPollSchedule {
 public:
  // Starts (or restarts) the timer: the next poll is one period after `nowMs`.
  void Start(uint32_t periodMs, int64_t nowMs);
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  uint32_t PeriodMs() const { return periodMs_; }
  // The settings changed PERIOD_VERIFY: restart with the new period, as the
  // window timer is set again. Nothing happens while stopped.
  void ChangePeriod(uint32_t periodMs, int64_t nowMs);

  // True once per elapsed period; a late check does not make up the polls it
  // missed (a window timer does not queue them either).
  bool Due(int64_t nowMs);
  // When the next poll is due; meaningful while running.
  int64_t NextDueMs() const { return nextMs_; }

 private:
  bool running_ = false;
  uint32_t periodMs_ = 0;
  int64_t nextMs_ = 0;
};

}  // namespace core
