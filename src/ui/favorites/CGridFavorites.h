#pragma once
// The favourite group grid: one top row per group (name, empty value,
// comment) and under it the group's settings as labelled rows. A pure view:
// every accepted edit is announced with groupEdited and nothing else is done;
// the owner decides what the model and the file make of it.
//
// Editable cells: the name and comment of a group row, the value of every
// leaf row. Numbers must be all decimal digits (empty is 0) and fit 32 bits;
// names must not be blank and must differ from every other group's name
// (exact compare); names, comments and paths must not hold '"', ';', CR, LF
// or NUL, which the text form cannot carry. A refused edit leaves the cell as
// it was, and the reason is shown in a note at the cell. A scan period
// below the least that start-up accepts is refused too. Double click on the
// sound file or application row opens the file chooser; F2 or typing edits
// the path as text.
//
// Alarm colours: an alarming group's row is drawn in bold white on red
// (255, 64, 64), the rows of its file counters tinted (255, 224, 224).

#include <QTreeWidget>

#include <string>
#include <vector>

#include "core/GroupRecord.h"

class QLabel;
class QTimer;

namespace ports {
class DialogPort;
}

namespace ui {

class CGridFavorites : public QTreeWidget {
  Q_OBJECT

 public:
  // The rows under a group row, in order. kTotal and the priority rows hold
  // children: dangerous and critical count, and for the priorities the idle
  // limit.
  enum Row { kScanPeriod = 0, kAgentIdle, kSoundFile, kApplication, kTotal, kFirstPriority, kRowCount = 10 };
  enum CounterRow { kDangerous = 0, kCritical, kIdleLimit };
  enum Column { kNameColumn = 0, kValueColumn, kCommentColumn };

  explicit CGridFavorites(ports::DialogPort* dialogs, QWidget* parent = nullptr);

  // Replaces every row; keeps which groups were expanded and the current row
  // (by group name and row position) where they still exist. Alarms and a
  // pending row are dropped.
  void SetGroups(const std::vector<core::GroupRecord>& groups);
  int GroupCount() const;
  // The group's values read back from its rows (name = the group row's text,
  // trimmed).
  core::GroupRecord GroupAt(int index) const;
  // The group holding the current row, -1 none.
  int CurrentGroup() const;
  // Appends a group row filled from `defaults`, makes it current and starts
  // editing its name; the new row is "pending" until its name edit is
  // accepted, and goes away when that editor closes without it.
  void InsertGroupRow(const core::GroupRecord& defaults);
  void RemoveGroupRow(int index);
  // Starts editing the current group's name cell.
  void EditCurrentGroup();
  void SetAlarm(int index, bool alarm);
  bool Alarm(int index) const;
  // Off: Insert and Delete keys do nothing (the settings page holds one
  // fixed group).
  void SetStructureEditable(bool on);

  // The group row of group `index`, null when out of range.
  QTreeWidgetItem* GroupItem(int index) const;
  // A row under group `index`: `counter` < 0 for the row itself, else its
  // child of that position. Null when absent.
  QTreeWidgetItem* RowItem(int index, int row, int counter = -1) const;
  // Whether the row's pending name has not been given yet.
  bool IsPending(int index) const;
  // A cell is being edited, or a new group row waits for its name: the
  // owner does not replace the rows then.
  bool Busy() const { return state() == EditingState || pending_ != nullptr; }

  // The one way every edit reaches a cell, typed or chosen: checks the text
  // by the rules above, puts it in the cell and emits groupEdited. False,
  // with the cell unchanged, when refused or not an editable cell. A text
  // equal to the cell's is accepted without a signal (except the pending
  // row's name, which brings the group into being).
  bool CommitEdit(QTreeWidgetItem* item, int column, const QString& text);
  // Why the last edit was refused, empty after an accepted one; shown for a
  // few seconds in a tool-tip-like note at the cell.
  const QString& LastRefusal() const { return lastRefusal_; }
  QLabel* RefusalNote() const { return refusalNote_; }
  // Opens the file chooser for a sound file or application row and commits
  // the chosen path. False when not such a row, cancelled or refused.
  bool ChooseFile(QTreeWidgetItem* item);

 signals:
  // An edit was accepted in group `index`. `oldName` is the group's name
  // before the edit, empty for a pending row whose name was just given;
  // `values` = GroupAt(index).
  void groupEdited(int index, const std::string& oldName, const core::GroupRecord& values);
  void insertRequested();                // Insert key (only when structure editable)
  void deleteRequested(int index);       // Delete key on a group's rows
  void openMembersRequested(int index);  // Enter / double click on a group row
  void editRefused(const QString& reason);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  friend class FavoritesDelegate;

  bool IsEditableCell(const QTreeWidgetItem* item, int column) const;
  static bool IsLeaf(const QTreeWidgetItem* item);
  static bool IsPathRow(const QTreeWidgetItem* item);
  QTreeWidgetItem* AddGroupItem(const core::GroupRecord& group);
  void OnDoubleClicked(QTreeWidgetItem* item, int column);
  void PaintAlarm(QTreeWidgetItem* group, bool alarm);
  bool Refuse(QTreeWidgetItem* item, int column, const QString& reason);
  void ShowRefusal(const QRect& cell, const QString& reason);
  void HideRefusal();
  static QString UnstorableReason();

  ports::DialogPort* dialogs_;
  QTreeWidgetItem* pending_ = nullptr;
  bool structureEditable_ = true;
  static constexpr int kRefusalShownMs = 5000;
  QString lastRefusal_;
  QLabel* refusalNote_ = nullptr;
  QTimer* refusalTimer_ = nullptr;
};

}  // namespace ui
