// Listing a node of 2000 directions into the directions table, against the
// model-only load of the same node in the same run (the same calls made on
// the worker with nothing shown), and the longest stall of the window
// thread's event loop while the table's window reads the node.
//
// Run with QT_QPA_PLATFORM=offscreen on a machine without a display.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "services/DirectoryLoad.h"
#include "QtBenchmarkMain.h"
#include "StallMeter.h"
#include "support/DesktopHarness.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/runtime/ServiceRunner.h"

namespace {

constexpr int kEntries = 2000;

using benchui::StallMeter;

uitest::DesktopSetup LargeNode() {
  uitest::DesktopSetup setup;
  for (int i = 0; i < kEntries; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "D%04d", i);
    setup.extraFixture += std::string("[DIR ") + name + "]\nKIND=DIRECTION\nPRIORITY=" + std::to_string(i % 9) +
                          "\nCALL_AT_INTERVAL=1\nAPF=#TCPVELT=" + name + ".local:10000\nCOUNTS=0,1,0,2,0\n\n";
  }
  return setup;
}

uitest::DesktopHarness* Harness() {
  static uitest::DesktopHarness* harness = [] {
    auto* h = new uitest::DesktopHarness(LargeNode());
    h->WaitStarted();
    h->WaitIdle();
    return h;
  }();
  return harness;
}

// The same load made by the services alone, on the worker.
void BM_DirectoryModelOnly(benchmark::State& state) {
  uitest::DesktopHarness& harness = *Harness();
  size_t entries = 0;
  for (auto _ : state) {
    services::DirectoryLoad load;
    harness.Console().Runner().Post(ui::ServiceRunner::Kind::User, [&] {
      load = services::LoadDirectory(harness.Console().Services(), "NODE", nullptr, {});
    });
    // The window thread waits as it does below, so that both runs share
    // the machine alike.
    while (!harness.Console().Runner().Idle()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    entries = load.entries.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_DirectoryModelOnly)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The table's window opened on the node: read, progress shown, rows filled.
void BM_DirectoryIntoTable(benchmark::State& state) {
  uitest::DesktopHarness& harness = *Harness();
  ui::CMainFrame* main = harness.Console().MainFrame();
  StallMeter meter;
  qint64 worst = 0;
  int rows = 0;
  for (auto _ : state) {
    meter.Start();
    emit main->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
    ui::CChildFrame* window = main->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
    auto* view = window ? qobject_cast<ui::CViewDirections*>(window->View()) : nullptr;
    while (view && !view->Loaded()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    worst = std::max(worst, meter.Stop());
    rows = view ? view->Table()->topLevelItemCount() : 0;
    state.PauseTiming();
    if (window) window->close();
    QTest::qWait(10);
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["longest_stall_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_DirectoryIntoTable)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return benchui::RunQtBenchmarks(argc, argv, [] { delete Harness(); }); }
