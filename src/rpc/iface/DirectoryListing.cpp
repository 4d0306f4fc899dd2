#include "rpc/iface/DirectoryListing.h"

#include <algorithm>
#include <vector>

#include "rpc/iface/DirCalls.h"
#include "rpc/iface/ReplyBounds.h"
#include "text/Strings.h"

namespace rpc {

std::optional<CallFailure> ListDirectory(CallTarget& target, const DirectoryListingHooks& hooks,
                                         int32_t capacity) {
  int32_t status = 0, rpcErr = 0, count = 0;
  // Neither return value is evaluated, only the status words; the report is
  // given code 0, so a transport failure reads as the access problem it is.
  QMX_DirGetCount(target, &status, &rpcErr, &count);
  if (status != 0 || rpcErr != 0) return CallFailure{"QMX_DirGetCount", 0, status, rpcErr};
  count = BoundedServerCount(count);
  if (hooks.onCount) hooks.onCount(count);

  std::vector<char> buffer(static_cast<size_t>(std::max(capacity, 0)) + 1);
  for (int32_t index = 0; index < count; ++index) {
    std::fill(buffer.begin(), buffer.end(), 0);
    DirectoryEntry entry;
    entry.index = index;
    int32_t length = 0;
    auto& v = entry.values;
    status = rpcErr = 0;
    QMX_DirGetAt(target, &status, &rpcErr, index, capacity, &length, buffer.data(), &v[0], &v[1], &v[2], &v[3],
                 &v[4]);
    if (status != 0 || rpcErr != 0) return CallFailure{"QMX_DirGetAt", 0, status, rpcErr};
    entry.text = text::Trim(std::string(buffer.data()));
    if (entry.text.empty()) continue;
    if (hooks.onEntry && !hooks.onEntry(entry)) break;
  }
  return std::nullopt;
}

}  // namespace rpc
