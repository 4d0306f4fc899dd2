#include "rpc/runtime/Transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "rpc/runtime/CallInterrupt.h"

namespace rpc {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

using Clock = Transport::Clock;

void SetNonBlocking(int fd, bool on = true) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags >= 0) fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

// Milliseconds for poll(), rounded up so that a wait never spins at zero.
int PollMs(Clock::duration left) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return static_cast<int>(std::clamp<int64_t>(ms, 0, INT32_MAX));
}

[[noreturn]] void Unavailable(const std::string& what, FailureCause cause) {
  throw RpcException(status::kServerUnavailable, what, cause);
}

// Polls `fd` for `events` and the interrupt together; true when `fd` is ready,
// false when `timeoutMs` passed. Throws 1818 when interrupted.
bool PollOrInterrupt(int fd, short events, int timeoutMs) {
  pollfd p[2] = {{fd, events, 0}, {InterruptWaitFd(), POLLIN, 0}};
  for (;;) {
    ThrowIfInterrupted();
    const int n = poll(p, 2, timeoutMs);
    if (n < 0 && errno == EINTR) continue;  // the handler may have interrupted us
    ThrowIfInterrupted();
    if (n <= 0) return false;
    if (p[0].revents != 0) return true;
    // Not interrupted, yet the pipe is readable: a byte written across a
    // reset. Taken away, or every later poll would return at once.
    char stale[16];
    while (read(p[1].fd, stale, sizeof stale) > 0) {
    }
  }
}

FailureCause CauseOfConnectErrno(int error) {
  switch (error) {
    case ECONNREFUSED:
    case ENOENT: return FailureCause::Refused;  // ENOENT: no local endpoint of that name
    case ETIMEDOUT:
    case EHOSTUNREACH:
    case ENETUNREACH: return FailureCause::NoAnswer;
    default: return FailureCause::Other;
  }
}

// Connects a non-blocking socket within `timeout`: nullopt when connected,
// else why not.
std::optional<FailureCause> ConnectWithin(int fd, const sockaddr* addr, socklen_t length,
                                          std::chrono::milliseconds timeout) {
  SetNonBlocking(fd);
  if (connect(fd, addr, length) == 0) return std::nullopt;
  if (errno != EINPROGRESS && errno != EINTR) return CauseOfConnectErrno(errno);
  if (!PollOrInterrupt(fd, POLLOUT, PollMs(timeout))) return FailureCause::NoAnswer;
  int error = 0;
  socklen_t len = sizeof error;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0) return FailureCause::Other;
  if (error != 0) return CauseOfConnectErrno(error);
  return std::nullopt;
}

// getaddrinfo, which cannot be interrupted, runs on a thread of its own for a
// name; the caller waits for it or for the interrupt, and on an interrupt
// leaves the thread to finish and free the answer alone.
struct Resolution {
  std::mutex mutex;
  addrinfo* found = nullptr;
  int result = EAI_FAIL;
  int ends[2] = {-1, -1};
  ~Resolution() {
    if (found != nullptr) freeaddrinfo(found);
    for (int fd : ends)
      if (fd >= 0) close(fd);
  }
};

bool IsNumericAddress(const std::string& name) {
  in6_addr scratch{};
  return inet_pton(AF_INET, name.c_str(), &scratch) == 1 || inet_pton(AF_INET6, name.c_str(), &scratch) == 1;
}

// The addresses of `name`, or nullptr when it does not resolve.
addrinfo* Resolve(const std::string& name, const std::string& service) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  auto resolveHere = [&]() -> addrinfo* {
    if (getaddrinfo(name.c_str(), service.c_str(), &hints, &found) != 0) return nullptr;
    return found;
  };
  auto state = std::make_shared<Resolution>();
  if (IsNumericAddress(name) || pipe(state->ends) != 0) return resolveHere();
  try {
    std::thread([state, name, service, hints] {
      addrinfo* answer = nullptr;
      const int result = getaddrinfo(name.c_str(), service.c_str(), &hints, &answer);
      {
        std::lock_guard lock(state->mutex);
        state->found = answer;
        state->result = result;
      }
      const char done = 1;
      [[maybe_unused]] const ssize_t n = write(state->ends[1], &done, 1);
    }).detach();
  } catch (const std::system_error&) {
    return resolveHere();  // no thread to spare: resolve without the interrupt
  }
  PollOrInterrupt(state->ends[0], POLLIN, -1);
  std::lock_guard lock(state->mutex);
  if (state->result != 0) return nullptr;
  found = state->found;
  state->found = nullptr;
  return found;
}

}  // namespace

// A client's socket is non-blocking and waited on with poll(), beside the
// interrupt and the deadline. A server's blocks, bounded by the socket's own
// timeouts: one system call per read or write.
Transport::Transport(int fd, bool interruptible) : fd_(fd), interruptible_(interruptible) {
  SetNonBlocking(fd_, interruptible_);
}

void Transport::SetSilence(std::chrono::milliseconds silence) {
  if (interruptible_ || silence == silence_) return;  // a client's waits are polled
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

void Transport::Wait(short events, std::chrono::milliseconds silence) {
  const auto silenceEnd = silence.count() < 0 ? Clock::time_point::max() : Clock::now() + silence;
  for (;;) {
    const auto now = Clock::now();
    CheckDeadline(now);
    const auto end = std::min(deadline_, silenceEnd);
    const int timeoutMs = end == Clock::time_point::max() ? -1 : PollMs(end - now);
    if (PollOrInterrupt(fd_, events, timeoutMs)) return;  // ready, or hung up: the system call says which
    if (Clock::now() >= silenceEnd) {
      throw TransportError(TransportError::Kind::kTimeout, events == POLLIN ? "the peer stayed silent too long"
                                                                             : "the peer took no bytes for too long");
    }
  }
}

void Transport::CheckDeadline(Clock::time_point now) const {
  if (now >= deadline_) throw TransportError(TransportError::Kind::kTimeout, "the reply took longer than allowed");
}

std::unique_ptr<Transport> Transport::ConnectTcp(const std::string& host, uint16_t port,
                                                 std::chrono::milliseconds timeout) {
  ThrowIfInterrupted();
  const std::string service = std::to_string(port);
  const std::string name = host.empty() ? "127.0.0.1" : host;
  addrinfo* found = Resolve(name, service);
  if (found == nullptr) Unavailable("cannot resolve " + name, FailureCause::Unresolved);
  const auto deadline = Clock::now() + timeout;
  FailureCause cause = FailureCause::Other;
  try {
    for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
      const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
      if (fd < 0) continue;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      std::optional<FailureCause> failed = FailureCause::NoAnswer;
      try {
        if (left.count() > 0) failed = ConnectWithin(fd, a->ai_addr, a->ai_addrlen, left);
      } catch (...) {
        close(fd);
        throw;
      }
      if (!failed) {
        freeaddrinfo(found);
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return std::make_unique<Transport>(fd, true);
      }
      cause = *failed;
      close(fd);
    }
  } catch (...) {
    freeaddrinfo(found);
    throw;
  }
  freeaddrinfo(found);
  Unavailable("cannot connect to " + name + ":" + service, cause);
}

std::unique_ptr<Transport> Transport::ConnectLocal(const std::string& path, std::chrono::milliseconds timeout) {
  ThrowIfInterrupted();
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) Unavailable("local endpoint path too long", FailureCause::Other);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) Unavailable("cannot create a local socket", FailureCause::Other);
  std::optional<FailureCause> failed;
  try {
    failed = ConnectWithin(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr, timeout);
  } catch (...) {
    close(fd);
    throw;
  }
  if (failed) {
    close(fd);
    Unavailable("cannot connect to " + path, *failed);
  }
  return std::make_unique<Transport>(fd, true);
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
    if (interruptible_) {
      ThrowIfInterrupted();  // also while a long reply keeps flowing
      if (deadline_ != kNoDeadline) CheckDeadline(Clock::now());
      // After a short read the socket is most likely empty: wait first rather
      // than ask in vain.
      if (!streaming_) Wait(POLLIN, silence);
    }
    // Large reads bypass the buffer; small ones fill it for what follows.
    const bool direct = size >= kBufferSize;
    // Left uninitialised: recv writes what is read, and only the pages it
    // touches are ever mapped, which keeps a short-lived connection cheap.
    if (!direct && !buffer_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kBufferSize);
    uint8_t* target = direct ? out : buffer_.get();
    const size_t want = direct ? size : kBufferSize;
    const ssize_t got = recv(fd_, target, want, 0);
    streaming_ = got == static_cast<ssize_t>(want);
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
      if (!interruptible_) throw TransportError(TransportError::Kind::kTimeout, "the peer stayed silent too long");
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
    if (interruptible_) ThrowIfInterrupted();
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
      if (!interruptible_) throw TransportError(TransportError::Kind::kTimeout, "the peer took no bytes for too long");
      Wait(POLLOUT, silence);
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
