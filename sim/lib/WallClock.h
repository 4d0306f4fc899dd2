#pragma once
// A node stamps times with its local wall clock: the local date and time
// counted in seconds since 1970 as if they were UTC. The console reads them
// the same way, so the simulator must send them so too, whatever the zone.

#include <cstdint>
#include <ctime>

namespace sim {

// The node's time stamp for the moment `utc` (seconds since 1970, UTC) in
// the process's local time zone (TZ).
int64_t LocalWallClockSeconds(std::time_t utc);

}  // namespace sim
