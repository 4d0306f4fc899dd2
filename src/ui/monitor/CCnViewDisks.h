#pragma once
// The disks view of a computer: its caption, the disks grid, and the chart
// of the selected disk's free space in this session. Filled from each
// snapshot; the frame flashes while a disk carries an alarm.

#include <QLabel>

#include <string>
#include <vector>

#include "services/ScanHistory.h"
#include "ui/monitor/CMonitorView.h"

namespace services {
struct ComputerSnapshot;
}

namespace ui {

class CCnGridDisks;
class HistoryChart;

class CCnViewDisks : public CMonitorView {
  Q_OBJECT

 public:
  CCnViewDisks(std::string mailServer, std::string computer, QWidget* parent = nullptr);
  ~CCnViewDisks() override;

  // Null: the computer is not in the registry; the view is empty.
  void Show(const services::ComputerSnapshot* computer, const services::ScanHistory& history);

  QLabel* Caption() const { return caption_; }
  CCnGridDisks* Grid() const { return grid_; }
  HistoryChart* Chart() const { return chart_; }

 private:
  void ShowChart();

  QLabel* caption_;
  CCnGridDisks* grid_;
  HistoryChart* chart_;
  std::vector<std::string> names_;                 // per row
  std::vector<services::HistorySeries> history_;   // per row, a copy
};

}  // namespace ui
