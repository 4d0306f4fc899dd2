#pragma once
// The queue manager's directory listing: QMX_DirGetCount, then QMX_DirGetAt for
// each index. A nonzero status word stops the listing with the failure to
// report under the operation's name; the caller may stop it too (its view was
// closed). RPC failures pass through as RpcException.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "rpc/iface/CallFailure.h"
#include "rpc/iface/Capacities.h"

namespace rpc {

class CallTarget;

struct DirectoryEntry {
  int32_t index = 0;
  std::string text;               // trimmed of blanks, CR, LF and tabs; never empty
  std::array<int32_t, 5> values{};  // the five item values; the second, inverted, picks the icon
};

struct DirectoryListingHooks {
  // The count as received (capped at 65536); for a progress total.
  std::function<void(int32_t count)> onCount;
  // Each non-empty entry; return false to stop the listing.
  std::function<bool(const DirectoryEntry&)> onEntry;
};

// Empty when the listing ran to its end or was stopped by the caller.
std::optional<CallFailure> ListDirectory(CallTarget& target, const DirectoryListingHooks& hooks,
                                         int32_t capacity = cap::kDirItemText);

}  // namespace rpc
