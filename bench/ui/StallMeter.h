#pragma once
// The longest gap between two ticks of a 1 ms timer on the window thread:
// how long its event loop stalled while a benchmark ran.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace benchui {

class StallMeter {
 public:
  StallMeter() {
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { worst_ = std::max(worst_, clock_.restart()); });
  }
  void Start() {
    worst_ = 0;
    clock_.start();
    timer_.start();
  }
  qint64 Stop() {
    timer_.stop();
    return std::max(worst_, clock_.elapsed());
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 worst_ = 0;
};

}  // namespace benchui
