#pragma once
// The installation grid of the abonent wizard: one row per installation set
// on the server (its name and its diskette count, "%4lu" right-aligned) and,
// in a label under the grid, the description of the selected set (also the
// tooltip of its row). A pure view: the rows come from
// model::RebuildInstallations on the owner's worker; it never calls.

#include <QWidget>
#include <vector>

#include "model/install/Installations.h"

class QLabel;
class QTreeWidget;

namespace ui {

class CGridInst : public QWidget {
  Q_OBJECT

 public:
  enum Column { kNameColumn = 0, kDiskettesColumn, kColumnCount };

  explicit CGridInst(QWidget* parent = nullptr);

  // Replaces the rows; nothing is selected afterwards.
  void SetRows(const std::vector<model::InstallationRow>& rows);
  const std::vector<model::InstallationRow>& Rows() const { return rows_; }
  // The selected row's index in Rows(), -1 when none.
  int SelectedRow() const;
  void SelectRow(int index);

  QTreeWidget* Grid() const { return grid_; }
  QLabel* Description() const { return description_; }

 signals:
  void selectionChanged(int row);

 private:
  void ShowDescription();

  QTreeWidget* grid_;
  QLabel* description_;
  std::vector<model::InstallationRow> rows_;
};

}  // namespace ui
