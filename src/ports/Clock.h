#pragma once
// The time source. Tests inject a fixed clock; nothing sleeps to make time pass.

#include <chrono>
#include <ctime>

namespace ports {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since 1970 (UTC).
  virtual std::time_t Now() const = 0;
  // Broken-down local time of Now().
  virtual std::tm LocalTime() const = 0;
  // A steady millisecond counter for periods and timeouts.
  virtual int64_t SteadyMs() const = 0;
};

class SystemClock : public Clock {
 public:
  std::time_t Now() const override { return std::time(nullptr); }
  std::tm LocalTime() const override {
    const std::time_t now = Now();
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
  }
  int64_t SteadyMs() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace ports
