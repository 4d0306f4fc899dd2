#pragma once
// The millisecond clock the pop-up window and the tray icon read; tests give
// their own so that time passes without waiting.

#include <chrono>
#include <cstdint>
#include <functional>

namespace ui {

using MsClock = std::function<int64_t()>;

inline int64_t SteadyNowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace ui
