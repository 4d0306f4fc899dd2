#include "ui/main/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialogs/InfoBoxes.h"
#include "ui/favorites/CFavoritesView.h"
#include "ui/icons/Icons.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/main/CPropStaticLowerPane.h"
#include "ui/main/CommandTable.h"
#include "ui/main/WindowPlacement.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The commands the window carries out itself; every other goes to the console.
bool HandledByWindow(int id) {
  switch (id) {
    case cmd::kMenuBar: case cmd::kNavigation: case cmd::kMainBar: case cmd::kPropertiesBar:
    case cmd::kFavoritesBar: case cmd::kDataViewBar: case cmd::kFavoritesOpsBar: case cmd::kWindowOpsBar:
    case cmd::kHelpPane: case cmd::kTrayMainBar: case cmd::kTrayPropertiesBar: case cmd::kTrayFavoritesBar:
    case cmd::kTrayHelpPane: case cmd::kCascade: case cmd::kTileHorizontally: case cmd::kTileVertically:
    case cmd::kArrangeIcons: case cmd::kMinimizeAll: case cmd::kNextView: case cmd::kCloseView:
    case cmd::kWindowManager: case cmd::kAbout: case cmd::kOsInformation: case cmd::kWebLinks:
    case cmd::kShowWindow:
      return true;
    default:
      return false;
  }
}

// The bar a tray command shows or hides.
int BarOfTrayCommand(int id) {
  switch (id) {
    case cmd::kTrayMainBar: return cmd::kMainBar;
    case cmd::kTrayPropertiesBar: return cmd::kPropertiesBar;
    case cmd::kTrayFavoritesBar: return cmd::kFavoritesBar;
    case cmd::kTrayHelpPane: return cmd::kHelpPane;
    default: return 0;
  }
}

const char* kHelpText =
    "<p><b>Навигация</b>: почтовые узлы, их компьютеры и серверные задачи. Щелчок по ячейке "
    "«Состояние» задачи или компьютера открывает список команд (запустить, остановить, ...).</p>"
    "<p><b>Свойства объекта</b>: свойства выбранного узла, компьютера или задачи. Двойной щелчок "
    "по строке «Ссылки», «Таблица», «Маршрутные таблицы», «Репликация», «Отслеживаемые диски» или "
    "«Отслеживаемые папки» открывает окно данных.</p>"
    "<p><b>Избранное</b>: группы избранных направлений с порогами очередей.</p>"
    "<p>Окно сообщений показывает журнал запуска и предупреждения; щелчок по нему скрывает его.</p>";

}  // namespace

CMainFrame::CMainFrame(const std::string& versionText, bool dockingWindows, ports::DialogPort* dialogs,
                       QWidget* parent)
    : QMainWindow(parent), docking_(dockingWindows) {
  setObjectName("CMainFrame");
  setWindowTitle(QString::fromUtf8(kTitle) + " [" + QString::fromStdString(versionText) + "]");
  setWindowIcon(AppIcon());
  area_ = new QMdiArea(this);
  area_->setViewMode(QMdiArea::TabbedView);
  area_->setTabsClosable(true);
  area_->setTabsMovable(true);
  area_->setDocumentMode(true);
  setCentralWidget(area_);
  CreateActions();
  CreateMenus();
  CreatePanes(dialogs);
  CreateBars();
  statusBar()->showMessage("Ready");
  progress_ = new QProgressBar(this);
  progress_->setMaximumWidth(180);
  progress_->setVisible(false);
  statusBar()->addPermanentWidget(progress_);
  resize(1100, 720);
}

CMainFrame::~CMainFrame() {
  // The bars are destroyed after this object's members; their last
  // visibility changes must not reach the command map any more.
  for (auto& [id, dock] : docks_) dock->disconnect(this);
  for (auto& [id, toolbar] : toolbars_) toolbar->disconnect(this);
  tree_->disconnect(this);
  properties_->disconnect(this);
}

QAction* CMainFrame::Action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QDockWidget* CMainFrame::Dock(int id) const {
  auto it = docks_.find(id);
  return it == docks_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::ToolBar(int id) const {
  auto it = toolbars_.find(id);
  return it == toolbars_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(Utf8(info.menuText), this);
    action->setObjectName(QString("command%1").arg(info.id));
    action->setData(info.id);
    if (!info.key.empty()) action->setShortcut(QKeySequence(Utf8(info.key)));
    action->setShortcutContext(Qt::WindowShortcut);
    if (!info.prompt.empty()) {
      action->setStatusTip(Utf8(info.prompt));
      action->setToolTip(Utf8(info.prompt));
    }
    action->setIcon(CommandIcon(info.id));
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    addAction(action);  // accelerators work while the menu bar is hidden
    actions_[id] = action;
  }
  for (int id : {cmd::kMenuBar, cmd::kNavigation, cmd::kMainBar, cmd::kPropertiesBar, cmd::kFavoritesBar,
                 cmd::kDataViewBar, cmd::kFavoritesOpsBar, cmd::kWindowOpsBar, cmd::kHelpPane, cmd::kTrayMainBar,
                 cmd::kTrayPropertiesBar, cmd::kTrayFavoritesBar, cmd::kTrayHelpPane, cmd::kSplashMessages,
                 cmd::kDisableSplash})
    actions_[id]->setCheckable(true);
  // Commands whose windows arrive later stay visible but cannot be chosen yet.
  for (int id : {cmd::kRescanAllRouting,
                 cmd::kRescanAbonents, cmd::kCopy, cmd::kPaste})
    actions_[id]->setEnabled(false);
  for (int id = cmd::kRescanLevelFirst; id <= cmd::kRescanLevelLast; ++id) actions_[id]->setEnabled(false);
}

void CMainFrame::CreateMenus() {
  // The menu's layout is ours; its commands, texts and keys are the table's.
  auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
    for (int id : ids) {
      if (id == 0)
        menu->addSeparator();
      else
        menu->addAction(actions_.at(id));
    }
  };
  add(menuBar()->addMenu("&File"), {cmd::kComputerIdentification, cmd::kSettings, 0, cmd::kExit});
  add(menuBar()->addMenu("F&avorites"), {cmd::kCreateGroup, cmd::kRemoveGroup, cmd::kEditGroup, 0,
                                         cmd::kAddDirections, cmd::kRemoveDirections, 0, cmd::kOpenGroupView});
  add(menuBar()->addMenu("&View"),
      {cmd::kMenuBar, cmd::kNavigation, cmd::kMainBar, cmd::kPropertiesBar, cmd::kFavoritesBar, cmd::kDataViewBar,
       cmd::kFavoritesOpsBar, cmd::kWindowOpsBar, cmd::kHelpPane, 0, cmd::kSplashMessages, cmd::kDisableSplash});
  QMenu* data = menuBar()->addMenu("&Data");
  add(data, {cmd::kRescanView, 0, cmd::kRescanAllRouting});
  QMenu* levels = data->addMenu("Rescan one level");
  for (int id = cmd::kRescanLevelFirst; id <= cmd::kRescanLevelLast; ++id) levels->addAction(actions_.at(id));
  add(data, {cmd::kRescanAbonents, 0, cmd::kPreviewArea, cmd::kFieldsChooser, 0, cmd::kCopy, cmd::kPaste});
  add(menuBar()->addMenu("&Window"), {cmd::kCascade, cmd::kTileHorizontally, cmd::kTileVertically,
                                      cmd::kArrangeIcons, cmd::kMinimizeAll, 0, cmd::kNextView, cmd::kCloseView, 0,
                                      cmd::kWindowManager});
  add(menuBar()->addMenu("&Help"), {cmd::kAbout, cmd::kOsInformation, cmd::kWebLinks});
}

QDockWidget* CMainFrame::AddDock(int id, QWidget* content, Qt::DockWidgetArea area) {
  const BarInfo* info = nullptr;
  for (const BarInfo& bar : Bars())
    if (bar.id == id) info = &bar;
  auto* dock = new QDockWidget(Utf8(info->title), this);
  dock->setObjectName(QString("bar%1").arg(id));
  dock->setWidget(content);
  // Without docking mode the layout is fixed: panes can be hidden, not moved.
  dock->setFeatures(docking_ ? QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                   QDockWidget::DockWidgetFloatable
                             : QDockWidget::DockWidgetClosable);
  addDockWidget(area, dock);
  docks_[id] = dock;
  BindToggle(id, dock);
  return dock;
}

void CMainFrame::CreatePanes(ports::DialogPort* dialogs) {
  tree_ = new CMainGridCtrl(this);
  tree_->setObjectName("CMainGridCtrl");
  properties_ = new CPropStaticLowerPane(this);
  properties_->setObjectName("CPropStaticLowerPane");
  favorites_ = new CFavoritesView(dialogs, this);
  help_ = new QTextBrowser(this);
  help_->setHtml(QString::fromUtf8(kHelpText));

  QDockWidget* navigation = AddDock(cmd::kNavigation, tree_, Qt::LeftDockWidgetArea);
  QDockWidget* properties = AddDock(cmd::kPropertiesBar, properties_, Qt::LeftDockWidgetArea);
  splitDockWidget(navigation, properties, Qt::Vertical);
  QDockWidget* favorites = AddDock(cmd::kFavoritesBar, favorites_, Qt::BottomDockWidgetArea);
  QDockWidget* help = AddDock(cmd::kHelpPane, help_, Qt::RightDockWidgetArea);
  help->hide();
  resizeDocks({navigation}, {380}, Qt::Horizontal);
  resizeDocks({navigation, properties}, {300, 360}, Qt::Vertical);
  // The left column runs the full height; the favourites pane lies under
  // the data windows only, so neither squeezes the other.
  setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
  resizeDocks({favorites}, {220}, Qt::Vertical);

  connect(tree_, &CMainGridCtrl::rowSelected, this, [this](const services::NavRow& row) {
    ShowRowProperties(row);
    emit rowSelected(row);
  });
  connect(tree_, &CMainGridCtrl::commandRequested, this, &CMainFrame::treeCommand);
  connect(tree_, &CMainGridCtrl::newEntryRequested, this, &CMainFrame::newEntryRequested);
  connect(properties_, &CPropStaticLowerPane::openRequested, this, &CMainFrame::openRequested);
}

void CMainFrame::CreateBars() {
  for (const BarInfo& bar : Bars()) {
    if (bar.buttons.empty()) continue;
    auto* toolbar = new QToolBar(Utf8(bar.title), this);
    toolbar->setObjectName(QString("bar%1").arg(bar.id));
    toolbar->setIconSize(QSize(16, 15));
    toolbar->setMovable(docking_);
    for (int id : bar.buttons) {
      if (id == 0) {
        toolbar->addSeparator();
        continue;
      }
      QAction* action = actions_.at(id);
      toolbar->addAction(action);
      if (!ButtonCaption(id).empty()) {
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        if (button) {
          button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
          button->setText(Utf8(ButtonCaption(id)));
        }
      }
    }
    addToolBar(Qt::TopToolBarArea, toolbar);
    toolbars_[bar.id] = toolbar;
    BindToggle(bar.id, toolbar);
  }
  BindToggle(cmd::kMenuBar, menuBar());
}

void CMainFrame::BindToggle(int id, QWidget* bar) {
  // The command and the tray's twin follow the bar's visibility, whoever
  // hid it (its close box, a command, the layout restored).
  QAction* action = actions_.at(id);
  action->setChecked(true);
  auto follow = [this, id](bool visible) {
    actions_.at(id)->setChecked(visible);
    for (int tray : {cmd::kTrayMainBar, cmd::kTrayPropertiesBar, cmd::kTrayFavoritesBar, cmd::kTrayHelpPane})
      if (BarOfTrayCommand(tray) == id) actions_.at(tray)->setChecked(visible);
  };
  if (auto* dock = qobject_cast<QDockWidget*>(bar))
    connect(dock, &QDockWidget::visibilityChanged, this, [dock, follow](bool) { follow(!dock->isHidden()); });
  if (auto* toolbar = qobject_cast<QToolBar*>(bar))
    connect(toolbar, &QToolBar::visibilityChanged, this, follow);
  follow(!bar->isHidden());
}

void CMainFrame::OnCommand(int id) {
  if (!HandledByWindow(id)) {
    emit commandTriggered(id);
    return;
  }
  const int barId = BarOfTrayCommand(id) ? BarOfTrayCommand(id) : id;
  QWidget* bar = nullptr;
  if (barId == cmd::kMenuBar) bar = menuBar();
  if (QDockWidget* dock = Dock(barId)) bar = dock;
  if (QToolBar* toolbar = ToolBar(barId)) bar = toolbar;
  if (bar != nullptr) {
    bar->setVisible(bar->isHidden());
    actions_.at(id)->setChecked(!bar->isHidden());
    return;
  }
  switch (id) {
    case cmd::kCascade: area_->setViewMode(QMdiArea::SubWindowView); area_->cascadeSubWindows(); break;
    case cmd::kTileHorizontally: area_->setViewMode(QMdiArea::SubWindowView); area_->tileSubWindows(); break;
    case cmd::kTileVertically: TileVertically(); break;
    case cmd::kArrangeIcons: {
      // Minimized windows line up along the bottom edge.
      int x = 0;
      for (QMdiSubWindow* window : area_->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, area_->viewport()->height() - window->height());
        x += window->width();
      }
      break;
    }
    case cmd::kMinimizeAll:
      area_->setViewMode(QMdiArea::SubWindowView);
      for (QMdiSubWindow* window : area_->subWindowList()) window->showMinimized();
      break;
    case cmd::kNextView: area_->activateNextSubWindow(); break;
    case cmd::kCloseView: area_->closeActiveSubWindow(); break;
    case cmd::kWindowManager: CreateWindowManager()->open(); break;
    case cmd::kAbout: ShowAboutBox(this); break;
    case cmd::kOsInformation: ShowOsInformation(this); break;
    case cmd::kWebLinks:
      QMessageBox::information(this, QString::fromUtf8("Veltrane32 REMOTE CONSOLE"),
                               QString::fromUtf8("Справка по программе: файл README.md рядом с программой."));
      break;
    case cmd::kShowWindow:
      if (isMinimized()) showNormal(); else show();
      raise();
      activateWindow();
      break;
    default: break;
  }
}

void CMainFrame::TileVertically() {
  // Side by side, each as tall as the area.
  area_->setViewMode(QMdiArea::SubWindowView);
  const QList<QMdiSubWindow*> windows = area_->subWindowList();
  if (windows.isEmpty()) return;
  const QRect room = area_->viewport()->rect();
  const int width = room.width() / static_cast<int>(windows.size());
  int x = 0;
  for (QMdiSubWindow* window : windows) {
    window->showNormal();
    window->setGeometry(x, 0, width, room.height());
    x += width;
  }
}

void CMainFrame::SetSnapshot(const services::ConsoleSnapshot& snapshot) {
  snapshot_ = snapshot;
  tree_->SetRows(services::NavigationRows(snapshot_));
  actions_.at(cmd::kDisableSplash)->setChecked(snapshot_.settings.splashWindowDisable);
  // A computer's or server's properties follow the new data; a task's
  // entries are read again only when it is selected anew.
  if (auto row = tree_->SelectedRow(); row && row->level < 2) ShowRowProperties(*row);
}

CGridFavorites* CMainFrame::FavoritesGrid() const { return favorites_->Grid(); }

void CMainFrame::ShowRowProperties(const services::NavRow& row) {
  if (row.level == 0) {
    if (const services::MailServerSnapshot* server = snapshot_.FindMailServer(row.mailServer))
      properties_->Show(row.mailServer, "", "", std::make_unique<CPropViewHost>(*server));
  } else if (row.level == 1) {
    if (const services::ComputerSnapshot* computer = snapshot_.FindComputer(row.computer))
      properties_->Show(row.mailServer, row.computer, "", std::make_unique<CPropViewConnection>(*computer));
  } else {
    // Filled once the worker has read the task's entries.
    properties_->Show(row.mailServer, row.computer, row.task, std::make_unique<CPropViewTask>(
                                                                  std::vector<services::PropertyRow>{}));
  }
}

void CMainFrame::ShowTaskProperties(const std::string& mailServer, const std::string& computer,
                                    const std::string& task, std::vector<services::PropertyRow> rows) {
  // An answer for a row no longer selected is dropped.
  if (properties_->MailServer() != mailServer || properties_->Computer() != computer || properties_->Task() != task)
    return;
  properties_->Show(mailServer, computer, task, std::make_unique<CPropViewTask>(std::move(rows)));
}

CChildFrame* CMainFrame::FindDataWindow(DataKind kind, const std::string& mailServer,
                                        const std::string& computer) const {
  for (CChildFrame* frame : DataWindows())
    if (frame->View()->Shows(kind, mailServer, computer)) return frame;
  return nullptr;
}

QList<CChildFrame*> CMainFrame::DataWindows() const {
  QList<CChildFrame*> frames;
  for (QMdiSubWindow* window : area_->subWindowList())
    if (auto* frame = qobject_cast<CChildFrame*>(window)) frames.append(frame);
  return frames;
}

CChildFrame* CMainFrame::OpenDataWindow(DataKind kind, const std::string& mailServer, const std::string& computer) {
  if (CChildFrame* open = FindDataWindow(kind, mailServer, computer)) {
    if (open->isMinimized()) open->showNormal();
    area_->setActiveSubWindow(open);
    return open;
  }
  return AddDataWindow(CreateDataView(kind, mailServer, computer));
}

CChildView* CMainFrame::ActiveView() const {
  auto* window = qobject_cast<CChildFrame*>(area_->activeSubWindow());
  return window ? window->View() : nullptr;
}

CChildFrame* CMainFrame::AddDataWindow(CChildView* view) {
  auto* frame = new CChildFrame(view);
  area_->addSubWindow(frame);
  frame->show();
  area_->setActiveSubWindow(frame);
  return frame;
}

bool CMainFrame::MenuOpen() const {
  return QApplication::activePopupWidget() != nullptr || menuBar()->activeAction() != nullptr;
}

void CMainFrame::RestorePlacement(QSettings& profile) {
  if (docking_) restoreState(profile.value("ControlBarState").toByteArray());
  const std::optional<WindowPlacement> placement = WindowPlacement::Load(profile);
  if (placement && placement->Placed())
    placement->ApplyTo(*this);
  else
    show();
  raise();
  activateWindow();
  if (!docking_) {
    // The fixed layout: the properties, main and navigation bars show.
    for (int id : {cmd::kPropertiesBar, cmd::kNavigation}) Dock(id)->show();
    ToolBar(cmd::kMainBar)->show();
  }
}

void CMainFrame::SavePlacement(QSettings& profile) const { WindowPlacement::Of(this).Save(profile); }

void CMainFrame::SaveBarLayout(QSettings& profile) const {
  if (docking_) profile.setValue("ControlBarState", saveState());
}

void CMainFrame::CloseForGood() {
  closing_ = true;
  close();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  // The close box is the exit command: asked, and shut down by the console.
  event->ignore();
  emit commandTriggered(cmd::kExit);
}

QDialog* CMainFrame::CreateWindowManager() {
  auto* dialog = new QDialog(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(QString::fromUtf8("Менеджер окон"));
  auto* layout = new QVBoxLayout(dialog);
  auto* list = new QListWidget(dialog);
  list->setObjectName("windowList");
  for (CChildFrame* frame : DataWindows()) {
    auto* item = new QListWidgetItem(frame->windowTitle(), list);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(frame)));
  }
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* activate = buttons->addButton(QString::fromUtf8("Активировать"), QDialogButtonBox::AcceptRole);
  QPushButton* closeWindow = buttons->addButton(QString::fromUtf8("Закрыть окно"), QDialogButtonBox::ActionRole);
  buttons->addButton(QString::fromUtf8("Закрыть"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  auto chosen = [list]() -> CChildFrame* {
    QListWidgetItem* item = list->currentItem();
    return item ? qobject_cast<CChildFrame*>(item->data(Qt::UserRole).value<QObject*>()) : nullptr;
  };
  connect(activate, &QPushButton::clicked, dialog, [this, dialog, chosen] {
    if (CChildFrame* frame = chosen()) {
      if (frame->isMinimized()) frame->showNormal();
      area_->setActiveSubWindow(frame);
    }
    dialog->accept();
  });
  connect(closeWindow, &QPushButton::clicked, dialog, [list, chosen] {
    if (CChildFrame* frame = chosen()) {
      frame->close();
      delete list->currentItem();
    }
  });
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  if (list->count() > 0) list->setCurrentRow(0);
  dialog->resize(460, 300);
  return dialog;
}

}  // namespace ui
