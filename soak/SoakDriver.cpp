#include "SoakDriver.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMdiArea>
#include <QMessageBox>
#include <QMdiSubWindow>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "ProcessSample.h"
#include "services/PropertyRows.h"
#include "sim/lib/ControlChannel.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/runtime/ServiceRunner.h"

namespace soak {

namespace {

// The exit may meet a silent computer; past this the run is given up.
constexpr int kExitGiveUpMs = 180000;

QString BoxText(QWidget* window) {
  QString text = window->windowTitle();
  if (auto* box = qobject_cast<QMessageBox*>(window)) text += ": " + box->text();
  return text.simplified();
}

bool IsBox(QWidget* window) {
  if (!window->isVisible()) return false;
  if (qobject_cast<QMessageBox*>(window)) return true;
  auto* dialog = qobject_cast<QDialog*>(window);
  return dialog && (dialog->isModal() || dialog->windowModality() != Qt::NonModal);
}

}  // namespace

SoakDriver::SoakDriver(ui::DesktopConsole& console, DriverSetup setup)
    : console_(console),
      setup_(std::move(setup)),
      liveTail_(setup_.liveLog),
      farTail_(setup_.farLog) {
  clock_.start();
  tailTimer_.setTimerType(Qt::PreciseTimer);
  connect(&tailTimer_, &QTimer::timeout, this, &SoakDriver::TailLogs);
  connect(&boxTimer_, &QTimer::timeout, this, &SoakDriver::WatchBoxes);
  connect(&sampleTimer_, &QTimer::timeout, this, &SoakDriver::Sample);
}

SoakDriver::~SoakDriver() {
  console_.PollTimer().removeEventFilter(this);
  console_.FavoritesTimer().removeEventFilter(this);
}

void SoakDriver::Start(std::function<void()> done) {
  done_ = std::move(done);
  console_.PollTimer().installEventFilter(this);
  console_.FavoritesTimer().installEventFilter(this);
  connect(&console_.Runner(), &ui::ServiceRunner::busyChanged, this, [this](bool busy) {
    if (busy)
      record_.busy.push_back({Now(), -1});
    else if (!record_.busy.empty())
      record_.busy.back().end = Now();
  });
  connect(&console_, &ui::DesktopConsole::started, this, &SoakDriver::OnStarted);
  connect(&console_, &ui::DesktopConsole::finished, this, [this](int code) {
    record_.exitCode = code;
    if (ending_) record_.exitSeconds = static_cast<double>(exitClock_.elapsed()) / 1000;
    // The logoffs reach the logs a moment after the console has ended.
    QTimer::singleShot(300, this, [this] {
      TailLogs();
      Finish();
    });
  });
  tailTimer_.start(100);
  boxTimer_.start(250);
  console_.Start();
}

void SoakDriver::OnStarted(bool ok) {
  if (!ok) {
    Abort("the console's start-up did not go through");
    return;
  }
  record_.startedAt = Now();
  Sample();
  sampleTimer_.start(static_cast<int>(setup_.plan.sampleEvery * 1000));
  for (const Outage& outage : setup_.plan.outages) {
    QTimer::singleShot(static_cast<int>(outage.begin * 1000), this, [this] { SetSilent(true); });
    if (outage.end >= 0) QTimer::singleShot(static_cast<int>(outage.end * 1000), this, [this] { SetSilent(false); });
  }
  QTimer::singleShot(static_cast<int>(setup_.plan.seconds * 1000), this, &SoakDriver::End);
}

TickFound SoakDriver::WhatRuns() const {
  ui::ServiceRunner& runner = console_.Runner();
  if (runner.Idle()) return TickFound::Idle;
  switch (console_.Services().Gate().Holder()) {
    case core::Operation::Poll: return TickFound::Poll;
    case core::Operation::FavoritesScan: return TickFound::FavoritesScan;
    default: break;
  }
  switch (runner.Current()) {
    case ui::ServiceRunner::Kind::User: return TickFound::UserAction;
    // Queued by the other timer's tick a moment ago, not yet at the gate.
    case ui::ServiceRunner::Kind::Timer: return lastTimerJob_;
    default: return TickFound::OtherJob;
  }
}

// The timer's event reaches this filter before the timer emits its tick.
bool SoakDriver::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Timer || ending_ || !console_.Running()) return false;
  const Tick tick{Now(), WhatRuns()};
  if (watched == &console_.PollTimer()) {
    record_.pollTicks.push_back(tick);
    if (tick.found == TickFound::Idle) lastTimerJob_ = TickFound::Poll;
    if (++pollTicks_ % 2 == 0)
      QTimer::singleShot(static_cast<int>(setup_.pollPeriod * 500), this, &SoakDriver::NextAction);
  } else if (watched == &console_.FavoritesTimer()) {
    record_.favoritesTicks.push_back(tick);
    if (tick.found == TickFound::Idle) lastTimerJob_ = TickFound::FavoritesScan;
  }
  return false;
}

// Open a data window of the demo node, read it again, close it; the routing
// tables, then the disks, then the folders. An action that would meet
// another user's action still under way waits for the next turn, as a user
// who sees the busy window would.
void SoakDriver::NextAction() {
  if (ending_ || !console_.Running()) return;
  ui::CMainFrame* main = console_.MainFrame();
  if (!main) return;
  if (console_.Runner().HasUserJob()) {
    ++record_.actionsPutOff;
    return;
  }
  auto open = [&](services::OpenTarget target) {
    const QList<ui::CChildFrame*> before = main->DataWindows();
    emit main->openRequested(target, setup_.mailServer, setup_.liveComputer);
    window_ = nullptr;
    for (ui::CChildFrame* frame : main->DataWindows())
      if (!before.contains(frame)) window_ = frame;
  };
  // Data > Rescan all routing tables in the window (Ctrl+R there reads
  // only what is no longer valid), and its close box.
  auto rescan = [&] {
    if (auto* frame = qobject_cast<ui::CChildFrame*>(window_.data())) {
      main->Area()->setActiveSubWindow(frame);
      main->Action(ui::cmd::kRescanAllRouting)->trigger();
    }
  };
  auto close = [&] {
    if (window_) window_->close();
  };
  switch (nextAction_) {
    case 0: open(services::OpenTarget::Routing); break;
    case 1: rescan(); break;
    case 2: close(); break;
    case 3: open(services::OpenTarget::Disks); break;
    case 4: close(); break;
    case 5: open(services::OpenTarget::Folders); break;
    case 6: close(); break;
  }
  nextAction_ = (nextAction_ + 1) % 7;
  ++record_.actionsDone;
}

void SoakDriver::SetSilent(bool silent) {
  if (ending_) return;
  try {
    const std::string answer = sim::SendControlCommand(setup_.farControl, silent ? "hang always" : "clear");
    if (answer != "ok") throw std::runtime_error(answer);
  } catch (const std::exception& error) {
    Abort(std::string("the far simulator did not take the command: ") + error.what());
    return;
  }
  if (silent)
    record_.outages.push_back({Now(), -1});
  else if (!record_.outages.empty())
    record_.outages.back().end = Now();
  std::fprintf(stderr, "soak: %.0f s: the far computer %s\n", Now(), silent ? "stops answering" : "answers again");
}

void SoakDriver::WatchBoxes() {
  // The start-up shows this computer's identification without waiting for
  // it; the user reads it and closes it, as any box that opens then.
  const bool startingUp = record_.startedAt == 0 || Now() < record_.startedAt + 5;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!IsBox(window)) continue;
    const bool noted = std::any_of(boxesNoted_.begin(), boxesNoted_.end(),
                                   [window](const QPointer<QWidget>& seen) { return seen == window; });
    if (noted) continue;
    boxesNoted_.emplace_back(window);
    std::string text = std::to_string(static_cast<int>(Now())) + " s: " + BoxText(window).toStdString();
    if (startingUp) {
      window->close();
      text += " (closed at start-up)";
    }
    record_.boxesSeen.push_back(text);
    std::fprintf(stderr, "soak: a box opened: %s\n", text.c_str());
  }
}

void SoakDriver::TailLogs() {
  const double now = Now();
  liveTail_.Poll(now, record_.live);
  farTail_.Poll(now, record_.far);
}

void SoakDriver::Sample() {
  record_.samples.push_back(SampleThisProcess(Now()));
  const soak::Sample& s = record_.samples.back();
  std::fprintf(stderr, "soak: %.0f s: RSS %ld KiB, %d descriptors, %d threads\n", s.t, s.rssKb, s.descriptors,
               s.threads);
}

void SoakDriver::End() {
  if (ending_) return;
  TailLogs();
  WatchBoxes();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!IsBox(window)) continue;
    record_.boxesOpen.push_back(BoxText(window).toStdString());
    // Noted; closed so that it does not hold the exit.
    window->close();
  }
  sampleTimer_.stop();
  record_.endedAt = Now();
  ending_ = true;
  if (!record_.busy.empty() && record_.busy.back().end < 0) record_.busy.back().end = record_.endedAt;
  exitClock_.start();
  // What a stop signal does: no question, calls under way given up.
  console_.RequestExit(false);
  QTimer::singleShot(kExitGiveUpMs, this, [this] {
    if (!console_.Finished()) Abort("the console did not end within 180 s of the exit");
  });
}

void SoakDriver::Finish() {
  if (!done_) return;
  auto done = std::move(done_);
  done_ = nullptr;
  done();
}

void SoakDriver::Abort(const std::string& why) {
  if (!failure_.empty()) return;
  failure_ = why;
  Finish();
}

}  // namespace soak
