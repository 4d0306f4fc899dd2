#include "core/poll/ConnectProbe.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "rpc/runtime/CallInterrupt.h"
#include "rpc/runtime/Transport.h"

namespace core {

std::vector<bool> ProbeConnections(const std::vector<ProbeTarget>& targets, std::chrono::milliseconds timeout,
                                   std::vector<rpc::FailureCause>* causes) {
  std::vector<bool> answered(targets.size(), false);
  // What did not answer was silent unless it is known to have refused.
  std::vector<rpc::FailureCause> why(targets.size(), rpc::FailureCause::NoAnswer);
  struct Report {
    std::vector<rpc::FailureCause>* out;
    std::vector<rpc::FailureCause>& why;
    ~Report() {
      if (!out) return;
      if (rpc::CallsInterrupted())
        for (auto& cause : why)
          if (cause == rpc::FailureCause::NoAnswer) cause = rpc::FailureCause::Cancelled;
      *out = why;
    }
  } report{causes, why};
  if (rpc::CallsInterrupted()) return answered;  // stopping: dial nobody
  std::vector<char> byName(targets.size(), 0);
  std::vector<pollfd> pending;
  std::vector<size_t> pendingIndex;

  for (size_t i = 0; i < targets.size(); ++i) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(targets[i].port);
    if (inet_pton(AF_INET, targets[i].host.c_str(), &address.sin_addr) != 1) {
      byName[i] = 1;
      continue;
    }
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      answered[i] = true;
      close(fd);
    } else if (errno == EINPROGRESS) {
      pending.push_back({fd, POLLOUT, 0});
      pendingIndex.push_back(i);
    } else {
      if (errno == ECONNREFUSED) why[i] = rpc::FailureCause::Refused;
      close(fd);
    }
  }

  // Names on threads, while the dotted ones connect.
  std::vector<std::thread> resolvers;
  std::vector<char> nameAnswered(targets.size(), 0);
  for (size_t i = 0; i < targets.size(); ++i) {
    if (!byName[i]) continue;
    resolvers.emplace_back([&nameAnswered, &why, &targets, i, timeout] {
      try {
        rpc::Transport::ConnectTcp(targets[i].host, targets[i].port, timeout);
        nameAnswered[i] = 1;
      } catch (const rpc::RpcException& e) {
        why[i] = e.Cause();
      } catch (const std::exception&) {
      }
    });
  }

  // The interrupt waits last in the list, so that a stop ends the wait.
  const size_t connecting = pending.size();
  pending.push_back({rpc::InterruptWaitFd(), POLLIN, 0});
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  size_t open = connecting;
  while (open > 0 && !rpc::CallsInterrupted()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    const int ready = ::poll(pending.data(), pending.size(), static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || pending.back().revents != 0) break;
    for (size_t k = 0; k < connecting; ++k) {
      pollfd& p = pending[k];
      if (p.fd < 0 || p.revents == 0) continue;
      int error = 0;
      socklen_t length = sizeof error;
      getsockopt(p.fd, SOL_SOCKET, SO_ERROR, &error, &length);
      answered[pendingIndex[k]] = error == 0 && (p.revents & POLLOUT) != 0;
      if (error == ECONNREFUSED) why[pendingIndex[k]] = rpc::FailureCause::Refused;
      close(p.fd);
      p.fd = -1;  // poll ignores negative descriptors
      --open;
    }
  }
  pending.pop_back();
  for (const pollfd& p : pending)
    if (p.fd >= 0) close(p.fd);
  for (auto& t : resolvers) t.join();
  for (size_t i = 0; i < targets.size(); ++i)
    if (byName[i]) answered[i] = nameAnswered[i] != 0;
  return answered;
}

}  // namespace core
