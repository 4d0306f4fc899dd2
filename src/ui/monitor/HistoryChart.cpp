#include "ui/monitor/HistoryChart.h"

#include <QChart>
#include <QDateTime>

#include <algorithm>

namespace ui {

HistoryChart::HistoryChart(QWidget* parent)
    : QChartView(parent),
      values_(new QLineSeries),
      danger_(new QLineSeries),
      critical_(new QLineSeries),
      time_(new QDateTimeAxis),
      amount_(new QValueAxis) {
  setObjectName("historyChart");
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(2, 2, 2, 2));
  values_->setPen(QPen(QColor(0, 90, 200), 2));
  danger_->setName(QString::fromUtf8("Опасная граница"));
  danger_->setPen(QPen(QColor(230, 160, 0), 1, Qt::DashLine));
  critical_->setName(QString::fromUtf8("Критическая граница"));
  critical_->setPen(QPen(QColor(220, 0, 0), 1, Qt::DashLine));
  for (QLineSeries* series : {values_, danger_, critical_}) chart->addSeries(series);
  time_->setFormat("HH:mm:ss");
  time_->setTickCount(5);
  amount_->setLabelFormat("%.0f");
  chart->addAxis(time_, Qt::AlignBottom);
  chart->addAxis(amount_, Qt::AlignLeft);
  for (QLineSeries* series : {values_, danger_, critical_}) {
    series->attachAxis(time_);
    series->attachAxis(amount_);
  }
  // The view starts with a chart of its own, which it gives up (not
  // deletes) when another is set.
  QChart* initial = this->chart();
  setChart(chart);
  delete initial;
  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(160);
  Clear();
}

void HistoryChart::Clear() {
  for (QLineSeries* series : {values_, danger_, critical_}) series->clear();
  danger_->setVisible(false);
  critical_->setVisible(false);
  chart()->setTitle(QString());
}

void HistoryChart::Show(const services::HistorySeries& series, const QString& title, bool withLimits) {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(series.samples.size()));
  double top = 0;
  for (const services::HistorySample& sample : series.samples) {
    const double at = static_cast<double>(duration_cast<milliseconds>(sample.at.time_since_epoch()).count());
    points.append(QPointF(at, static_cast<double>(sample.value)));
    top = std::max(top, static_cast<double>(sample.value));
  }
  values_->replace(points);
  values_->setName(title);
  chart()->setTitle(QString());

  const double first = points.isEmpty() ? 0 : points.front().x();
  // A single sample still spans a minute, so that the axis has a width.
  const double last = points.isEmpty() ? 60000 : std::max(points.back().x(), first + 60000);
  danger_->setVisible(withLimits);
  critical_->setVisible(withLimits);
  danger_->clear();
  critical_->clear();
  if (withLimits) {
    const auto danger = static_cast<double>(series.dangerLimit);
    const auto critical = static_cast<double>(series.criticalLimit);
    danger_->replace({QPointF(first, danger), QPointF(last, danger)});
    critical_->replace({QPointF(first, critical), QPointF(last, critical)});
    top = std::max({top, danger, critical});
  }
  time_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                  QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
  amount_->setRange(0, std::max(top * 1.1, 4.0));
  amount_->applyNiceNumbers();
}

}  // namespace ui
