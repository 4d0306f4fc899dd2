#pragma once
// A node's directions and abonents: the detailed table and the shortcut
// list over one list of entries, read by the console (the view never calls
// the node itself). Switching the presentation does not read again.

#include <QListWidget>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "model/item/VxItemBase.h"
#include "ui/main/CChildFrame.h"

class QStackedWidget;

namespace ui {

class CGridDirections;

// The shortcut list: one icon per entry, an abonent or a direction.
class CGridDirShortcuts : public QListWidget {
  Q_OBJECT

 public:
  explicit CGridDirShortcuts(QWidget* parent = nullptr);
  void SetEntries(const std::vector<model::_VxItemBase>& entries);
  std::vector<std::string> SelectedNames() const;
};

class CViewDirections : public CChildView {
  Q_OBJECT

 public:
  // `kind`: DirectionsTable or DirectionsShortcuts, the presentation it opens with.
  CViewDirections(DataKind kind, std::string mailServer, QWidget* parent = nullptr);
  ~CViewDirections() override;

  CGridDirections* Table() const { return table_; }
  CGridDirShortcuts* ShortcutList() const { return shortcuts_; }
  void ShowTable(bool table);
  bool TableShown() const;

  // The entries read from the node, shown by both presentations.
  void SetEntries(std::vector<model::_VxItemBase> entries);
  const std::vector<model::_VxItemBase>& Entries() const { return entries_; }
  bool Loaded() const { return loaded_; }
  // Leaves out an entry deleted on the node.
  void RemoveEntry(const std::string& mailboxName);
  std::vector<std::string> SelectedNames() const;

  // Set when the view goes: a load under way for it stops at its next step.
  std::shared_ptr<std::atomic<bool>> Gone() const { return gone_; }

  // Command 32786: the node's directory is read again.
  void Rescan() override { emit rescanRequested(); }

 signals:
  void rescanRequested();
  void openRequested(const std::string& mailboxName);
  void deleteRequested(const std::vector<std::string>& mailboxNames);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QStackedWidget* stack_;
  CGridDirections* table_;
  CGridDirShortcuts* shortcuts_;
  std::vector<model::_VxItemBase> entries_;
  bool loaded_ = false;
  std::shared_ptr<std::atomic<bool>> gone_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace ui
