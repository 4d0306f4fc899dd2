#pragma once
// Whole-buffer reads and writes on a blocking socket, for raw peers in tests
// and benchmarks, and a limit on how long such a socket waits for its peer.

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/types.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace testsupport {

// How long a limited socket waits for its peer: far beyond any healthy
// exchange, even a slow sanitized one; it only keeps a broken peer from
// hanging a test or a benchmark run for ever.
inline constexpr std::chrono::seconds kReceiveLimit{60};

// Makes a read on `fd`, or an accept when it listens, fail with EAGAIN when
// nothing came within `limit`.
inline void LimitReceiveWait(int fd, std::chrono::seconds limit = kReceiveLimit) {
  timeval wait{};
  wait.tv_sec = static_cast<time_t>(limit.count());
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
}

// Whether the read or accept that just failed ran out of its limit.
inline bool ReceiveTimedOut() { return errno == EAGAIN || errno == EWOULDBLOCK; }

// Reads exactly `size` bytes; false when the peer closed (errno 0), the read
// failed or the socket's limit passed (see ReceiveTimedOut).
inline bool ReadAll(int fd, uint8_t* out, size_t size) {
  while (size > 0) {
    const ssize_t n = recv(fd, out, size, 0);
    if (n == 0) errno = 0;  // a close is no error, nor a timeout
    if (n <= 0) return false;
    out += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Writes all `size` bytes; false when the peer went away (no SIGPIPE).
inline bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace testsupport
