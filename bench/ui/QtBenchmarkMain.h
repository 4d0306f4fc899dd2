#pragma once
// The main of a window benchmark: a QApplication (offscreen without a
// display), then the benchmarks; `after` runs before the application goes.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

namespace benchui {

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& after = {}) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (after) after();
  return 0;
}

}  // namespace benchui
