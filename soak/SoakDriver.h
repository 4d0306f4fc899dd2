#pragma once
// Runs the desktop console for the planned time on the real event loop and
// keeps the record: the simulators' request lines as they appear, each tick
// of timers 666 and 667 with what the worker was doing then, the worker's
// busy spells, a scripted user action every other poll period (half a period
// after the tick, so that it does not meet one), the outages of the far
// computer through its simulator's control socket, the resource samples and
// the boxes. At the end it asks the console to exit as Ctrl-C would.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "RequestTail.h"
#include "SoakPlan.h"
#include "SoakRecord.h"

class QWidget;

namespace ui {
class DesktopConsole;
}

namespace soak {

struct DriverSetup {
  SoakPlan plan;
  std::string liveLog;
  std::string farLog;
  std::string farControl;
  std::string mailServer;    // the demo node's mail server
  std::string liveComputer;  // and its computer
  double pollPeriod = 10;
};

class SoakDriver : public QObject {
  Q_OBJECT

 public:
  SoakDriver(ui::DesktopConsole& console, DriverSetup setup);
  ~SoakDriver() override;

  // Starts the console; `done` runs once it has ended (or failed to start).
  void Start(std::function<void()> done);
  const SoakRecord& Record() const { return record_; }
  // Why the run could not be carried out; empty when it was.
  const std::string& Failure() const { return failure_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  double Now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }
  void OnStarted(bool ok);
  TickFound WhatRuns() const;
  void NextAction();
  void SetSilent(bool silent);
  void WatchBoxes();
  void TailLogs();
  void Sample();
  void End();
  void Abort(const std::string& why);
  // Runs `done` once.
  void Finish();

  ui::DesktopConsole& console_;
  DriverSetup setup_;
  SoakRecord record_;
  std::string failure_;
  std::function<void()> done_;
  QElapsedTimer clock_;
  QElapsedTimer exitClock_;
  RequestTail liveTail_;
  RequestTail farTail_;
  QTimer tailTimer_;
  QTimer boxTimer_;
  QTimer sampleTimer_;
  std::vector<QPointer<QWidget>> boxesNoted_;
  int pollTicks_ = 0;
  int nextAction_ = 0;
  // What the last tick that found the worker idle queued.
  TickFound lastTimerJob_ = TickFound::OtherJob;
  QPointer<QWidget> window_;  // the data window the actions work on
  bool ending_ = false;
};

}  // namespace soak
