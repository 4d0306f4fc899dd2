#pragma once
// The disks and folders grids open their chart on the first row with an
// alarm (the first row when none has one). The row is made current without
// being selected, so that its alarm colour stays in sight.

#include <functional>

class QTableWidget;

namespace ui {

// Only when the grid has rows and no current row yet.
void MakeFirstAlarmRowCurrent(QTableWidget& grid, int column, const std::function<bool(int row)>& alarm);

}  // namespace ui
