#include "ui/runtime/StopSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <cassert>

#include "rpc/runtime/CallInterrupt.h"
#include "ui/runtime/UiThread.h"

namespace ui {

namespace {

int stopPipe[2] = {-1, -1};
struct sigaction previousInt {};
struct sigaction previousTerm {};

void OnStopSignal(int) {
  rpc::InterruptCalls();
  const char byte = 1;
  if (stopPipe[1] >= 0) (void)!write(stopPipe[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals(std::function<void()> onStop, QObject* parent) : QObject(parent), onStop_(std::move(onStop)) {
  assert(OnUiThread());
  // The interrupt's own pipe exists before a signal can want it.
  rpc::InterruptWaitFd();
  if (stopPipe[0] < 0 && pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(stopPipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &StopSignals::Drain);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
}

StopSignals::~StopSignals() {
  if (!notifier_) return;
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
  // The pipe stays for the process: a signal already on its way finds it.
}

void StopSignals::Drain() {
  char drain[16];
  while (read(stopPipe[0], drain, sizeof drain) > 0) {
  }
  if (onStop_) onStop_();
}

}  // namespace ui
