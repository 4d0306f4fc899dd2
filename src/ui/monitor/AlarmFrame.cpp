#include "ui/monitor/AlarmFrame.h"

#include <QApplication>
#include <QPainter>

namespace ui {

AlarmFrame::AlarmFrame(QWidget* parent) : QWidget(parent) {
  setObjectName("alarmFrame");
  timer_.setInterval(kPeriodMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    lit_ = !lit_;
    update();
  });
}

void AlarmFrame::SetAlarm(bool on) {
  if (on == Alarm()) return;
  if (on) {
    lit_ = true;
    timer_.start();
    QApplication::alert(window());
  } else {
    timer_.stop();
    lit_ = false;
  }
  update();
}

void AlarmFrame::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!lit_) return;
  QPainter painter(this);
  QPen pen(QColor(220, 0, 0));
  pen.setWidth(kBorder);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

}  // namespace ui
