#pragma once
// Answers of the queue manager's directory operations that callers act on
// rather than report.

#include <cstdint>

namespace rpc::dirstatus {

// An item the queue manager has no directory entry for: Status 2 and a
// return value of -2.
inline constexpr int32_t kNotFoundStatus = 2;
inline constexpr int32_t kNotFound = -2;
// QMX_DirAdd of an item that exists already: -5 with both status words 0.
inline constexpr int32_t kExists = -5;

// True for the "no such directory entry" answer.
inline constexpr bool IsNotFound(int32_t returnValue, int32_t status, int32_t rpcErr) {
  return returnValue == kNotFound && status == kNotFoundStatus && rpcErr == 0;
}

}  // namespace rpc::dirstatus
