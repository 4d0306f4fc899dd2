#pragma once
// The console's main window: a multi-document frame with tabbed data
// windows, the menu bar, four toolbars, the navigation, properties,
// favourites and help panes, and the status bar with the progress control.
// It draws from snapshots and asks for everything else through signals; the
// desktop console behind it runs the calls.

#include <QMainWindow>

#include <map>
#include <string>

#include "services/ConsoleSnapshot.h"
#include "services/NavigationRows.h"
#include "services/PropertyRows.h"
#include "ui/main/CChildFrame.h"

class QAction;
class QDockWidget;
class QMdiArea;
class QProgressBar;
class QSettings;
class QTextBrowser;
class QToolBar;
class QTreeWidget;

namespace ports {
class DialogPort;
}

namespace ui {

class CFavoritesView;
class CGridFavorites;
class CMainGridCtrl;
class CPropStaticLowerPane;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // "Veltrane32 remote configuration"; the window adds " [version]".
  static constexpr const char* kTitle = "Veltrane32 remote configuration";
  static constexpr const char* kProfileName = "Veltrane32_Tarvik";

  // `dockingWindows`: USE_DOCKING_WINDOWS; bars can then be moved anywhere
  // and their layout is kept in the profile.
  // `dialogs`: what the favourites pane chooses files with; may be null.
  CMainFrame(const std::string& versionText, bool dockingWindows, ports::DialogPort* dialogs = nullptr,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  QAction* Action(int id) const;
  CMainGridCtrl* Tree() const { return tree_; }
  CPropStaticLowerPane* Properties() const { return properties_; }
  CFavoritesView* Favorites() const { return favorites_; }
  CGridFavorites* FavoritesGrid() const;
  QMdiArea* Area() const { return area_; }
  QProgressBar* Progress() const { return progress_; }
  QDockWidget* Dock(int id) const;
  QToolBar* ToolBar(int id) const;

  // The navigation rows and what the properties pane shows for a computer
  // or a mail server come from the snapshot.
  void SetSnapshot(const services::ConsoleSnapshot& snapshot);
  const services::ConsoleSnapshot& Snapshot() const { return snapshot_; }
  // The entries the selected task reported.
  void ShowTaskProperties(const std::string& mailServer, const std::string& computer, const std::string& task,
                          std::vector<services::PropertyRow> rows);

  // Opens the data window of that kind for the server and computer, or
  // activates the one already open (restored when minimized).
  CChildFrame* OpenDataWindow(DataKind kind, const std::string& mailServer, const std::string& computer);
  // The view of the active data window, if any.
  CChildView* ActiveView() const;
  // A view made by its owner (the entry view carries its entry) in a new window.
  CChildFrame* AddDataWindow(CChildView* view);
  CChildFrame* FindDataWindow(DataKind kind, const std::string& mailServer, const std::string& computer) const;
  QList<CChildFrame*> DataWindows() const;

  // True while a menu of this window is open or being tracked.
  bool MenuOpen() const;

  // The placement and the bar layout in the user profile.
  void RestorePlacement(QSettings& profile);
  void SavePlacement(QSettings& profile) const;
  void SaveBarLayout(QSettings& profile) const;

  // Closing goes through the confirmed exit; once the console has shut
  // down it closes the window for good with this.
  void CloseForGood();

  // The window manager's dialog (103), not yet shown.
  QDialog* CreateWindowManager();

 signals:
  // A command the console carries out (identification, settings, exit, the
  // pop-up toggles, the rescans); the window handles the rest itself.
  void commandTriggered(int id);
  void rowSelected(const services::NavRow& row);
  void treeCommand(const services::NavRow& row, int command);
  void openRequested(services::OpenTarget target, const std::string& mailServer, const std::string& computer);
  // A new direction or abonent of the node (the navigation's context menu).
  void newEntryRequested(const std::string& mailServer, bool abonent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateBars();
  void CreatePanes(ports::DialogPort* dialogs);
  QDockWidget* AddDock(int id, QWidget* content, Qt::DockWidgetArea area);
  void BindToggle(int id, QWidget* bar);
  void OnCommand(int id);
  void ShowRowProperties(const services::NavRow& row);
  void TileVertically();

  bool docking_;
  bool closing_ = false;
  std::map<int, QAction*> actions_;
  std::map<int, QDockWidget*> docks_;
  std::map<int, QToolBar*> toolbars_;
  QMdiArea* area_ = nullptr;
  CMainGridCtrl* tree_ = nullptr;
  CPropStaticLowerPane* properties_ = nullptr;
  CFavoritesView* favorites_ = nullptr;
  QTextBrowser* help_ = nullptr;
  QProgressBar* progress_ = nullptr;
  services::ConsoleSnapshot snapshot_;
};

}  // namespace ui
