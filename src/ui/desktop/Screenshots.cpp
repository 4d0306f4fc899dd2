#include "ui/desktop/Screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QScrollBar>
#include <QFile>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <utility>

#include "core/DefaultConfigText.h"
#include "core/poll/CPopupWindowState.h"
#include "model/install/Installations.h"
#include "services/ConsoleServices.h"
#include "services/FavoriteMemberRows.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/FavoritesController.h"
#include "ui/dialogs/CLogonDlg.h"
#include "ui/dialogs/InfoBoxes.h"
#include "ui/direction/CGridApf.h"
#include "ui/direction/CGridTimings.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
#include "ui/routing/CFlyUpRoutingEditor.h"
#include "ui/routing/CGridRouting.h"
#include "ui/routing/CViewRouting.h"
#include "ui/abonent/CGridInst.h"
#include "ui/abonent/CViewAbonent.h"
#include "ui/desktop/EntryController.h"
#include "ui/dialogs/CDlgRequestAddrFields.h"
#include "ui/dialogs/CDlgVaAskPaste.h"
#include "ui/dialogs/CDlgVaEditSingle.h"
#include "ui/wizard/CWizTiming.h"
#include "ui/editor/CCfgFileEditDlg.h"
#include "ui/favorites/CFavoritesView.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/favorites/CGridFvItems.h"
#include "ui/favorites/CViewFvItems.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/main/CPropStaticLowerPane.h"
#include "ui/main/CommandTable.h"
#include "ui/popup/CMessageWindow.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/settings/CProgramSetingsDlg.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

// Lets layouts, paints and queued answers settle.
void Settle(int ms = 150) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class Shooter {
 public:
  explicit Shooter(const QString& folder) : folder_(folder) {}

  void Take(QWidget* widget, const QString& name) {
    if (widget == nullptr) return;
    widget->ensurePolished();
    widget->adjustSize();
    TakeAsIs(widget, name);
  }
  // A window that is sized by the program: taken as it stands.
  void TakeAsIs(QWidget* widget, const QString& name) {
    if (widget == nullptr) return;
    Settle(50);
    Save(widget->grab(), name);
  }
  void Save(const QPixmap& picture, const QString& name) {
    const QString path = QDir(folder_).filePath(name + ".png");
    if (picture.save(path)) {
      written_.append(path);
      std::fprintf(stdout, "vtconsole: screenshot %s\n", path.toLocal8Bit().constData());
    } else {
      std::fprintf(stderr, "vtconsole: cannot write %s\n", path.toLocal8Bit().constData());
    }
  }
  const QStringList& Written() const { return written_; }

 private:
  QString folder_;
  QStringList written_;
};

// Selects a row and waits until what it asks of the worker has come back.
void SelectAndWait(DesktopConsole& console, const std::string& server, const std::string& computer,
                   const std::string& task) {
  console.MainFrame()->Tree()->SelectRow(server, computer, task);
  Settle(50);
  console.Runner().WaitIdle();
  Settle(100);
}

}  // namespace

QStringList WriteScreenshots(DesktopConsole& console, const QString& folder) {
  Shooter shot(folder);
  CMainFrame* main = console.MainFrame();
  if (main == nullptr) return {};
  console.Runner().WaitIdle();
  console.RefreshWindows();
  main->resize(1200, 800);
  main->show();
  Settle();

  const services::ConsoleSnapshot& snapshot = main->Snapshot();
  const services::MailServerSnapshot* server = snapshot.mailServers.empty() ? nullptr : &snapshot.mailServers[0];
  const services::ComputerSnapshot* computer =
      server && !server->computers.empty() ? &snapshot.computers[static_cast<size_t>(server->computers[0])] : nullptr;

  if (server) {
    SelectAndWait(console, server->name, "", "");
    shot.TakeAsIs(main->Properties(), "properties-mail-server");
  }
  if (computer) {
    if (!computer->tasks.empty()) {
      SelectAndWait(console, server->name, computer->name, computer->tasks[0].name);
      shot.TakeAsIs(main->Properties(), "properties-task");
    }
    SelectAndWait(console, server->name, computer->name, "");
    shot.TakeAsIs(main->Properties(), "properties-computer");
  }
  shot.TakeAsIs(main, "main-window");

  if (server) {
    CChildFrame* lists = main->OpenDataWindow(DataKind::MailingLists, server->name, "");
    Settle();
    shot.TakeAsIs(lists, "mailing-lists-frame");
  }
  if (auto row = main->Tree()->SelectedRow(); row && row->commandable) {
    QMenu* menu = main->Tree()->CommandMenu(*row);
    shot.Take(menu, "navigation-command-menu");
  }

  // The message window with the start-up's lines.
  if (CMessageWindow* window = console.MessageWindow()) {
    console.Services().App().Log().Show(0);
    window->Refresh();
    Settle();
    shot.Save(QPixmap::fromImage(window->Render()), "message-window");
    console.Services().App().Log().Hide();
    window->Refresh();
  }
  shot.Take(main->findChild<QMenu*>("trayMenu"), "tray-menu");

  // Dialogs, built and pictured without waiting for an answer.
  {
    ports::LogonRequest request;
    request.serverName = server ? server->name : "DEMO";
    request.computerName = computer ? computer->name : "DEMO-SRV";
    request.userName = "ADMIN";
    CLogonDlg dialog(request, main);
    shot.Take(&dialog, "logon-dialog");
  }
  {
    ports::MessageBoxRequest request;
    request.text = text::Cp("\nНе найден конфигурационный файл \"__RemoteHost.Cfg\"!\n\nСоздать новый "
                            "конфигурационный файл?\n\n");
    request.caption = text::Cp("Вопрос");
    request.icon = ports::MsgIcon::Question;
    request.buttons = ports::MsgButtons::YesNo;
    // Built as the dialogs port builds its boxes, without waiting for an answer.
    QMessageBox box(QMessageBox::Question, FromCp(request.caption), FromCp(request.text),
                    QMessageBox::Yes | QMessageBox::No, main);
    shot.Take(&box, "missing-file-question");
  }
  {
    auto about = BuildAboutBox(main);
    shot.Take(about.get(), "about-box");
    auto os = BuildOsInformationBox(main);
    shot.Take(os.get(), "os-information");
    auto identity = BuildComputerIdentificationBox(main, snapshot.machineIdentity);
    shot.Take(identity.get(), "computer-identification");
  }
  {
    QDialog* manager = main->CreateWindowManager();
    shot.Take(manager, "window-manager");
    delete manager;
  }

  // The favourite groups: the pane after the first scan, and the members
  // view of the first group.
  if (!snapshot.favorites.empty()) {
    console.FavoritesTick();
    console.Runner().WaitIdle();
    Settle();
    if (QDockWidget* dock = main->Dock(cmd::kFavoritesBar)) main->resizeDocks({dock}, {300}, Qt::Vertical);
    if (CGridFavorites* grid = main->FavoritesGrid()) {
      grid->expandAll();
      grid->scrollToTop();
    }
    Settle();
    shot.TakeAsIs(main->Favorites(), "favorites-pane");
    if (CViewFvItems* members = console.Favorites().OpenMembers(main->Snapshot().favorites[0].settings.name)) {
      main->Area()->activeSubWindow()->showMaximized();
      Settle(300);
      // The counters with their threshold bars in sight.
      CGridFvItems* grid = members->Grid();
      grid->horizontalScrollBar()->setValue(grid->horizontalHeader()->sectionPosition(services::member_column::kBlocked));
      Settle();
      shot.TakeAsIs(members, "favorites-members-view");
      shot.TakeAsIs(main, "main-window-favorites");
    }
  }

  // The routing tables: a level with entries, then the pop-up editor open
  // on one of its rows with the node's directions listed.
  if (server) {
    emit main->openRequested(services::OpenTarget::Routing, server->name, "");
    CChildFrame* window = main->FindDataWindow(DataKind::Routing, server->name, "");
    auto* view = window ? qobject_cast<CViewRouting*>(window->View()) : nullptr;
    console.Runner().WaitIdle();
    Settle(300);
    if (view) {
      window->showMaximized();
      view->ShowLevel(2);
      Settle();
      shot.TakeAsIs(main, "routing-page");
      if (!view->Page(2)->Rows().empty()) {
        emit view->editRequested(2, 0);
        console.Runner().WaitIdle();
        Settle(300);
        for (QWidget* top : QApplication::topLevelWidgets())
          if (auto* popup = qobject_cast<CFlyUpRoutingPopupWnd*>(top); popup && popup->isVisible()) {
            shot.TakeAsIs(popup, "routing-editor");
            popup->reject();
          }
      }
      window->close();
      Settle();
    }
  }

  // The node's directions: the table with its row preview, the shortcut
  // list, and the grids of an entry's schedule, agents and installations.
  if (server && computer) {
    emit main->openRequested(services::OpenTarget::DirectionsTable, server->name, computer->name);
    CChildFrame* window = main->FindDataWindow(DataKind::DirectionsTable, server->name, "");
    auto* view = window ? qobject_cast<CViewDirections*>(window->View()) : nullptr;
    console.Runner().WaitIdle();
    Settle(300);
    if (view && view->Loaded()) {
      window->showMaximized();
      view->Table()->SetPreview(true);
      Settle();
      shot.TakeAsIs(main, "directions-table");
      view->ShowTable(false);
      Settle();
      shot.TakeAsIs(view, "directions-shortcuts");
      view->ShowTable(true);
      for (const model::_VxItemBase& entry : view->Entries()) {
        if (entry.mailboxName == "SPB-NODE") {
          CGridTimings timings(nullptr, main);
          timings.SetFrames(entry.schedule);
          timings.resize(900, 160);
          shot.TakeAsIs(&timings, "timings-grid");
        }
        if (entry.mailboxName == "NSK-NODE") {
          CGridApf agents(nullptr, main);
          agents.SetLinkText(entry.linkParameters);
          agents.resize(600, 120);
          shot.TakeAsIs(&agents, "agents-grid");
        }
        if (entry.kindOnServer == 1 && entry.mailboxName != "SYSOP") {
          std::vector<model::InstallationRow> rows;
          const model::_VxItemBase abonent = entry;
          console.Runner().Post(ServiceRunner::Kind::User, [&console, &rows, abonent] {
            model::InstallContext context{console.Services().Net(), console.Dialogs(), &abonent, QDir::tempPath().toStdString()};
            rows = model::RebuildInstallations(context);
          });
          console.Runner().WaitIdle();
          CGridInst installations(main);
          installations.SetRows(rows);
          installations.resize(500, 220);
          if (!rows.empty()) installations.SelectRow(0);
          shot.TakeAsIs(&installations, "installations-grid");
          break;
        }
      }
    }
    if (window) window->close();
  }

  // An entry's view page by page: a direction, an abonent, a new one, and
  // the paste question.
  if (server) {
    const auto pages = [&](const std::string& mailbox, bool abonent, const QString& prefix) {
      if (mailbox.empty())
        console.Entries().New(server->name, abonent);
      else
        console.Entries().Open(server->name, mailbox);
      console.Runner().WaitIdle();
      Settle(300);
      auto* frame = qobject_cast<CChildFrame*>(main->Area()->activeSubWindow());
      auto* view = frame ? qobject_cast<CViewAbonent*>(frame->View()) : nullptr;
      if (view == nullptr) return static_cast<CViewAbonent*>(nullptr);
      // The pages with their captions side by side need more room than the
      // client area has beside the panes.
      frame->showNormal();
      frame->resize(1100, 760);
      for (int page = 0; page < view->Tabs()->count(); ++page) {
        if (!view->Tabs()->isTabVisible(page)) continue;
        view->Tabs()->setCurrentIndex(page);
        Settle(100);
        console.Runner().WaitIdle();  // a page may read the node when it shows
        Settle(200);
        shot.TakeAsIs(view, QStringLiteral("%1-page-%2").arg(prefix).arg(page + 1));
      }
      view->Tabs()->setCurrentIndex(0);
      return view;
    };
    if (CViewAbonent* direction = pages("NSK-NODE", false, "entry-direction")) {
      CDlgVaAskPaste ask(direction);
      shot.Take(&ask, "paste-question");
      if (auto* timing = dynamic_cast<CWizTiming*>(direction->Pages().pages[4]); timing && timing->Grid()->RowCount()) {
        CDlgVaEditSingle single(direction);
        single.SetFrame(timing->Grid()->RowFrame(0));
        shot.Take(&single, "single-frame-editor");
      }
      direction->parentWidget()->close();
    }
    if (CViewAbonent* abonent = pages("IVANOV", true, "entry-abonent")) {
      CDlgRequestAddrFields fields(nullptr, abonent);
      fields.SetAddress(abonent->Shown().absAddress);
      shot.Take(&fields, "address-fields-dialog");
      abonent->parentWidget()->close();
    }
    if (CViewAbonent* created = pages("", true, "entry-new-abonent")) created->parentWidget()->close();
    Settle();
  }

  // The disks, folders and replication views
  // (the demo node's disk D: is below its danger limit: an alarm row; a few
  // polls give the history chart its points).
  if (server && computer) {
    for (int poll = 0; poll < 3; ++poll) {
      Settle(1100);  // the chart's time axis in whole seconds
      console.PollTick();
      console.Runner().WaitIdle();
    }
    Settle();
    const std::pair<services::OpenTarget, const char*> monitorShots[] = {
        {services::OpenTarget::Disks, "disks-view"},
        {services::OpenTarget::Folders, "folders-view"},
        {services::OpenTarget::Replication, "replication-view"}};
    for (const auto& [target, name] : monitorShots) {
      emit main->openRequested(target, server->name, computer->name);
      Settle();
      if (QMdiSubWindow* window = main->Area()->activeSubWindow()) {
        window->showNormal();
        window->resize(1180, 640);
        Settle(300);
        shot.TakeAsIs(window, name);
        window->close();
        Settle();
      }
    }
  }

  // The settings dialog, page by page, on the settings the program runs with.
  {
    CProgramSetingsDlg dialog(main->Snapshot().settings, nullptr, nullptr, main);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(640, 420)));
    dialog.show();
    if (auto* tabs = dialog.findChild<QTabWidget*>()) {
      for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        shot.TakeAsIs(&dialog, QStringLiteral("settings-page-%1").arg(page + 1));
      }
    }
    dialog.hide();
  }

  // The configuration editor on the default configuration text.
  {
    const QString path = QDir(folder).filePath("default-config.cfg");
    QFile file(path);
    const std::string text = core::DefaultConfigText();
    if (file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) ==
                                               static_cast<qint64>(text.size())) {
      file.close();
      CCfgFileEditDlg editor(path.toStdString(), main);
      if (editor.Loaded()) {
        editor.resize(900, 640);
        editor.show();
        shot.TakeAsIs(&editor, "config-editor");
        editor.hide();
      }
      QFile::remove(path);
    }
  }
  return shot.Written();
}

}  // namespace ui
