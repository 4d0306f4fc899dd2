#pragma once
// The routing addresses of one direction or abonent: a row per address with
// "Изображение", "Адрес", "Уровень маршрутизации" and "Комментарий". Deleting
// removes the selected addresses from the entry being edited only; they
// reach the node when the entry is applied.

#include <QTreeWidget>

#include "model/item/VxItemBase.h"

namespace ports {
class DialogPort;
}

namespace ui {

class CGridRtEntries : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CGridRtEntries(QWidget* parent = nullptr);

  void SetAddresses(const model::RoutingLists& addresses);
  const model::RoutingLists& Addresses() const { return addresses_; }
  // Asks "Удалить выделенные адреса направления?"; true when rows went.
  bool DeleteSelected(ports::DialogPort& dialogs);

 signals:
  void addressesChanged();

 private:
  model::RoutingLists addresses_;
};

}  // namespace ui
