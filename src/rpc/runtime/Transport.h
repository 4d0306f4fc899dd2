#pragma once
// A connected stream socket (TCP or Unix-domain) with bounded waits: reads
// exactly the bytes asked for, writes everything given, and gives up when the
// peer stays silent (or does not take bytes) longer than the wait allowed.
// Reads are buffered, so a run of small fragments costs one system call, while
// a large read goes straight into the caller's memory.

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
  TransportError(Kind kind, const std::string& what) : RpcException(status::kCallFailed, what), kind_(kind) {}
  Kind GetKind() const { return kind_; }

 private:
  Kind kind_;
};

class Transport {
 public:
  // A negative wait waits for ever.
  static constexpr std::chrono::milliseconds kForever{-1};

  // Takes ownership of a connected socket.
  explicit Transport(int fd);
  ~Transport();
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Throws RpcException(1722) when no connection is made within `timeout`
  // (refused, unreachable, name not resolved, timed out). An empty host is
  // the local machine. TCP_NODELAY is set.
  static std::unique_ptr<Transport> ConnectTcp(const std::string& host, uint16_t port,
                                               std::chrono::milliseconds timeout);
  static std::unique_ptr<Transport> ConnectLocal(const std::string& path, std::chrono::milliseconds timeout);

  // Throws TransportError.
  void ReadExact(uint8_t* out, size_t size, std::chrono::milliseconds silence);
  // Sends `first` then `second` (either may be empty) as one stream write.
  void Write(std::span<const uint8_t> first, std::span<const uint8_t> second, std::chrono::milliseconds silence);
  // Sends the pieces in order, gathering many into each system call.
  void WriteGather(std::span<const std::span<const uint8_t>> pieces, std::chrono::milliseconds silence);

  // Wakes a reader blocked on this socket (used by the server to stop).
  void Shutdown();
  int Fd() const { return fd_; }

 private:
  void SetSilence(std::chrono::milliseconds silence);

  int fd_;
  std::chrono::milliseconds silence_ = kForever;  // as set on the socket
  std::unique_ptr<uint8_t[]> buffer_;  // kBufferSize bytes once a small read needs it; never zero-filled
  size_t begin_ = 0;
  size_t end_ = 0;
};

}  // namespace rpc
