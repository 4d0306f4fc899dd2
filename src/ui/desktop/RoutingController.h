#pragma once
// The routing views in the desktop program: a view reads its node's tables
// and abonent records on the worker when it opens and on its rescans; the
// pop-up editor's changes, the deletions and the forced rescans run there
// too, and every page is filled again from the node's cache afterwards.

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

#include "services/RoutingRows.h"

namespace ui {

class CMainFrame;
class CViewRouting;
class DesktopConsole;

class RoutingController : public QObject {
  Q_OBJECT

 public:
  explicit RoutingController(DesktopConsole& console);
  ~RoutingController() override;

  void Attach(CMainFrame* frame);
  // A routing view was opened (or activated): it reads its node unless it has.
  void Opened(CViewRouting* view);
  // Reads the invalid tables and the abonent records, then refills the pages.
  void Load(CViewRouting* view);
  // Clears `clearMask` of the node's validity bits, then loads; refused with
  // `scanText` while a data view reads its directory.
  void Rescan(CViewRouting* view, uint32_t clearMask, const std::string& scanText);
  // The pop-up editor on a row of a level (row -1: a new entry).
  void Edit(CViewRouting* view, int level, int row);
  void Delete(CViewRouting* view, int level, const std::vector<services::RoutingRow>& rows);
  // Commands 32822, 32823, 32833..32838 and 32788 of an active routing view;
  // false for others, or when no routing view is active.
  bool HandleCommand(int id);
  // The node's routing changed elsewhere (its stale levels are marked): its
  // open routing views read them again once the worker is free.
  void Reload(const std::string& mailServer);

 private:
  CViewRouting* ActiveView() const;
  // Fills every page from the node's cache (on the window thread, the worker idle).
  void Fill(CViewRouting* view, const std::string& selectKey = {}, int selectLevel = -1);
  bool Busy();
  bool Refused(const std::string& scanText);
  // Loads the views whose first load was refused, once the worker is free.
  void LoadWaiting();

  DesktopConsole& console_;
  QPointer<CMainFrame> frame_;
  std::vector<QPointer<CViewRouting>> waiting_;
  bool idleHooked_ = false;
};

}  // namespace ui
