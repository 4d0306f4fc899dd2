#include "sim/lib/WallClock.h"

namespace sim {

int64_t LocalWallClockSeconds(std::time_t utc) {
  std::tm local{};
  localtime_r(&utc, &local);
  // The broken-down local time read back as UTC adds the zone's offset and
  // its daylight bias of that moment.
  return static_cast<int64_t>(timegm(&local));
}

}  // namespace sim
