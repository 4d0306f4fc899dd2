// How long the window thread's event loop stalls while the console polls ten
// black-holed computers and one live one (connect timeout 5 s), and while a
// task command waits on a slow node. Beside it, in the same run, the
// baseline: the same poll run on the window thread itself, as a console
// whose window thread makes the calls would run it.
//
// Run with QT_QPA_PLATFORM=offscreen on a machine without a display.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

#include "rpc/iface/Interface.h"
#include "QtBenchmarkMain.h"
#include "StallMeter.h"
#include "support/DesktopHarness.h"
#include "support/LoopbackSockets.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/runtime/ServiceRunner.h"

namespace {

using benchui::StallMeter;

uitest::DesktopSetup TenSilentOneLive(uint16_t holePort) {
  uitest::DesktopSetup setup;
  // The silent computers are polled, not logged on: no mail server names them.
  for (int i = 0; i < 10; ++i)
    setup.extraComputers.push_back("HOLE" + std::to_string(i) + "=127.0.0.3:" + std::to_string(holePort));
  setup.connectTimeout = std::chrono::milliseconds(5000);
  return setup;
}

bool Started(uitest::DesktopHarness& harness, benchmark::State& state) {
  if (!harness.WaitStarted()) {
    state.SkipWithError("the console did not start");
    return false;
  }
  harness.WaitIdle();
  return true;
}

void BM_WindowStallFivePolls(benchmark::State& state) {
  testsupport::BlackHole hole;
  uitest::DesktopHarness harness(TenSilentOneLive(hole.Port()));
  if (!Started(harness, state)) return;
  StallMeter meter;
  qint64 worst = 0;
  QElapsedTimer total;
  for (auto _ : state) {
    total.start();
    meter.Start();
    for (int poll = 0; poll < 5; ++poll) {
      harness.Console().PollTick();
      harness.WaitIdle();
    }
    worst = std::max(worst, meter.Stop());
  }
  state.counters["longest_stall_ms"] = static_cast<double>(worst);
  state.counters["ms_per_poll"] = static_cast<double>(total.elapsed()) / 5.0;
}
BENCHMARK(BM_WindowStallFivePolls)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The baseline: one poll of the same computers made on the window thread.
void BM_WindowStallPollOnWindowThread(benchmark::State& state) {
  testsupport::BlackHole hole;
  uitest::DesktopHarness harness(TenSilentOneLive(hole.Port()));
  if (!Started(harness, state)) return;
  StallMeter meter;
  qint64 worst = 0;
  for (auto _ : state) {
    meter.Start();
    // The meter ticks, then the loop runs the poll itself, as a console
    // whose window thread makes the calls does at every timer tick.
    bool done = false;
    QTimer::singleShot(5, [&] {
      harness.Console().Services().OnPollTimer();
      done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < 50) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worst = std::max(worst, meter.Stop());
  }
  state.counters["longest_stall_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_WindowStallPollOnWindowThread)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A task command whose answer takes 3 s: the window thread keeps drawing.
void BM_WindowStallTaskCommand(benchmark::State& state) {
  uitest::DesktopHarness harness;
  if (!Started(harness, state)) return;
  ui::CMainGridCtrl* tree = harness.Console().MainFrame()->Tree();
  services::NavRow row;
  for (const auto& candidate : tree->Rows())
    if (candidate.level == 2 && candidate.task == "ZMODEM") row = candidate;
  StallMeter meter;
  qint64 worst = 0;
  for (auto _ : state) {
    harness.Simulator().Command("delay 3000 TaskControl next");
    meter.Start();
    harness.Console().RunTreeCommand(row, rpc::taskcmd::kStart);
    harness.WaitIdle();
    worst = std::max(worst, meter.Stop());
  }
  state.counters["longest_stall_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_WindowStallTaskCommand)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return benchui::RunQtBenchmarks(argc, argv); }
