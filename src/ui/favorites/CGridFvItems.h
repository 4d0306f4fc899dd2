#pragma once
// The grid of a favourite group's members: one row per member reference,
// the columns of the members view, sortable by any column, with threshold
// bars in the counter cells. The column layout (order and widths) is kept in
// the user profile per group.

#include <QStyledItemDelegate>
#include <QTableWidget>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "services/FavoritesSnapshot.h"

class QSettings;

namespace ui {

// Paints a counter cell's bar: green to yellow up to the group's dangerous
// count, yellow to red beyond it, with the percentage of the critical count
// when the cell is wide enough.
class ThresholdBarDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // The roles a counter cell carries its counter and the group's two counts in.
  static constexpr int kValueRole = Qt::UserRole + 10;
  static constexpr int kDangerousRole = Qt::UserRole + 11;
  static constexpr int kCriticalRole = Qt::UserRole + 12;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class CGridFvItems : public QTableWidget {
  Q_OBJECT

 public:
  explicit CGridFvItems(QWidget* parent = nullptr);

  // Fills the rows from the group; the selection (by member) and the sort
  // order stay. `localNow`: local wall-clock seconds since 1970.
  void Show(const services::FavoriteGroupView& group, int64_t localNow);
  // The selected members as (mail server, item name), CP1251.
  std::vector<std::pair<std::string, std::string>> SelectedMembers() const;

  // The layout under "CoolGridCtrl", entry "__FVGROUP_<group name>".
  void RestoreLayout(QSettings& profile, const std::string& groupName);
  void SaveLayout(QSettings& profile, const std::string& groupName) const;
  static QString LayoutKey(const std::string& groupName);
  // The column's title broken into lines that fit its width.
  void WrapTitle(int column);

  // The roles of the first cell of a row: the member's mail server and name.
  static constexpr int kServerRole = Qt::UserRole + 1;
  static constexpr int kItemRole = Qt::UserRole + 2;
  // A sort key where the text does not sort (intervals, counts).
  static constexpr int kSortRole = Qt::UserRole + 3;
};

}  // namespace ui
