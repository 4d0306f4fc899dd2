#include "rpc/iface/ReplyBounds.h"

#include <algorithm>

#include "rpc/iface/Capacities.h"

namespace rpc {

int32_t BoundedDiskCount(int32_t count, int32_t length) {
  const int32_t fits = std::max(length, 0) / cap::kDiskRecordSize;
  return std::clamp(count, 0, std::min(fits, cap::kMaxDiskRecords));
}

int32_t BoundedFrameCount(int32_t count, int32_t length) {
  return std::clamp(count, 0, std::max(length, 0) / cap::kTimingFrameSize);
}

int32_t BoundedServerCount(int32_t count) { return std::clamp(count, 0, cap::kMaxServerCount); }

}  // namespace rpc
