#pragma once
// A raw TCP server on loopback, the physical baseline of the benchmarks: it
// accepts one connection and answers a fixed list of exchanges in turn, over
// and over; for the request bytes of one, as many reply bytes of the same.
// No protocol, only the byte counts on the wire. Both ends give up after
// kReceiveLimit of silence, so that a broken run ends instead of hanging.

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "support/BlockingSocketIo.h"
#include "support/LoopbackSockets.h"

namespace testsupport {

class RawExchangeServer {
 public:
  // Each pair: request bytes read, then reply bytes written back. Not empty.
  using Exchanges = std::vector<std::pair<size_t, size_t>>;

  explicit RawExchangeServer(Exchanges exchanges) : exchanges_(std::move(exchanges)) {
    const auto listener = ListenOnLoopback("127.0.0.1", 1);
    listenFd_ = listener.fd;
    port_ = listener.port;
    LimitReceiveWait(listenFd_);
    thread_ = std::thread([this] {
      const int fd = accept(listenFd_, nullptr, nullptr);
      if (fd < 0) return;
      NoDelay(fd);
      LimitReceiveWait(fd);
      std::vector<uint8_t> request(Largest(true)), reply(Largest(false), 0x5A);
      for (size_t i = 0;; i = (i + 1) % exchanges_.size()) {
        if (!ReadAll(fd, request.data(), exchanges_[i].first) || !WriteAll(fd, reply.data(), exchanges_[i].second)) {
          break;
        }
      }
      close(fd);
    });
  }
  ~RawExchangeServer() {
    shutdown(listenFd_, SHUT_RDWR);
    thread_.join();
    close(listenFd_);
  }
  RawExchangeServer(const RawExchangeServer&) = delete;
  RawExchangeServer& operator=(const RawExchangeServer&) = delete;

  // The client's end, with Nagle off and the receive limit as on the server's.
  int Connect() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port_);
    connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    NoDelay(fd);
    LimitReceiveWait(fd);
    return fd;
  }

  // The largest request (or reply) of the list, at least one byte.
  size_t Largest(bool request) const {
    size_t largest = 1;
    for (const auto& [out, in] : exchanges_) largest = std::max(largest, request ? out : in);
    return largest;
  }

 private:
  static void NoDelay(int fd) {
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }

  const Exchanges exchanges_;
  int listenFd_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};

}  // namespace testsupport
