#pragma once
// A connected stream socket (TCP or Unix-domain) with bounded waits: reads
// exactly the bytes asked for, writes everything given, and gives up when the
// peer stays silent (or does not take bytes) longer than the wait allowed, or
// when a deadline set for the whole exchange passes. Reads are buffered, so a
// run of small fragments costs one system call, while a large read goes
// straight into the caller's memory. The connections a client opens also wait
// on the process-wide interrupt (CallInterrupt.h).

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "rpc/runtime/RpcException.h"

namespace rpc {

// A broken stream: its code is 1726 (call failed); Kind tells why.
class TransportError : public RpcException {
 public:
  enum class Kind { kClosed, kTimeout, kFailed };
  TransportError(Kind kind, const std::string& what)
      : RpcException(status::kCallFailed, what, CauseOfKind(kind)), kind_(kind) {}
  Kind GetKind() const { return kind_; }

 private:
  static FailureCause CauseOfKind(Kind kind) {
    return kind == Kind::kClosed ? FailureCause::Closed
           : kind == Kind::kTimeout ? FailureCause::TimedOut
                                    : FailureCause::Other;
  }

  Kind kind_;
};

class Transport {
 public:
  using Clock = std::chrono::steady_clock;
  // A negative wait waits for ever.
  static constexpr std::chrono::milliseconds kForever{-1};
  static constexpr Clock::time_point kNoDeadline = Clock::time_point::max();

  // Takes ownership of a connected socket. An interruptible one (a client's)
  // fails every wait with RpcException(1818) once the calls are interrupted,
  // and keeps the deadline; a server's does neither.
  explicit Transport(int fd, bool interruptible = false);
  ~Transport();
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Throws RpcException(1722) when no connection is made within `timeout`
  // (refused, unreachable, name not resolved, timed out; the cause says
  // which), RpcException(1818) when interrupted. An empty host is the local
  // machine. TCP_NODELAY is set. The connection is interruptible.
  static std::unique_ptr<Transport> ConnectTcp(const std::string& host, uint16_t port,
                                               std::chrono::milliseconds timeout);
  static std::unique_ptr<Transport> ConnectLocal(const std::string& path, std::chrono::milliseconds timeout);

  // Every later wait also ends at `deadline` (TransportError kTimeout).
  void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }

  // Throws TransportError, or RpcException(1818) when interrupted.
  void ReadExact(uint8_t* out, size_t size, std::chrono::milliseconds silence);
  // Sends `first` then `second` (either may be empty) as one stream write.
  void Write(std::span<const uint8_t> first, std::span<const uint8_t> second, std::chrono::milliseconds silence);
  // Sends the pieces in order, gathering many into each system call.
  void WriteGather(std::span<const std::span<const uint8_t>> pieces, std::chrono::milliseconds silence);

  // Wakes a reader blocked on this socket (used by the server to stop).
  void Shutdown();
  int Fd() const { return fd_; }

 private:
  // A client's socket: waits until it is ready for `events`; throws when
  // `silence` or the deadline passes first, or the calls are interrupted.
  void Wait(short events, std::chrono::milliseconds silence);
  void CheckDeadline(Clock::time_point now) const;
  // A server's socket: bounds each blocking system call by `silence`.
  void SetSilence(std::chrono::milliseconds silence);

  int fd_;
  bool interruptible_;
  Clock::time_point deadline_ = kNoDeadline;
  std::chrono::milliseconds silence_ = kForever;  // as set on a server's socket
  bool streaming_ = false;  // the last read filled all it asked for
  std::unique_ptr<uint8_t[]> buffer_;  // kBufferSize bytes once a small read needs it; never zero-filled
  size_t begin_ = 0;
  size_t end_ = 0;
};

}  // namespace rpc
