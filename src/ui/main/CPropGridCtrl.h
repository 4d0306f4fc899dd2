#pragma once
// The property grid of the object properties pane: rows of label and value,
// nested in groups, with each row's comment shown below the grid (and as
// its tooltip). Activating a row that opens a data window asks for it.

#include <QWidget>

#include <vector>

#include "services/PropertyRows.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

class CPropGridCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CPropGridCtrl(QWidget* parent = nullptr);

  void SetRows(const std::vector<services::PropertyRow>& rows);
  const std::vector<services::PropertyRow>& Rows() const { return rows_; }
  QTreeWidget* Tree() const { return tree_; }
  // Activates the first row with that label (tests, screenshots).
  bool ActivateLabel(const QString& label);

 signals:
  void openRequested(services::OpenTarget target);

 private:
  void AddRows(const std::vector<services::PropertyRow>& rows, QTreeWidgetItem* parent);
  void Activate(QTreeWidgetItem* item);

  std::vector<services::PropertyRow> rows_;
  QTreeWidget* tree_;
  QLabel* comment_;
};

}  // namespace ui
