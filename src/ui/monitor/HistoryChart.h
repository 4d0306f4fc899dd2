#pragma once
// A small chart of one watched object's history in the session: a disk's
// free space with its danger and critical limits as lines, or a folder's
// file count. It draws the copy it is given; a closed view has none.

#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include "services/ScanHistory.h"

namespace ui {

class HistoryChart : public QChartView {
  Q_OBJECT

 public:
  explicit HistoryChart(QWidget* parent = nullptr);

  // `withLimits`: the series' danger and critical limits are drawn too.
  void Show(const services::HistorySeries& series, const QString& title, bool withLimits);
  void Clear();

  QLineSeries* Values() const { return values_; }
  QLineSeries* DangerLine() const { return danger_; }
  QLineSeries* CriticalLine() const { return critical_; }

 private:
  QLineSeries* values_;
  QLineSeries* danger_;
  QLineSeries* critical_;
  QDateTimeAxis* time_;
  QValueAxis* amount_;
};

}  // namespace ui
