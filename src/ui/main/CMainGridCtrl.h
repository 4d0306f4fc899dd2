#pragma once
// The navigation tree: mail servers, their computers and the computers'
// tasks with their states. The "Состояние" cell of a row that takes
// commands drops down the command words; choosing one asks for the command.
// The tree draws from the rows it is given; it never reads the services.

#include <QTreeWidget>

#include <optional>
#include <vector>

#include "services/NavigationRows.h"

class QMenu;

namespace ui {

class CMainGridCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CMainGridCtrl(QWidget* parent = nullptr);

  // Replaces the rows, keeping the selection and what was collapsed.
  void SetRows(const std::vector<services::NavRow>& rows);
  const std::vector<services::NavRow>& Rows() const { return rows_; }
  // The row under the selection, if any.
  std::optional<services::NavRow> SelectedRow() const;
  // Selects the row of that server, computer and task (empty: the upper level).
  bool SelectRow(const std::string& mailServer, const std::string& computer, const std::string& task);
  // The drop-down of a row's state cell, not yet shown (screenshots, tests).
  QMenu* CommandMenu(const services::NavRow& row);
  // Opens the drop-down of the selected row under its state cell.
  void DropDownSelected();
  // The context menu of a mail server row, not yet shown (screenshots, tests).
  QMenu* EntryMenu(const std::string& mailServer);

 signals:
  void rowSelected(const services::NavRow& row);
  void commandRequested(const services::NavRow& row, int command);
  // A mail server row's context menu: a new direction or abonent of that node.
  void newEntryRequested(const std::string& mailServer, bool abonent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void OnItemClicked(QTreeWidgetItem* item, int column);
  const services::NavRow* RowOf(const QTreeWidgetItem* item) const;

  std::vector<services::NavRow> rows_;
  QMenu* menu_ = nullptr;
};

}  // namespace ui
