#pragma once
// The status and cause of the RpcException a piece of code throws.

#include <functional>
#include <ostream>

#include "rpc/runtime/RpcException.h"

namespace rpc::test {

struct Failure {
  uint32_t code = 0;
  FailureCause cause = FailureCause::Other;
  bool operator==(const Failure&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Failure& f) { return out << DescribeFailure(f.code, f.cause); }

// {0, Other} when nothing was thrown.
inline Failure FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RpcException& e) {
    return {e.Code(), e.Cause()};
  }
  return {};
}

}  // namespace rpc::test
