#pragma once
// The threshold checks of one watched entry against its group's limits.

#include <cstdint>

#include "core/GroupRecord.h"

namespace ports {
class Clock;
}

namespace model {

// The local wall-clock time in seconds since 1970: the broken-down local time
// read as if it were UTC, so shifted by the zone and daylight bias, as the
// server's time stamps are.
int64_t LocalWallClockNow(const ports::Clock& clock);

class _VxItem;

// Clears the entry's error text, count and alarm flag and runs the checks:
// waiting times, queue lengths, then the link. `localNow` is the local
// wall-clock time in seconds since 1970, as the server's time stamps are.
void CheckThresholds(_VxItem& item, const core::GroupRecord& limits, int64_t localNow);

}  // namespace model
