#include "rpc/runtime/Transport.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rpc {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

void SetNonBlocking(int fd, bool on = true) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags >= 0) fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

int PollMs(std::chrono::milliseconds wait) {
  if (wait.count() < 0) return -1;
  return static_cast<int>(std::min<int64_t>(wait.count(), INT32_MAX));
}

[[noreturn]] void Unavailable(const std::string& what) { throw RpcException(status::kServerUnavailable, what); }

// Connects a non-blocking socket within `timeout`; returns false on failure.
bool ConnectWithin(int fd, const sockaddr* addr, socklen_t length, std::chrono::milliseconds timeout) {
  SetNonBlocking(fd);
  if (connect(fd, addr, length) == 0) return true;
  if (errno != EINPROGRESS && errno != EINTR) return false;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLOUT, 0};
    const int n = poll(&p, 1, PollMs(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    int error = 0;
    socklen_t len = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0) return false;
    return error == 0;
  }
}

}  // namespace

// Blocking I/O with the socket's own receive and send timeouts: one system
// call per read or write, and the wait of each is bounded by the silence allowed.
Transport::Transport(int fd) : fd_(fd) { SetNonBlocking(fd_, false); }

void Transport::SetSilence(std::chrono::milliseconds silence) {
  if (silence == silence_) return;
  timeval tv{};  // zero: no limit
  if (silence.count() > 0) {
    tv.tv_sec = static_cast<time_t>(silence.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>((silence.count() % 1000) * 1000);
  } else if (silence.count() == 0) {
    tv.tv_usec = 1000;  // "no wait at all" cannot be said: the shortest wait instead
  }
  setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  silence_ = silence;
}

Transport::~Transport() {
  if (fd_ >= 0) close(fd_);
}

std::unique_ptr<Transport> Transport::ConnectTcp(const std::string& host, uint16_t port,
                                                 std::chrono::milliseconds timeout) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const std::string name = host.empty() ? "127.0.0.1" : host;
  if (getaddrinfo(name.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
    Unavailable("cannot resolve " + name);
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() > 0 && ConnectWithin(fd, a->ai_addr, a->ai_addrlen, left)) {
      freeaddrinfo(found);
      const int one = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      return std::make_unique<Transport>(fd);
    }
    close(fd);
  }
  freeaddrinfo(found);
  Unavailable("cannot connect to " + name + ":" + service);
}

std::unique_ptr<Transport> Transport::ConnectLocal(const std::string& path, std::chrono::milliseconds timeout) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) Unavailable("local endpoint path too long");
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) Unavailable("cannot create a local socket");
  if (!ConnectWithin(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr, timeout)) {
    close(fd);
    Unavailable("cannot connect to " + path);
  }
  return std::make_unique<Transport>(fd);
}

void Transport::ReadExact(uint8_t* out, size_t size, std::chrono::milliseconds silence) {
  SetSilence(silence);
  while (size > 0) {
    if (begin_ < end_) {
      const size_t n = std::min(size, end_ - begin_);
      std::memcpy(out, buffer_.get() + begin_, n);
      begin_ += n;
      out += n;
      size -= n;
      continue;
    }
    // Large reads bypass the buffer; small ones fill it for what follows.
    const bool direct = size >= kBufferSize;
    // Left uninitialised: recv writes what is read, and only the pages it
    // touches are ever mapped, which keeps a short-lived connection cheap.
    if (!direct && !buffer_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kBufferSize);
    uint8_t* target = direct ? out : buffer_.get();
    const size_t want = direct ? size : kBufferSize;
    const ssize_t got = recv(fd_, target, want, 0);
    if (got > 0) {
      if (direct) {
        out += got;
        size -= static_cast<size_t>(got);
      } else {
        begin_ = 0;
        end_ = static_cast<size_t>(got);
      }
      continue;
    }
    if (got == 0) throw TransportError(TransportError::Kind::kClosed, "connection closed by the peer");
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      throw TransportError(TransportError::Kind::kTimeout, "the peer stayed silent too long");
    } else if (errno != EINTR) {
      if (errno == ECONNRESET) throw TransportError(TransportError::Kind::kClosed, "connection reset by the peer");
      throw TransportError(TransportError::Kind::kFailed, std::strerror(errno));
    }
  }
}

void Transport::Write(std::span<const uint8_t> first, std::span<const uint8_t> second,
                      std::chrono::milliseconds silence) {
  const std::span<const uint8_t> pieces[2] = {first, second};
  WriteGather(pieces, silence);
}

void Transport::WriteGather(std::span<const std::span<const uint8_t>> pieces, std::chrono::milliseconds silence) {
  SetSilence(silence);
  constexpr size_t kMaxParts = 256;
  size_t index = 0;   // first piece not yet fully sent
  size_t offset = 0;  // bytes of it already sent
  while (index < pieces.size()) {
    iovec parts[kMaxParts];
    size_t count = 0;
    for (size_t i = index; i < pieces.size() && count < kMaxParts; ++i) {
      const size_t skip = i == index ? offset : 0;
      if (pieces[i].size() == skip) continue;
      parts[count++] = {const_cast<uint8_t*>(pieces[i].data() + skip), pieces[i].size() - skip};
    }
    if (count == 0) return;
    msghdr msg{};
    msg.msg_iov = parts;
    msg.msg_iovlen = count;
    const ssize_t sent = sendmsg(fd_, &msg, MSG_NOSIGNAL);
    if (sent >= 0) {
      size_t n = static_cast<size_t>(sent);
      while (index < pieces.size() && n >= pieces[index].size() - offset) {
        n -= pieces[index].size() - offset;
        ++index;
        offset = 0;
      }
      offset += n;
      continue;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      throw TransportError(TransportError::Kind::kTimeout, "the peer took no bytes for too long");
    } else if (errno != EINTR) {
      if (errno == EPIPE || errno == ECONNRESET) {
        throw TransportError(TransportError::Kind::kClosed, "connection closed by the peer");
      }
      throw TransportError(TransportError::Kind::kFailed, std::strerror(errno));
    }
  }
}

void Transport::Shutdown() { shutdown(fd_, SHUT_RDWR); }

}  // namespace rpc
