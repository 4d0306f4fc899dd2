#pragma once
// The routing table of one level: one row per entry, "Изображение", "Адрес"
// and "Направление", the column layout kept in the profile per node and level.

#include <QTreeWidget>

#include <string>
#include <vector>

#include "services/RoutingRows.h"

class QSettings;

namespace ui {

class CGridRouting : public QTreeWidget {
  Q_OBJECT

 public:
  CGridRouting(std::string node, int level, QWidget* parent = nullptr);

  void SetRows(std::vector<services::RoutingRow> rows);
  const std::vector<services::RoutingRow>& Rows() const { return rows_; }
  // The rows selected, in row order.
  std::vector<services::RoutingRow> SelectedRows() const;
  // Selects the row of a key (as shown); false when there is none.
  bool SelectKey(const std::string& key);
  int Level() const { return level_; }

  // Under "CoolGridCtrl", entry "__ROUTING_<node>_<level name>".
  static QString LayoutKey(const std::string& node, int level);
  void RestoreLayout(QSettings& profile);
  void SaveLayout(QSettings& profile) const;

  static constexpr int kIndexRole = Qt::UserRole + 1;

 signals:
  // A row was activated (its index in Rows()).
  void editRequested(int row);

 private:
  std::string node_;
  int level_;
  std::vector<services::RoutingRow> rows_;
};

// The picture of a routing row.
QIcon RouteIconOf(services::RouteIcon icon);

}  // namespace ui
