#pragma once
// Dials many TCP endpoints at once and reports which took the connection
// within a timeout. Dotted IPv4 addresses are dialled from one thread with
// non-blocking connects; names are resolved and dialled on threads of their
// own, as resolution blocks. The connections are closed at once. An interrupt
// of the calls (rpc/runtime/CallInterrupt.h) ends the wait: whatever has not
// answered by then counts as silent.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "rpc/runtime/FailureCause.h"

namespace core {

struct ProbeTarget {
  std::string host;
  uint16_t port = 0;
};

// One flag per target: true when it answered within `timeout`. With `causes`,
// why each target that did not answer failed: Refused (nothing listens),
// NoAnswer (silent or unreachable), Cancelled (the calls were interrupted).
std::vector<bool> ProbeConnections(const std::vector<ProbeTarget>& targets, std::chrono::milliseconds timeout,
                                   std::vector<rpc::FailureCause>* causes = nullptr);

}  // namespace core
