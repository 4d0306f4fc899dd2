#pragma once
// The agent grid: the file transfer agents of a direction, one row each.
// Columns: 0 row image, 1 agent name, 2 the agent's parameter, 3 comment
// (never stored). The name is edited in a drop-down that also takes typed
// text, the parameter in a text field; every accepted text is trimmed and
// upper-cased (ASCII letters only, other bytes stay).
//
// The drop-down's list comes from the page: opening a name editor emits
// agentChoicesWanted, and SetAgentChoices (called then or later, from the
// worker's result) fills the list, also of an editor that is still open.
// The grid itself never calls the network.
//
// Rows with a blank name stay in the grid but are not written to the text.

#include <QPointer>

#include <string>
#include <vector>

#include "model/item/AgentRows.h"
#include "ui/direction/CDirectionGrid.h"

class QComboBox;

namespace ui {

class ApfModel;

class CGridApf : public CDirectionGrid {
  Q_OBJECT

 public:
  enum Column { kImage = 0, kName, kValue, kComment, kColumnCount };

  explicit CGridApf(ports::DialogPort* dialogs, QWidget* parent = nullptr);

  // The link parameter text, one row per agent line; any open editor is
  // dropped.
  void SetLinkText(const std::string& text);
  std::string LinkText() const;
  const std::vector<model::AgentRow>& Rows() const;

  // The drop-down's contents (CP1251), in order.
  void SetAgentChoices(std::vector<std::string> names);
  const std::vector<std::string>& AgentChoices() const { return choices_; }

  // The way every edit reaches a cell: trimmed and upper-cased. False, the
  // cell unchanged, when the cell is not editable or the text holds what the
  // link text cannot carry (a line end; "=" in a name).
  bool CommitEdit(int row, int column, const QString& text);

 signals:
  // A name editor opened: the page may now fetch the agent names.
  void agentChoicesWanted();

 protected:
  std::string DeleteQuestion() const override;
  int FirstEditableColumn() const override { return kName; }
  void AppendRow() override;
  void RemoveRows(const std::vector<int>& rows) override;

 private:
  friend class ApfDelegate;
  void NameEditorOpened(QComboBox* editor);
  void FillChoices(QComboBox* editor) const;

  ApfModel* model_;
  std::vector<std::string> choices_;
  QPointer<QComboBox> nameEditor_;  // the open name editor, if any
};

}  // namespace ui
