#pragma once
// Sockets on loopback for tests and benchmarks: a listener on a port the system
// picks, and a black hole — a listener whose backlog is full, so that a new
// connection attempt is never answered, as with a host that drops packets.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace testsupport {

struct LoopbackListener {
  int fd = -1;
  uint16_t port = 0;
};

// Listens on `address` (a loopback address) at a port chosen by the system;
// fd is -1 when that failed.
inline LoopbackListener ListenOnLoopback(const char* address = "127.0.0.1", int backlog = 8) {
  LoopbackListener listener;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  inet_pton(AF_INET, address, &a.sin_addr);
  socklen_t length = sizeof a;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, backlog) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
    if (fd >= 0) close(fd);
    return listener;
  }
  listener.fd = fd;
  listener.port = ntohs(a.sin_port);
  return listener;
}

class BlackHole {
 public:
  explicit BlackHole(const char* address = "127.0.0.3") : listener_(ListenOnLoopback(address, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(listener_.port);
    inet_pton(AF_INET, address, &a.sin_addr);
    // A few unanswered connections fill the smallest backlog the kernel keeps.
    for (int i = 0; i < 4 && listener_.fd >= 0; ++i) {
      const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
      fillers_.push_back(fd);
    }
  }
  ~BlackHole() {
    for (int fd : fillers_) close(fd);
    if (listener_.fd >= 0) close(listener_.fd);
  }
  BlackHole(const BlackHole&) = delete;
  BlackHole& operator=(const BlackHole&) = delete;

  bool Ok() const { return listener_.fd >= 0; }
  uint16_t Port() const { return listener_.port; }

 private:
  LoopbackListener listener_;
  std::vector<int> fillers_;
};

}  // namespace testsupport
