#pragma once
// The folders view of a computer: its caption, the folders grid (one row
// per watched folder, alarm rows highlighted), and the chart of the
// selected folder's file count in this session.

#include <QLabel>
#include <QTableWidget>

#include <string>
#include <vector>

#include "core/net/ScannedRecords.h"
#include "services/ScanHistory.h"
#include "ui/monitor/CMonitorView.h"

class QSettings;

namespace services {
struct ComputerSnapshot;
}

namespace ui {

class HistoryChart;

class CCnGridFolders : public QTableWidget {
  Q_OBJECT

 public:
  explicit CCnGridFolders(QWidget* parent = nullptr);
  // All rows again; surplus rows of an earlier fill go.
  void Show(const std::vector<core::CSI_folder>& folders);
  bool RowAlarm(int row) const;

  static QString LayoutKey(const std::string& mailServer, const std::string& computer);
  void RestoreLayout(QSettings& profile, const std::string& mailServer, const std::string& computer);
  void SaveLayout(QSettings& profile, const std::string& mailServer, const std::string& computer) const;

  static constexpr int kAlarmRole = Qt::UserRole + 30;
};

class CCnViewFolders : public CMonitorView {
  Q_OBJECT

 public:
  CCnViewFolders(std::string mailServer, std::string computer, QWidget* parent = nullptr);
  ~CCnViewFolders() override;

  // Null: the computer is not in the registry; the view is empty.
  void Show(const services::ComputerSnapshot* computer, const services::ScanHistory& history);

  QLabel* Caption() const { return caption_; }
  CCnGridFolders* Grid() const { return grid_; }
  HistoryChart* Chart() const { return chart_; }

 private:
  void ShowChart();

  QLabel* caption_;
  CCnGridFolders* grid_;
  HistoryChart* chart_;
  std::vector<std::string> names_;
  std::vector<services::HistorySeries> history_;
};

}  // namespace ui
