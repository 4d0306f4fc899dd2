#include "ui/direction/CDirectionGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <set>

#include "ports/DialogPort.h"
#include "text/Cp1251.h"

namespace ui {

CDirectionGrid::CDirectionGrid(ports::DialogPort* dialogs, QWidget* parent) : QTableView(parent), dialogs_(dialogs) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Enter and Insert are the grid's own keys; a double click or F2 edits too.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  verticalHeader()->hide();
}

void CDirectionGrid::InitHeader() {
  horizontalHeader()->setStretchLastSection(true);
  // Each column starts as wide as its heading, so that every heading reads
  // whole; the user widens them from there.
  const QFontMetrics metrics(horizontalHeader()->font());
  for (int column = 0; model() != nullptr && column < model()->columnCount(); ++column) {
    const QString title = model()->headerData(column, Qt::Horizontal).toString();
    setColumnWidth(column, std::max(metrics.horizontalAdvance(title) + 24, 60));
  }
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

int CDirectionGrid::RowCount() const { return model() != nullptr ? model()->rowCount() : 0; }

QString CDirectionGrid::CellText(int row, int column) const {
  return model() != nullptr ? model()->index(row, column).data(Qt::DisplayRole).toString() : QString();
}

std::vector<int> CDirectionGrid::SelectedRows() const {
  std::set<int> rows;
  if (selectionModel() != nullptr) {
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  }
  return {rows.begin(), rows.end()};
}

bool CDirectionGrid::EditRow(int row, int column) {
  if (model() == nullptr || row < 0 || row >= RowCount()) return false;
  QModelIndex target = model()->index(row, column);
  if (!target.isValid() || !(target.flags() & Qt::ItemIsEditable))
    target = model()->index(row, FirstEditableColumn());
  setCurrentIndex(target);
  scrollTo(target);
  edit(target);
  return IsEditing();
}

void CDirectionGrid::InsertRowAndEdit() {
  AppendRow();
  emit changed();
  const int row = RowCount() - 1;
  selectRow(row);
  EditRow(row, FirstEditableColumn());
}

bool CDirectionGrid::DeleteSelectedRows() {
  std::vector<int> rows = SelectedRows();
  if (rows.empty() || dialogs_ == nullptr) return false;
  const auto answer = dialogs_->Message(DeleteQuestion(), text::Cp("Вопрос"), ports::MsgIcon::Question,
                                        ports::MsgButtons::YesNo);
  if (answer != ports::MsgAnswer::Yes) return false;
  std::sort(rows.rbegin(), rows.rend());
  RemoveRows(rows);
  emit changed();
  return true;
}

void CDirectionGrid::keyPressEvent(QKeyEvent* event) {
  if (!IsEditing()) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        EditRow(currentIndex().row(), currentIndex().column());
        event->accept();
        return;
      case Qt::Key_Insert:
        InsertRowAndEdit();
        event->accept();
        return;
      case Qt::Key_Delete:
        DeleteSelectedRows();
        event->accept();
        return;
      default:
        break;
    }
  }
  QTableView::keyPressEvent(event);
}

}  // namespace ui
