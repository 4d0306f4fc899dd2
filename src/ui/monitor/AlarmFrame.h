#pragma once
// The frame of a data view that flashes while one of its rows carries an
// alarm: a red border drawn every other half second around the content.

#include <QTimer>
#include <QWidget>

namespace ui {

class AlarmFrame : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBorder = 3;
  static constexpr int kPeriodMs = 500;

  explicit AlarmFrame(QWidget* parent = nullptr);
  // On: the frame starts flashing (and the window asks for attention once);
  // off: it stops, without a border.
  void SetAlarm(bool on);
  bool Alarm() const { return timer_.isActive(); }
  bool BorderShown() const { return lit_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer_;
  bool lit_ = false;
};

}  // namespace ui
