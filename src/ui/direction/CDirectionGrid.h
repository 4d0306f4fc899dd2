#pragma once
// What the timings grid and the agent grid share: a table of rows edited in
// place, and the keys that act on rows. Enter edits the current row (the
// current cell when it takes an editor, else the row's first editable
// column), Insert appends a row and edits it, Delete removes the selected rows
// once the question (title "Вопрос", Yes / No) is answered Yes. Without a
// dialog port nobody can answer Yes, so nothing is deleted.
//
// A grid holds no network code; `changed` tells its page that a row was
// edited, appended or removed.

#include <QTableView>

#include <string>
#include <vector>

namespace ports {
class DialogPort;
}

namespace ui {

class CDirectionGrid : public QTableView {
  Q_OBJECT

 public:
  int RowCount() const;
  // The shown text of a cell.
  QString CellText(int row, int column) const;
  // Whether an in-place editor is open.
  bool IsEditing() const { return state() == EditingState; }

  // The rows holding a selected cell, ascending.
  std::vector<int> SelectedRows() const;
  // Starts editing `row`: at `column` when it takes an editor, else at the
  // first editable column. False when no editor opened.
  bool EditRow(int row, int column = -1);
  // Appends a new row, makes it current and edits it.
  void InsertRowAndEdit();
  // Asks, then removes the selected rows. False when nothing was selected or
  // the answer was not Yes.
  bool DeleteSelectedRows();

 signals:
  void changed();

 protected:
  CDirectionGrid(ports::DialogPort* dialogs, QWidget* parent);

  // Set by the derived grid once its model exists.
  void InitHeader();
  // The question before Delete (CP1251).
  virtual std::string DeleteQuestion() const = 0;
  virtual int FirstEditableColumn() const = 0;
  virtual void AppendRow() = 0;
  // `rows` descending.
  virtual void RemoveRows(const std::vector<int>& rows) = 0;

  void keyPressEvent(QKeyEvent* event) override;

 private:
  ports::DialogPort* dialogs_;
};

}  // namespace ui
