#include "ui/routing/CGridRouting.h"

#include <QHeaderView>
#include <QSettings>
#include <QStyle>

#include "model/item/OrAddress.h"
#include "ui/icons/Icons.h"
#include "ui/main/GridLayoutKey.h"
#include "ui/main/HeadingWidth.h"
#include "ui/text/QtText.h"

namespace ui {

QIcon RouteIconOf(services::RouteIcon icon) {
  switch (icon) {
    case services::RouteIcon::kAbonent: return EntryIcon(true);
    case services::RouteIcon::kLocal: return TaskIcon("MQUEUE");
    case services::RouteIcon::kAnyAddress: return ServerIcon();
    case services::RouteIcon::kTypeA: return ComputerIcon();
    case services::RouteIcon::kRoute: break;
  }
  return EntryIcon(false);
}

CGridRouting::CGridRouting(std::string node, int level, QWidget* parent)
    : QTreeWidget(parent), node_(std::move(node)), level_(level) {
  setObjectName("CGridRouting");
  setColumnCount(3);
  setHeaderLabels({QString::fromUtf8("Изображение"), QString::fromUtf8("Адрес"), QString::fromUtf8("Направление")});
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
  header()->setSectionsMovable(true);
  SetColumnWidthAtLeastHeading(*header(), 0, 28);
  SetColumnWidthAtLeastHeading(*header(), 1, 160);
  SetColumnWidthAtLeastHeading(*header(), 2, 260);
  connect(this, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { emit editRequested(item->data(0, kIndexRole).toInt()); });
}

void CGridRouting::SetRows(std::vector<services::RoutingRow> rows) {
  rows_ = std::move(rows);
  clear();
  for (size_t i = 0; i < rows_.size(); ++i) {
    auto* item = new QTreeWidgetItem(this);
    item->setIcon(0, RouteIconOf(rows_[i].icon));
    item->setText(1, FromCp(rows_[i].key));
    item->setText(2, FromCp(rows_[i].target));
    item->setData(0, kIndexRole, static_cast<int>(i));
  }
}

std::vector<services::RoutingRow> CGridRouting::SelectedRows() const {
  std::vector<services::RoutingRow> rows;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) rows.push_back(rows_[static_cast<size_t>(topLevelItem(i)->data(0, kIndexRole).toInt())]);
  return rows;
}

bool CGridRouting::SelectKey(const std::string& key) {
  const QString shown = FromCp(key);
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->text(1) == shown) {
      setCurrentItem(topLevelItem(i));
      return true;
    }
  return false;
}

QString CGridRouting::LayoutKey(const std::string& node, int level) {
  return GridLayoutKey("__ROUTING_", node + "_" + std::string(model::LevelName(level)));
}

void CGridRouting::RestoreLayout(QSettings& profile) {
  const QByteArray state = profile.value(LayoutKey(node_, level_)).toByteArray();
  if (!state.isEmpty()) header()->restoreState(state);
}

void CGridRouting::SaveLayout(QSettings& profile) const { profile.setValue(LayoutKey(node_, level_), header()->saveState()); }

}  // namespace ui
