#pragma once
// A grid of abonent parameters, one row per parameter: row image, name,
// value, whether the parameter is required, and a comment (the label the
// page gives it). Values are edited in place (Enter or a double click); a
// row may lock its value. The standard grid has a fixed set of rows; the
// additional grid also edits names, appends a row on Insert and removes the
// selected rows on Delete once "Удалить выделенные параметры абонента?"
// (title "Вопрос") is answered Yes. Ctrl+F chooses the shown columns.
//
// There is no routing-level column: how a level would map to a parameter
// is not settled, so the grid offers none.
//
// Texts are CP1251 on the way in and out. A grid holds no network code;
// `changed` tells its page that a cell was edited or a row came or went.

#include <QTableWidget>

#include <string>
#include <vector>

namespace ports {
class DialogPort;
}

namespace ui {

struct AbonentParmRow {
  std::string name;
  std::string value;
  bool required = false;
  std::string comment;
  bool valueLocked = false;  // shown, never edited
  bool operator==(const AbonentParmRow&) const = default;
};

class CGridAbonentParms : public QTableWidget {
  Q_OBJECT

 public:
  enum Column { kImage = 0, kName, kValue, kRequired, kComment, kColumnCount };
  enum class Kind { Standard, Additional };

  CGridAbonentParms(Kind kind, ports::DialogPort* dialogs, QWidget* parent = nullptr);

  Kind GridKind() const { return kind_; }
  // Replaces the rows; any open editor is dropped.
  void SetRows(const std::vector<AbonentParmRow>& rows);
  // The rows as the cells hold them now, in row order.
  std::vector<AbonentParmRow> Rows() const;

  QString CellText(int row, int column) const;
  bool CanEdit(int row, int column) const;
  // The way an edit reaches a cell; false, the cell unchanged, when the cell
  // is not editable or the text cannot go into a "name=value" line (a line
  // end anywhere, "=" in a name). Names are trimmed of blanks, values kept.
  bool CommitEdit(int row, int column, const QString& text);
  // Ends an open editor, keeping its text.
  void EndEditing();

  // Additional grid only: appends an empty row and edits its name.
  bool InsertRowAndEdit();
  // Additional grid only: asks, then removes the selected rows. False when
  // nothing was selected, the answer was not Yes or this is the standard grid.
  bool DeleteSelectedRows();
  // Ctrl+F.
  void ChooseFields();

 signals:
  void changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AppendRow(const AbonentParmRow& row);
  void SetCell(int row, int column, const QString& text, bool editable);

  Kind kind_;
  ports::DialogPort* dialogs_;
};

}  // namespace ui
