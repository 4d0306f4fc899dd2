#pragma once
// The control channel of a running simulator: a Unix-domain stream socket that
// takes one command per line (ControlCommands.h) and answers each with one line,
// "ok" or "error: why", once the command has taken effect. Several clients may
// be connected at once.

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace sim {

class ControlChannel {
 public:
  using Runner = std::function<std::string(std::string_view line)>;

  explicit ControlChannel(Runner runner) : runner_(std::move(runner)) {}
  ~ControlChannel();  // Stop()
  ControlChannel(const ControlChannel&) = delete;
  ControlChannel& operator=(const ControlChannel&) = delete;

  // Listens on `path` (a stale socket file there is replaced). Throws
  // std::runtime_error when the socket cannot be made.
  void Listen(const std::string& path);
  // Closes the socket and every connection, joins the threads, removes the file.
  void Stop();

 private:

  Runner runner_;
  std::string path_;
  int listenFd_ = -1;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  struct Client {
    int fd = -1;
    std::atomic<bool> done{false};
    std::thread thread;
  };
  void AcceptLoop();
  void Serve(Client& client);
  void ReapFinished();
  std::list<Client> clients_;
  std::thread acceptThread_;
};

// Sends one command to the control socket at `path` and returns the answer line.
// Throws std::runtime_error when the socket cannot be reached.
std::string SendControlCommand(const std::string& path, std::string_view line);

}  // namespace sim
