#pragma once
// The detailed table of a node's directions and abonents: one row per entry
// with the table's columns, sortable, a row preview under each row (routing
// parameters, X.400 address, address book, parameters) that can be switched
// on and off, a fields chooser, and the column layout kept in the profile
// per node.

#include <QTreeWidget>

#include <string>
#include <vector>

#include "model/item/VxItemBase.h"

class QSettings;

namespace ui {

class CGridDirections : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CGridDirections(QWidget* parent = nullptr);

  void SetEntries(const std::vector<model::_VxItemBase>& entries);
  // The preview lines under each row (Ctrl+B).
  void SetPreview(bool on);
  bool Preview() const { return preview_; }
  // The fields chooser (Ctrl+F): which columns are shown.
  void ChooseFields();
  void SetColumnShown(int column, bool shown);

  // The mailbox names of the selected rows, in row order.
  std::vector<std::string> SelectedNames() const;
  // The row of a mailbox, or null.
  QTreeWidgetItem* RowOf(const std::string& mailboxName) const;

  // Under "CoolGridCtrl", entry "__DIRECTIONS_<node>".
  static QString LayoutKey(const std::string& node);
  void RestoreLayout(QSettings& profile, const std::string& node);
  void SaveLayout(QSettings& profile, const std::string& node) const;

  static constexpr int kNameRole = Qt::UserRole + 1;

 signals:
  void openRequested(const std::string& mailboxName);

 private:
  void FillPreview(QTreeWidgetItem* row, const model::_VxItemBase& entry);
  bool preview_ = false;
};

}  // namespace ui
