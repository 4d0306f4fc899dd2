#pragma once
// A node's six routing tables, a page per level. The view owns no routing
// data: the console gives it the rows it read from the node's cache.

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "model/item/OrAddress.h"
#include "services/RoutingRows.h"
#include "ui/main/CChildFrame.h"

class QTabWidget;

namespace ui {

class CGridRouting;

using RoutingLevels = std::array<std::vector<services::RoutingRow>, model::kLevelCount>;

class CViewRouting : public CChildView {
  Q_OBJECT

 public:
  explicit CViewRouting(std::string mailServer, QWidget* parent = nullptr);
  ~CViewRouting() override;

  void SetLevels(RoutingLevels levels);
  CGridRouting* Page(int level) const { return pages_[static_cast<size_t>(level)]; }
  int CurrentLevel() const;
  void ShowLevel(int level);
  QTabWidget* Tabs() const { return tabs_; }
  // The page title "%s - уровень %s".
  static QString PageTitle(const std::string& node, int level);

  // Command 32786: the tables are read again (invalid levels only).
  void Rescan() override { emit rescanRequested(); }

 signals:
  void rescanRequested();
  // A row's editor (row -1: a new entry of the level).
  void editRequested(int level, int row);
  void deleteRequested(int level, const std::vector<services::RoutingRow>& rows);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTabWidget* tabs_;
  std::array<CGridRouting*, model::kLevelCount> pages_{};
};

}  // namespace ui
