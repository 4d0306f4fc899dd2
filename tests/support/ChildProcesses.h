#pragma once
// Programs run as their own processes by tests: a child with its output in
// files, a fresh directory per test, and a node simulator process listening on
// the loopback.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// How often `part` occurs in `text`, overlaps included.
inline int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// How long a test waits for a child's output or end before it fails: far
// beyond any run here, even a slow sanitized one; it only keeps a hang short.
inline constexpr std::chrono::seconds kChildWaitLimit{60};

// Waits until the file holds `part`; false, with a test failure, when it does
// not within `limit`.
inline bool WaitForText(const std::string& path, const std::string& part,
                        std::chrono::milliseconds limit = kChildWaitLimit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (ReadAll(path).find(part) == std::string::npos) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ADD_FAILURE() << "\"" << part << "\" never appeared in " << path;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Waits for the child to end and reaps it: its exit code, or 128 + the
// signal. When it has not ended within `limit`, the test fails and the child
// is killed (the result is then 128 + SIGKILL).
inline int WaitForExit(pid_t pid, std::chrono::milliseconds limit = kChildWaitLimit) {
  if (pid <= 0) return -1;  // never started, or already reaped
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ADD_FAILURE() << "process " << pid << " did not end within " << limit.count() << " ms";
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A child process in `dir` with its output in files.
struct Child {
  pid_t pid = -1;
  std::string out, err;

  static Child Start(const std::vector<std::string>& argv, const std::filesystem::path& dir, const std::string& name) {
    Child child;
    child.out = (dir / (name + ".out")).string();
    child.err = (dir / (name + ".err")).string();
    child.pid = fork();
    if (child.pid == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      const int in = open("/dev/null", O_RDONLY);
      const int out = open(child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
    return child;
  }
  // Waits for the output to contain `part` (bounded, see WaitForText).
  bool WaitFor(const std::string& part) const { return WaitForText(out, part); }
  // Bounded, see WaitForExit.
  int Wait() {
    const int code = WaitForExit(pid);
    pid = -1;
    return code;
  }
  void Stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      Wait();
    }
  }
};

// An empty directory named after the running test, `prefix` first.
inline std::filesystem::path FreshTestDir(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto dir =
      std::filesystem::temp_directory_path() / (prefix + std::string(info->name()) + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// Starts the node simulator at `simPath` in `dir` on 127.0.0.2 at a port the
// system picks, with `args` after the listen option; returns that port.
// 127.0.0.2 is on the loopback but not this machine's own address, so that
// the console reaches it over TCP and not the local transport.
inline int StartNodeSimulator(const std::string& simPath, const std::vector<std::string>& args,
                              const std::filesystem::path& dir, Child& sim) {
  std::vector<std::string> argv = {simPath, "--listen", "127.0.0.2:0"};
  argv.insert(argv.end(), args.begin(), args.end());
  sim = Child::Start(argv, dir, "sim");
  if (!sim.WaitFor("listening on 127.0.0.2:")) return 0;
  const std::string out = ReadAll(sim.out);
  return std::stoi(out.substr(out.find("127.0.0.2:") + 10));
}

}  // namespace testsupport
