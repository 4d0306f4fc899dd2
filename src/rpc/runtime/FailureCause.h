#pragma once
// Why a call failed, finer than its status code: 1722 stands for a refused
// connection as well as for a computer that never answered, and 1726 for a
// closed connection as well as a reply that never came. The runtime sets the
// cause where it raises the failure; the console puts it into words.

#include <cstdint>
#include <string>

namespace rpc {

enum class FailureCause : uint8_t {
  Other,          // nothing finer than the status code itself
  Refused,        // the computer refused the connection
  NoAnswer,       // the connection attempt was never answered (or the host is unreachable)
  Unresolved,     // the computer's name could not be resolved
  TimedOut,       // connected, but the answer did not come in time
  Closed,         // the peer closed or reset the connection
  ProtocolError,  // the peer broke the protocol
  Cancelled,      // the program is stopping (see CallInterrupt.h)
};

// The cause a status implies when the thrower names none.
FailureCause CauseOfStatus(uint32_t status);

// "1722 (connection refused)", "1726 (timed out)", "1717 (unknown interface)":
// the status and, in a few English words, the cause or else the status's meaning.
std::string DescribeFailure(uint32_t status, FailureCause cause);

}  // namespace rpc
