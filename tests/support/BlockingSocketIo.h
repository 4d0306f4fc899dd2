#pragma once
// Whole-buffer reads and writes on a blocking socket, for raw peers in tests
// and benchmarks.

#include <sys/socket.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>

namespace testsupport {

// Reads exactly `size` bytes; false when the peer closed or the read failed.
inline bool ReadAll(int fd, uint8_t* out, size_t size) {
  while (size > 0) {
    const ssize_t n = recv(fd, out, size, 0);
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
