#pragma once
// The routing addresses of one direction or abonent, as the entry's routing
// page edits them: a row per address with "Изображение", "Адрес",
// "Уровень маршрутизации" and "Комментарий". The address is typed in its
// cell, the level chosen from a drop-down of the six level names. Rows
// change the entry being edited only; they reach the node when the entry is
// applied.

#include <QTableWidget>

#include <string>
#include <vector>

#include "model/item/VxItemBase.h"

namespace ports {
class DialogPort;
}

namespace ui {

class CGridRtEntries : public QTableWidget {
  Q_OBJECT

 public:
  enum Column { kImage = 0, kAddress, kLevel, kComment, kColumnCount };
  static constexpr int kNewRowLevel = model::kLevelCount - 1;  // PN

  explicit CGridRtEntries(QWidget* parent = nullptr);

  // One row per address, level by level (C first), list order kept.
  void SetAddresses(const model::RoutingLists& addresses);
  // The rows as the six per-level lists: addresses trimmed and upper-cased,
  // blank ones and rows of an unknown level left out, row order kept.
  model::RoutingLists Addresses() const;
  // Appends a row as given (CP1251), without checking the level.
  void AddRow(const std::string& address, const std::string& levelName);

  std::vector<int> SelectedRows() const;
  // Appends a PN row and opens its address for typing.
  void InsertRowAndEdit();
  // Opens the address of that row for typing.
  void EditRow(int row);
  // Asks "Удалить выделенные адреса направления?"; true when the selected
  // rows went. Nothing is asked without a selection.
  bool DeleteSelected(ports::DialogPort* dialogs);
  // Ends an open cell editor, keeping what was typed.
  void TakePendingInput();
  // The rows' picture: the entry's own kind, as the routing tables draw it.
  void SetAbonentEntry(bool abonent);

 signals:
  void addressesChanged();

 private:
  bool abonent_ = false;
};

}  // namespace ui
