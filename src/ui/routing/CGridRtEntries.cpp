#include "ui/routing/CGridRtEntries.h"

#include <QHeaderView>

#include "model/item/OrAddress.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole + 2;
}  // namespace

CGridRtEntries::CGridRtEntries(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("CGridRtEntries");
  setColumnCount(4);
  setHeaderLabels({QString::fromUtf8("Изображение"), QString::fromUtf8("Адрес"),
                   QString::fromUtf8("Уровень маршрутизации"), QString::fromUtf8("Комментарий")});
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setColumnWidth(0, 28);
  setColumnWidth(1, 160);
  setColumnWidth(2, 160);
}

void CGridRtEntries::SetAddresses(const model::RoutingLists& addresses) {
  addresses_ = addresses;
  clear();
  for (int level = 0; level < model::kLevelCount; ++level) {
    const auto& list = addresses_[static_cast<size_t>(level)];
    for (size_t i = 0; i < list.size(); ++i) {
      auto* row = new QTreeWidgetItem(this);
      row->setIcon(0, ServerIcon());
      row->setText(1, FromCp(list[i]));
      row->setText(2, FromCp(std::string(model::LevelName(level))));
      row->setData(0, kLevelRole, level);
      row->setData(0, kIndexRole, static_cast<int>(i));
    }
  }
}

bool CGridRtEntries::DeleteSelected(ports::DialogPort& dialogs) {
  if (selectedItems().isEmpty()) return false;
  if (dialogs.Message(text::Cp("Удалить выделенные адреса направления?"), text::Cp("Вопрос"), ports::MsgIcon::Question,
                      ports::MsgButtons::YesNo) != ports::MsgAnswer::Yes)
    return false;
  model::RoutingLists kept;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = topLevelItem(i);
    if (row->isSelected()) continue;
    const auto level = static_cast<size_t>(row->data(0, kLevelRole).toInt());
    kept[level].push_back(addresses_[level][static_cast<size_t>(row->data(0, kIndexRole).toInt())]);
  }
  SetAddresses(kept);
  emit addressesChanged();
  return true;
}

}  // namespace ui
