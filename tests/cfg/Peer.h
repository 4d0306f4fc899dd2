#pragma once
// A forked peer process that runs a body and talks to the test over two pipes
// with one-byte messages; the cross-process lock is tested between real
// processes.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/ChildProcesses.h"

namespace cfgtest {

class Peer {
 public:
  // `body` runs in the child; its result is the child's exit status.
  explicit Peer(const std::function<int(Peer&)>& body) {
    if (::pipe(toChild_) != 0 || ::pipe(fromChild_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      child_ = true;
      ::close(toChild_[1]);
      ::close(fromChild_[0]);
      ::_exit(body(*this));
    }
    ::close(toChild_[0]);
    ::close(fromChild_[1]);
  }
  ~Peer() {
    if (pid_ > 0 && !reaped_) Kill();
    ::close(toChild_[1]);
    ::close(fromChild_[0]);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  bool Started() const { return pid_ > 0; }

  void Send(char c) {
    const int fd = child_ ? fromChild_[1] : toChild_[1];
    (void)!::write(fd, &c, 1);
  }
  // The next byte from the other side; 0 when none came within 20 s or the
  // other side is gone.
  char Receive() {
    const int fd = child_ ? toChild_[0] : fromChild_[0];
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20000) != 1) return 0;
    char c = 0;
    return ::read(fd, &c, 1) == 1 ? c : 0;
  }
  // The child's exit status, or 128 + the signal that ended it; a child that
  // does not end within the limit fails the test (see WaitForExit).
  int Wait() {
    reaped_ = true;
    return testsupport::WaitForExit(pid_);
  }
  void Kill() {
    ::kill(pid_, SIGKILL);
    Wait();
  }

 private:
  int toChild_[2] = {-1, -1};
  int fromChild_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool child_ = false;
  bool reaped_ = false;
};

}  // namespace cfgtest
