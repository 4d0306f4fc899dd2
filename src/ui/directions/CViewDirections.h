#pragma once
// A node's directions and abonents in two presentations: the detailed table
// of fully read entries and the shortcut list of icons. The view never calls
// the node itself; the console gives it what it read.
//
// What each presentation needs and when it is read:
// - A view opened as the shortcut list reads names only (SetShortcuts): the
//   kind and the blocked flag of each entry, nothing in full.
// - Switching such a view to the table asks once for the full load
//   (fullLoadWanted); once the entries are there, switching either way never
//   reads again. While another load runs that ask is refused with the busy
//   message, and the next switch to the table asks again.
// - A full load (SetEntries) fills the table and the shortcut list alike: an
//   icon's kind is then the entry's kind on the server and its variant the
//   entry's active flag, the same values the listing gives.
// - A rescan reads as deep as the view already has: names only until the
//   view has its entries, the full load after (FullLoadWanted()).

#include <QListWidget>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "model/item/VxItemBase.h"
#include "services/DirectoryNames.h"
#include "ui/main/CChildFrame.h"

class QAction;
class QStackedWidget;

namespace ui {

class CGridDirections;

// The shortcut list: one icon per entry, an abonent or a direction, greyed
// when the queue manager has it blocked.
class CGridDirShortcuts : public QListWidget {
  Q_OBJECT

 public:
  explicit CGridDirShortcuts(QWidget* parent = nullptr);
  void SetEntries(const std::vector<services::ShortcutEntry>& entries);
  std::vector<std::string> SelectedNames() const;
  // The icon of a mailbox, or null.
  QListWidgetItem* ItemOf(const std::string& mailboxName) const;

  static constexpr int kNameRole = Qt::UserRole + 1;     // QString: the mailbox name
  static constexpr int kAbonentRole = Qt::UserRole + 2;  // bool
  static constexpr int kActiveRole = Qt::UserRole + 3;   // bool: not blocked
};

class CViewDirections : public CChildView {
  Q_OBJECT

 public:
  // `kind`: DirectionsTable or DirectionsShortcuts, the presentation it opens with.
  CViewDirections(DataKind kind, std::string mailServer, QWidget* parent = nullptr);
  ~CViewDirections() override;

  CGridDirections* Table() const { return table_; }
  CGridDirShortcuts* ShortcutList() const { return shortcuts_; }
  // Switches the presentation; the table of a view without its entries asks for them.
  void ShowTable(bool table);
  bool TableShown() const;
  // The context menu's two commands, "Shortcuts (quick view)" and "Table (detailed view)".
  QAction* ShortcutsAction() const { return shortcutsAction_; }
  QAction* TableAction() const { return tableAction_; }

  // The entries read in full: the table, and the shortcut list from them.
  void SetEntries(std::vector<model::_VxItemBase> entries);
  const std::vector<model::_VxItemBase>& Entries() const { return entries_; }
  bool Loaded() const { return loaded_; }
  // The names only: the shortcut list.
  void SetShortcuts(std::vector<services::ShortcutEntry> shortcuts);
  const std::vector<services::ShortcutEntry>& Shortcuts() const { return shortcutEntries_; }
  // A rescan (or the first load) reads the entries in full, not the names only.
  bool FullLoadWanted() const { return loaded_ || TableShown(); }
  // Leaves out an entry deleted on the node.
  void RemoveEntry(const std::string& mailboxName);
  // An entry written to the node from its own view: replaced in the lists,
  // or added when it is new to them.
  void UpdateEntry(const model::_VxItemBase& entry);
  std::vector<std::string> SelectedNames() const;

  // Set when the view goes: a load under way for it stops at its next step.
  std::shared_ptr<std::atomic<bool>> Gone() const { return gone_; }

  // Command 32786: the node's directory is read again.
  void Rescan() override { emit rescanRequested(); }

 signals:
  void rescanRequested();
  // The table was shown before the entries were read.
  void fullLoadWanted();
  void openRequested(const std::string& mailboxName);
  void deleteRequested(const std::vector<std::string>& mailboxNames);
  // The context menu: a new direction or abonent of this node.
  void newEntryRequested(bool abonent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void FillShortcutsFromEntries();

  QStackedWidget* stack_;
  CGridDirections* table_;
  CGridDirShortcuts* shortcuts_;
  QAction* shortcutsAction_;
  QAction* tableAction_;
  std::vector<model::_VxItemBase> entries_;
  std::vector<services::ShortcutEntry> shortcutEntries_;
  bool loaded_ = false;
  std::shared_ptr<std::atomic<bool>> gone_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace ui
