#include "core/CrashReport.h"

#include <execinfo.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

namespace core {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGABRT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

const char* g_version = "";
bool g_installed = false;
struct sigaction g_previous[kSignalCount];
// A stack of its own, so that a stack overflow can still be reported.
alignas(16) char g_altStack[64 * 1024];

void WriteText(const char* s) {
  size_t left = strlen(s);
  while (left > 0) {
    const ssize_t n = write(STDERR_FILENO, s, left);
    if (n <= 0) return;
    s += n;
    left -= static_cast<size_t>(n);
  }
}

void WriteNumber(int value) {
  char digits[16];
  int i = sizeof digits - 1;
  digits[i] = '\0';
  unsigned v = value < 0 ? static_cast<unsigned>(-value) : static_cast<unsigned>(value);
  do {
    digits[--i] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v && i > 1);
  if (value < 0) digits[--i] = '-';
  WriteText(digits + i);
}

const char* SignalName(int sig) {
  switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
  }
}

// Only async-signal-safe calls here (backtrace is primed at installation so
// that it does not load its library inside the handler).
void OnCrash(int sig) {
  WriteText("\n*** vtconsole crashed: ");
  WriteText(SignalName(sig));
  WriteText(" (");
  WriteNumber(sig);
  WriteText("), version ");
  WriteText(g_version);
  WriteText("\n*** backtrace:\n");
  void* frames[64];
  const int count = backtrace(frames, 64);
  backtrace_symbols_fd(frames, count, STDERR_FILENO);
  WriteText("*** end of report\n");
  // The default action ends the process (with a core dump where allowed).
  signal(sig, SIG_DFL);
  raise(sig);
}

}  // namespace

bool InstallCrashHandlers(const char* version) {
  if (g_installed) return true;
  g_version = version ? version : "";
  void* prime[1];
  backtrace(prime, 1);

  // A thread that already has an alternate stack keeps it: the sanitizers
  // give each thread one of their own and free it when the thread ends, and
  // the start-up may run on a worker thread that ends before the program.
  stack_t current{};
  if (sigaltstack(nullptr, &current) != 0 || (current.ss_flags & SS_DISABLE) != 0) {
    stack_t stack{};
    stack.ss_sp = g_altStack;
    stack.ss_size = sizeof g_altStack;
    sigaltstack(&stack, nullptr);
  }

  bool ok = true;
  for (int i = 0; i < kSignalCount; ++i) {
    struct sigaction action {};
    action.sa_handler = OnCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    if (sigaction(kSignals[i], &action, &g_previous[i]) != 0) ok = false;
  }
  g_installed = true;
  return ok;
}

int FinishCrashHandlers() {
  if (!g_installed) return 0;
  for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
  g_installed = false;
  return 0;
}

}  // namespace core
