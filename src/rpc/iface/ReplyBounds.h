#pragma once
// Counts a server sends next to a buffer are believed only as far as the
// received bytes reach; counts of server lists are capped.

#include <cstdint>

namespace rpc {

// GetDisks: at most length / 104 records and at most 32.
int32_t BoundedDiskCount(int32_t count, int32_t length);
// QMX_DirGetTimingsArray: at most length / 72 frames.
int32_t BoundedFrameCount(int32_t count, int32_t length);
// Tasks, directory items, folders, sections, parameters: 0 to 65536.
int32_t BoundedServerCount(int32_t count);

}  // namespace rpc
