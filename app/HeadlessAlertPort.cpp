#include "HeadlessAlertPort.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace app {

namespace {

// In the child before exec: its own session, no terminal, quiet.
void DetachChild() {
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  setsid();
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (null > 2) close(null);
  }
}

}  // namespace

std::string HeadlessAlertPort::FindOnPath(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0 ? program : std::string();
  const char* path = std::getenv("PATH");
  const std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    std::string candidate(end > start ? folders.substr(start, end - start) : std::string_view("."));
    candidate.push_back('/');
    candidate.append(program);
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

HeadlessAlertPort::HeadlessAlertPort(std::string player) : player_(std::move(player)) {
  if (player_.empty())
    for (const char* candidate : {"paplay", "aplay"})
      if (!(player_ = FindOnPath(candidate)).empty()) break;
}

HeadlessAlertPort::~HeadlessAlertPort() { Reap(); }

void HeadlessAlertPort::Reap() {
  if (playing_ > 0 && waitpid(playing_, nullptr, WNOHANG) != 0) playing_ = -1;
}

void HeadlessAlertPort::StopSound() {
  Reap();
  if (playing_ <= 0) return;
  // The player leads a session of its own: the signal reaches what it started
  // too. The direct kill covers a player that has not made its session yet;
  // SIGKILL, as a child that has not reached exec still has our handlers.
  kill(-playing_, SIGKILL);
  kill(playing_, SIGKILL);
  waitpid(playing_, nullptr, 0);
  playing_ = -1;
}

void HeadlessAlertPort::PlaySound(const std::string& path) {
  Reap();
  if (player_.empty() || path.empty()) return;
  const pid_t pid = fork();
  if (pid == 0) {
    DetachChild();
    execlp(player_.c_str(), player_.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid > 0) playing_ = pid;
}

void HeadlessAlertPort::StartProgram(const std::string& commandLine, const std::string& windowTitle) {
  if (commandLine.empty()) return;
  // The environment is made before the fork: the child only calls exec.
  std::vector<std::string> entries;
  for (char** e = environ; e && *e; ++e)
    if (std::string(*e).rfind("VT_ALERT_TITLE=", 0) != 0) entries.push_back(*e);
  std::string title("VT_ALERT_TITLE=");
  title.append(windowTitle);
  entries.push_back(std::move(title));
  std::vector<char*> envp;
  for (auto& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  // Twice forked, so that the program is nobody's child here and is never
  // left a zombie; the first child is reaped at once.
  const pid_t pid = fork();
  if (pid == 0) {
    DetachChild();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      execle("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr), envp.data());
      _exit(127);
    }
    _exit(grandchild > 0 ? 0 : 1);
  }
  if (pid > 0) waitpid(pid, nullptr, 0);
}

}  // namespace app
