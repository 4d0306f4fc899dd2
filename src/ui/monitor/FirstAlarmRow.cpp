#include "ui/monitor/FirstAlarmRow.h"

#include <QTableWidget>

namespace ui {

void MakeFirstAlarmRowCurrent(QTableWidget& grid, int column, const std::function<bool(int row)>& alarm) {
  if (grid.currentRow() >= 0 || grid.rowCount() == 0) return;
  int first = 0;
  while (first < grid.rowCount() - 1 && !alarm(first)) ++first;
  if (!alarm(first)) first = 0;
  grid.setCurrentCell(first, column, QItemSelectionModel::NoUpdate);
}

}  // namespace ui
