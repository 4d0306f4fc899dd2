#include "rpc/runtime/CallInterrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>

#include "rpc/runtime/RpcException.h"

namespace rpc {

namespace {

// Only lock-free atomics may be touched from a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

std::atomic<bool> interrupted{false};
// A self-pipe: the handler writes a byte, waits poll the read end. The write
// end is published before the read end, so a waiter holding the read end knows
// that a handler from then on finds the write end.
std::atomic<int> readEnd{-1};
std::atomic<int> writeEnd{-1};
std::mutex creating;

void Drain(int fd) {
  char bytes[64];
  while (read(fd, bytes, sizeof bytes) > 0) {
  }
}

}  // namespace

void InterruptCalls() noexcept {
  const int savedErrno = errno;
  interrupted.store(true);
  const int fd = writeEnd.load();
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);  // a full pipe is readable already
  }
  errno = savedErrno;
}

bool CallsInterrupted() noexcept { return interrupted.load(); }

void ResetCallInterrupt() {
  interrupted.store(false);
  const int fd = readEnd.load();
  if (fd >= 0) Drain(fd);
}

int InterruptWaitFd() {
  int fd = readEnd.load();
  if (fd >= 0) return fd;
  std::lock_guard lock(creating);
  fd = readEnd.load();
  if (fd >= 0) return fd;
  int ends[2];
  if (pipe(ends) != 0) return -1;  // the waits then see only the flag, when they begin
  for (int end : ends) {
    fcntl(end, F_SETFD, FD_CLOEXEC);
    fcntl(end, F_SETFL, fcntl(end, F_GETFL, 0) | O_NONBLOCK);
  }
  writeEnd.store(ends[1]);
  readEnd.store(ends[0]);
  // An interrupt that came before the pipe existed has written nothing.
  if (interrupted.load()) InterruptCalls();
  return ends[0];
}

void ThrowIfInterrupted() {
  if (interrupted.load()) throw RpcException(status::kCallCancelled, "call cancelled", FailureCause::Cancelled);
}

}  // namespace rpc
