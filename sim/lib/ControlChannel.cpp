#include "sim/lib/ControlChannel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace sim {

namespace {

sockaddr_un Address(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path))
    throw std::runtime_error("control socket path \"" + path + "\" is empty or too long");
  std::memcpy(address.sun_path, path.data(), path.size());
  return address;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

ControlChannel::~ControlChannel() { Stop(); }

void ControlChannel::Listen(const std::string& path) {
  const sockaddr_un address = Address(path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("control socket: " + std::string(std::strerror(errno)));
  ::unlink(path.c_str());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 8) != 0) {
    const std::string why = std::strerror(errno);
    ::close(fd);
    throw std::runtime_error("control socket \"" + path + "\": " + why);
  }
  path_ = path;
  listenFd_ = fd;
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

void ControlChannel::AcceptLoop() {
  while (!stopping_) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // the socket was shut down
    }
    std::lock_guard lock(mutex_);
    if (stopping_) {
      ::close(fd);
      return;
    }
    ReapFinished();
    Client& client = clients_.emplace_back();
    client.fd = fd;
    client.thread = std::thread([this, &client] { Serve(client); });
  }
}

void ControlChannel::ReapFinished() {
  for (auto it = clients_.begin(); it != clients_.end();) {
    if (!it->done) {
      ++it;
      continue;
    }
    it->thread.join();
    ::close(it->fd);
    it = clients_.erase(it);
  }
}

void ControlChannel::Serve(Client& client) {
  const int fd = client.fd;
  std::string pending;
  char buffer[4096];
  while (true) {
    const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    pending.append(buffer, static_cast<size_t>(n));
    size_t newline;
    while ((newline = pending.find('\n')) != std::string::npos) {
      std::string line = pending.substr(0, newline);
      pending.erase(0, newline + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
      if (!WriteAll(fd, runner_(line) + "\n")) {
        client.done = true;
        return;
      }
    }
    if (pending.size() > 65536) break;  // no line that long is a command
  }
  ::shutdown(fd, SHUT_RDWR);
  client.done = true;
}

void ControlChannel::Stop() {
  if (listenFd_ < 0) return;
  stopping_ = true;
  ::shutdown(listenFd_, SHUT_RDWR);
  if (acceptThread_.joinable()) acceptThread_.join();
  std::lock_guard lock(mutex_);
  for (auto& client : clients_) ::shutdown(client.fd, SHUT_RDWR);
  for (auto& client : clients_) {
    client.thread.join();
    ::close(client.fd);
  }
  clients_.clear();
  ::close(listenFd_);
  listenFd_ = -1;
  ::unlink(path_.c_str());
}

std::string SendControlCommand(const std::string& path, std::string_view line) {
  const sockaddr_un address = Address(path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("control socket: " + std::string(std::strerror(errno)));
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    const std::string why = std::strerror(errno);
    ::close(fd);
    throw std::runtime_error("control socket \"" + path + "\": " + why);
  }
  std::string answer;
  if (WriteAll(fd, std::string(line) + "\n")) {
    char c;
    while (::recv(fd, &c, 1, 0) == 1 && c != '\n') answer += c;
  }
  ::close(fd);
  if (answer.empty()) throw std::runtime_error("control socket \"" + path + "\": no answer");
  return answer;
}

}  // namespace sim
