#include "ui/desktop/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/DefaultConfigText.h"
#include "core/poll/CPopupWindowState.h"
#include "model/install/Installations.h"
#include "services/ConsoleServices.h"
#include "services/FavoriteMemberRows.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/abonent/CGridInst.h"
#include "ui/abonent/CViewAbonent.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/EntryController.h"
#include "ui/desktop/ScreenshotTools.h"
#include "ui/desktop/FavoritesController.h"
#include "ui/dialogs/CDlgRequestAddrFields.h"
#include "ui/dialogs/CDlgVaAskPaste.h"
#include "ui/dialogs/CDlgVaEditSingle.h"
#include "ui/dialogs/CLogonDlg.h"
#include "ui/dialogs/InfoBoxes.h"
#include "ui/direction/CGridApf.h"
#include "ui/direction/CGridTimings.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
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
#include "ui/routing/CFlyUpRoutingEditor.h"
#include "ui/routing/CGridRouting.h"
#include "ui/routing/CViewRouting.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/settings/CProgramSetingsDlg.h"
#include "ui/text/QtText.h"
#include "ui/wizard/CWizTiming.h"

namespace ui {

namespace {

using namespace std::chrono_literals;
using screenshots::BoxCatcher;
using screenshots::Settle;
using screenshots::Shooter;

// How long one step waits for what it asked of the node. A call to a silent
// computer fails by itself after the call timeout; a step that is kept
// waiting longer than this gives up, and the steps after it that need the
// node (or the services the worker is still in) are not taken.
constexpr std::chrono::milliseconds kNodePatience = 60s;
QByteArray Local(const QString& text) { return text.toLocal8Bit(); }

// A step's outcome: empty when its pictures were taken, else why not.
using Missed = std::optional<QString>;

class ScreenshotRun {
 public:
  ScreenshotRun(DesktopConsole& console, const QString& folder)
      : console_(console), main_(console.MainFrame()), shot_(folder), boxes_(shot_) {}

  QStringList Run();

 private:
  // Runs one step and tells on standard error when it could not be taken.
  void Step(const QString& name, const std::function<Missed()>& body);
  // Waits until the worker has done what the steps asked of it; false when
  // the node has kept the run waiting past its patience.
  bool WaitForNode();
  QString Silent() const;
  QString Node() const { return QStringLiteral("\"%1\"").arg(FromCp(server_)); }
  QString NotRead() const { return QStringLiteral("the entries of %1 were not read").arg(Node()); }

  Missed Properties(const std::string& computer, const std::string& task, const QString& name);
  Missed CommandMenu();
  Missed MessageWindow();
  void Dialogs();
  Missed FavoritesPane();
  Missed FavoriteMembers();
  Missed RoutingPage();
  Missed RoutingEditor();
  Missed DirectoryNames();
  CViewAbonent* OpenEntry(const std::string& mailbox, bool abonent, Missed& missed);
  Missed EntryPages(const std::string& mailbox, bool abonent, const QString& prefix);
  QString NoEntryWindow(bool abonent) const;
  Missed SingleFrameEditor();
  Missed AddressFields();
  Missed DirectionsTable();
  Missed EntryGrid(const QString& name);
  Missed Installations();
  void PollForHistory();
  Missed MonitorView(services::OpenTarget target, const QString& name);
  Missed SettingsPages();
  Missed ConfigEditor();

  const services::ComputerSnapshot* Computer() const;
  // The directions table was read in full, and its first entry that is `wanted`.
  bool TableLoaded() const;
  const model::_VxItemBase* TableEntry(const std::function<bool(const model::_VxItemBase&)>& wanted) const;

  DesktopConsole& console_;
  CMainFrame* main_;
  Shooter shot_;
  BoxCatcher boxes_;
  bool stalled_ = false;

  // Names from the configuration and the node, found as the run goes.
  std::string server_;
  std::string computer_;
  std::string firstTask_;
  std::string user_;
  std::string direction_;
  std::string abonent_;
  QPointer<CChildFrame> directions_;
  QPointer<CViewAbonent> directionView_;
  QPointer<CViewAbonent> abonentView_;
  int routingLevel_ = -1;
};

void ScreenshotRun::Step(const QString& name, const std::function<Missed()>& body) {
  boxes_.BeginStep(name);
  if (const Missed missed = body())
    std::fprintf(stderr, "vtconsole: screenshot %s not taken: %s\n", Local(name).constData(),
                 Local(*missed).constData());
}

bool ScreenshotRun::WaitForNode() {
  // Once is enough: each later step would cost as long again.
  if (stalled_) return false;
  ServiceRunner& runner = console_.Runner();
  if (runner.Idle()) return true;
  QEventLoop loop;
  QObject::connect(&runner, &ServiceRunner::becameIdle, &loop, &QEventLoop::quit);
  QTimer::singleShot(kNodePatience, &loop, &QEventLoop::quit);
  loop.exec();
  stalled_ = !runner.Idle();
  return !stalled_;
}

QString ScreenshotRun::Silent() const {
  return QStringLiteral("the node has kept the console waiting for more than %1 s")
      .arg(std::chrono::duration_cast<std::chrono::seconds>(kNodePatience).count());
}

const services::ComputerSnapshot* ScreenshotRun::Computer() const {
  for (const services::ComputerSnapshot& computer : main_->Snapshot().computers)
    if (computer.name == computer_) return &computer;
  return nullptr;
}

// --- the main window -------------------------------------------------------

Missed ScreenshotRun::Properties(const std::string& computer, const std::string& task, const QString& name) {
  main_->Tree()->SelectRow(server_, computer, task);
  Settle(50);
  if (!WaitForNode()) return Silent();
  Settle(100);
  shot_.TakeAsIs(main_->Properties(), name);
  return {};
}

Missed ScreenshotRun::CommandMenu() {
  const auto row = main_->Tree()->SelectedRow();
  if (!row || !row->commandable) return QStringLiteral("the selected row of the tree has no commands");
  shot_.Take(main_->Tree()->CommandMenu(*row), "navigation-command-menu");
  return {};
}

// The message window with the start-up's lines.
Missed ScreenshotRun::MessageWindow() {
  CMessageWindow* window = console_.MessageWindow();
  if (window == nullptr) return QStringLiteral("the console has no message window");
  if (!WaitForNode()) return Silent();  // the log is the services' own
  console_.Services().App().Log().Show(0);
  window->Refresh();
  Settle();
  shot_.Save(QPixmap::fromImage(window->Render()), "message-window");
  console_.Services().App().Log().Hide();
  window->Refresh();
  return {};
}

// Dialogs, built and pictured without waiting for an answer.
void ScreenshotRun::Dialogs() {
  Step("logon-dialog", [&]() -> Missed {
    ports::LogonRequest request;
    request.serverName = server_;
    request.computerName = computer_;
    request.userName = user_;
    CLogonDlg dialog(request, main_);
    shot_.Take(&dialog, "logon-dialog");
    return {};
  });
  Step("missing-file-question", [&]() -> Missed {
    // Built as the dialogs port builds its boxes.
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("Вопрос"),
                    QString::fromUtf8("\nНе найден конфигурационный файл \"__RemoteHost.Cfg\"!\n\nСоздать новый "
                                      "конфигурационный файл?\n\n"),
                    QMessageBox::Yes | QMessageBox::No, main_);
    shot_.Take(&box, "missing-file-question");
    return {};
  });
  Step("about-box", [&]() -> Missed {
    auto about = BuildAboutBox(main_);
    shot_.Take(about.get(), "about-box");
    auto os = BuildOsInformationBox(main_);
    shot_.Take(os.get(), "os-information");
    auto identity = BuildComputerIdentificationBox(main_, main_->Snapshot().machineIdentity);
    shot_.Take(identity.get(), "computer-identification");
    return {};
  });
  Step("window-manager", [&]() -> Missed {
    QDialog* manager = main_->CreateWindowManager();
    shot_.Take(manager, "window-manager");
    delete manager;
    return {};
  });
}

// --- favourite groups ------------------------------------------------------

// The pane after the first scan.
Missed ScreenshotRun::FavoritesPane() {
  if (main_->Snapshot().favorites.empty()) return QStringLiteral("the configuration has no favourite group");
  if (!WaitForNode()) return Silent();
  console_.FavoritesTick();
  if (!WaitForNode()) return Silent();
  Settle();
  if (QDockWidget* dock = main_->Dock(cmd::kFavoritesBar)) main_->resizeDocks({dock}, {300}, Qt::Vertical);
  if (CGridFavorites* grid = main_->FavoritesGrid()) {
    grid->expandAll();
    grid->scrollToTop();
  }
  Settle();
  shot_.TakeAsIs(main_->Favorites(), "favorites-pane");
  return {};
}

// The members view of the first group, alone and in the main window.
Missed ScreenshotRun::FavoriteMembers() {
  if (main_->Snapshot().favorites.empty()) return QStringLiteral("the configuration has no favourite group");
  const std::string group = main_->Snapshot().favorites[0].settings.name;
  if (!WaitForNode()) return Silent();
  QPointer<CViewFvItems> members = console_.Favorites().OpenMembers(group);
  if (!WaitForNode()) return Silent();
  if (members == nullptr || main_->Area()->activeSubWindow() == nullptr)
    return QStringLiteral("the members view of \"%1\" did not open").arg(FromCp(group));
  main_->Area()->activeSubWindow()->showMaximized();
  Settle(300);
  // The counters with their threshold bars in sight.
  CGridFvItems* grid = members->Grid();
  grid->horizontalScrollBar()->setValue(grid->horizontalHeader()->sectionPosition(services::member_column::kBlocked));
  Settle();
  shot_.TakeAsIs(members, "favorites-members-view");
  shot_.TakeAsIs(main_, "main-window-favorites");
  return {};
}

// --- routing ---------------------------------------------------------------

// The node's routing tables on the first level that has entries.
Missed ScreenshotRun::RoutingPage() {
  if (!WaitForNode()) return Silent();
  emit main_->openRequested(services::OpenTarget::Routing, server_, "");
  QPointer<CChildFrame> window = main_->FindDataWindow(DataKind::Routing, server_, "");
  if (!WaitForNode()) return Silent();
  Settle(300);
  auto* view = window ? qobject_cast<CViewRouting*>(window->View()) : nullptr;
  if (view == nullptr) return QStringLiteral("the routing tables of %1 did not open").arg(Node());
  for (int level = 0; level < model::kLevelCount && routingLevel_ < 0; ++level)
    if (!view->Page(level)->Rows().empty()) routingLevel_ = level;
  window->showMaximized();
  view->ShowLevel(routingLevel_ < 0 ? 0 : routingLevel_);
  Settle();
  shot_.TakeAsIs(main_, "routing-page");
  return {};
}

// The pop-up editor on the first row of that level, the node's directions listed.
Missed ScreenshotRun::RoutingEditor() {
  QPointer<CChildFrame> window = main_->FindDataWindow(DataKind::Routing, server_, "");
  auto* view = window ? qobject_cast<CViewRouting*>(window->View()) : nullptr;
  if (view == nullptr) return QStringLiteral("the routing tables of %1 did not open").arg(Node());
  const auto close = [&] {
    if (window) window->close();
    Settle();
  };
  if (routingLevel_ < 0) {
    close();
    return QStringLiteral("no routing level of %1 has entries").arg(Node());
  }
  emit view->editRequested(routingLevel_, 0);
  const bool answered = WaitForNode();
  Settle(300);
  CFlyUpRoutingPopupWnd* editor = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* popup = qobject_cast<CFlyUpRoutingPopupWnd*>(top); popup && popup->isVisible()) editor = popup;
  if (editor != nullptr) {
    shot_.TakeAsIs(editor, "routing-editor");
    editor->reject();
  }
  close();
  if (editor != nullptr) return {};
  return answered ? QStringLiteral("the editor of a routing entry did not open") : Silent();
}

// --- the node's directory --------------------------------------------------

// The shortcut list: the names the node lists, and the first direction and
// the first abonent among them, which the entry windows show.
Missed ScreenshotRun::DirectoryNames() {
  if (!WaitForNode()) return Silent();
  emit main_->openRequested(services::OpenTarget::DirectionsShortcuts, server_, computer_);
  directions_ = main_->FindDataWindow(DataKind::DirectionsShortcuts, server_, "");
  if (!WaitForNode()) return Silent();
  Settle(300);
  auto* view = directions_ ? qobject_cast<CViewDirections*>(directions_->View()) : nullptr;
  if (view == nullptr) return QStringLiteral("the directions of %1 did not open").arg(Node());
  for (const services::ShortcutEntry& entry : view->Shortcuts()) {
    std::string& first = entry.abonent ? abonent_ : direction_;
    if (first.empty()) first = entry.name;
  }
  directions_->showMaximized();
  Settle();
  shot_.TakeAsIs(view, "directions-shortcuts");
  return {};
}

// An entry's window (a new one when `mailbox` is empty); null when it did not open.
CViewAbonent* ScreenshotRun::OpenEntry(const std::string& mailbox, bool abonent, Missed& missed) {
  if (!WaitForNode()) {
    missed = Silent();
    return nullptr;
  }
  const QList<CChildFrame*> before = main_->DataWindows();
  if (mailbox.empty())
    console_.Entries().New(server_, abonent);
  else
    console_.Entries().Open(server_, mailbox);
  const bool answered = WaitForNode();
  Settle(300);
  // The entry's own window; for a new entry, the window that was not there before.
  for (CChildFrame* frame : main_->DataWindows()) {
    auto* view = qobject_cast<CViewAbonent*>(frame->View());
    if (view == nullptr) continue;
    if (mailbox.empty() ? !before.contains(frame) : text::EqualsNoCaseAscii(view->Shown().mailboxName, mailbox))
      return view;
  }
  if (!answered)
    missed = Silent();
  else if (mailbox.empty())
    missed = QStringLiteral("the window of a new entry did not open");
  else
    missed = QStringLiteral("the window of \"%1\" did not open").arg(FromCp(mailbox));
  return nullptr;
}

// An entry's view page by page; the window stays open for the dialogs on it.
Missed ScreenshotRun::EntryPages(const std::string& mailbox, bool abonent, const QString& prefix) {
  Missed missed;
  CViewAbonent* view = OpenEntry(mailbox, abonent, missed);
  if (view == nullptr) return missed;
  // The pages with their captions side by side need more room than the
  // client area has beside the panes.
  auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
  if (frame != nullptr) {
    frame->showNormal();
    frame->resize(1100, 760);
  }
  for (int page = 0; page < view->Tabs()->count(); ++page) {
    if (!view->Tabs()->isTabVisible(page)) continue;
    view->Tabs()->setCurrentIndex(page);
    Settle(100);
    // A page may read the node when it shows.
    if (!WaitForNode()) {
      missed = Silent();
      break;
    }
    Settle(200);
    shot_.TakeAsIs(view, QStringLiteral("%1-page-%2").arg(prefix).arg(page + 1));
  }
  view->Tabs()->setCurrentIndex(0);
  if (!mailbox.empty()) (abonent ? abonentView_ : directionView_) = view;
  else if (frame != nullptr) frame->close();
  return missed;
}

// Why the window of the first direction or abonent is not there.
QString ScreenshotRun::NoEntryWindow(bool abonent) const {
  const std::string& name = abonent ? abonent_ : direction_;
  if (!directions_) return QStringLiteral("the directory of %1 was not listed").arg(Node());
  if (name.empty()) return QStringLiteral("%1 lists no %2").arg(Node(), abonent ? "abonent" : "direction");
  return QStringLiteral("the window of \"%1\" did not open").arg(FromCp(name));
}

// The single-frame editor on the first frame of the direction's schedule.
Missed ScreenshotRun::SingleFrameEditor() {
  if (!directionView_) return NoEntryWindow(false);
  auto* timing = dynamic_cast<CWizTiming*>(directionView_->Pages().pages[4]);
  if (timing == nullptr || timing->Grid()->RowCount() == 0)
    return QStringLiteral("the window of \"%1\" shows no schedule").arg(FromCp(direction_));
  CDlgVaEditSingle single(directionView_);
  single.SetFrame(timing->Grid()->RowFrame(0));
  shot_.Take(&single, "single-frame-editor");
  return {};
}

// The address dialog by level, on the abonent's address.
Missed ScreenshotRun::AddressFields() {
  if (!abonentView_) return NoEntryWindow(true);
  CDlgRequestAddrFields fields(nullptr, abonentView_);
  fields.SetAddress(abonentView_->Shown().absAddress);
  shot_.Take(&fields, "address-fields-dialog");
  return {};
}

// The same directions window as a table, every entry read in full, with its
// row preview.
Missed ScreenshotRun::DirectionsTable() {
  if (!WaitForNode()) return Silent();
  auto* view = directions_ ? qobject_cast<CViewDirections*>(directions_->View()) : nullptr;
  if (view == nullptr) return QStringLiteral("the directions of %1 did not open").arg(Node());
  view->ShowTable(true);
  if (!WaitForNode()) return Silent();
  Settle(300);
  if (!view->Loaded()) return NotRead();
  directions_->showMaximized();
  view->Table()->SetPreview(true);
  Settle();
  shot_.TakeAsIs(main_, "directions-table");
  return {};
}

bool ScreenshotRun::TableLoaded() const {
  auto* view = directions_ ? qobject_cast<CViewDirections*>(directions_->View()) : nullptr;
  return view != nullptr && view->Loaded();
}

const model::_VxItemBase* ScreenshotRun::TableEntry(
    const std::function<bool(const model::_VxItemBase&)>& wanted) const {
  if (!TableLoaded()) return nullptr;
  auto* view = qobject_cast<CViewDirections*>(directions_->View());
  for (const model::_VxItemBase& entry : view->Entries())
    if (wanted(entry)) return &entry;
  return nullptr;
}

// The schedule grid of the first direction with a schedule, and the agents
// grid of the first direction with agents.
Missed ScreenshotRun::EntryGrid(const QString& name) {
  const bool timings = name == QLatin1String("timings-grid");
  const model::_VxItemBase* entry = TableEntry([&](const model::_VxItemBase& e) {
    return e.kindOnServer != 1 && (timings ? !e.schedule.empty() : !e.linkParameters.empty());
  });
  if (!TableLoaded()) return NotRead();
  if (entry == nullptr)
    return QStringLiteral("no direction of %1 has %2").arg(Node(), timings ? "a schedule" : "file transfer agents");
  if (timings) {
    CGridTimings grid(nullptr, main_);
    grid.SetFrames(entry->schedule);
    grid.resize(900, 160);
    shot_.TakeAsIs(&grid, name);
  } else {
    CGridApf grid(nullptr, main_);
    grid.SetLinkText(entry->linkParameters);
    grid.resize(600, 120);
    shot_.TakeAsIs(&grid, name);
  }
  return {};
}

// The installation sets of the node as the first abonent's window lists them.
Missed ScreenshotRun::Installations() {
  const model::_VxItemBase* found = TableEntry([](const model::_VxItemBase& e) { return e.kindOnServer == 1; });
  if (!TableLoaded()) return NotRead();
  if (found == nullptr) return QStringLiteral("%1 lists no abonent").arg(Node());
  if (!WaitForNode()) return Silent();
  auto rows = std::make_shared<std::vector<model::InstallationRow>>();
  const model::_VxItemBase abonent = *found;
  DesktopConsole* console = &console_;
  console_.Runner().Post(ServiceRunner::Kind::User, [console, rows, abonent] {
    model::InstallContext context{console->Services().Net(), console->Dialogs(), &abonent,
                                  QDir::tempPath().toStdString()};
    *rows = model::RebuildInstallations(context);
  });
  if (!WaitForNode()) return Silent();
  CGridInst installations(main_);
  installations.SetRows(*rows);
  installations.resize(500, 220);
  if (!rows->empty()) installations.SelectRow(0);
  shot_.TakeAsIs(&installations, "installations-grid");
  return {};
}

// --- disks, folders, replication ------------------------------------------

// A few polls give the history chart its points.
void ScreenshotRun::PollForHistory() {
  for (int poll = 0; poll < 3; ++poll) {
    Settle(1100);  // the chart's time axis in whole seconds
    if (!WaitForNode()) return;
    console_.PollTick();
    if (!WaitForNode()) return;
  }
  Settle();
}

// The view opens on the first disk or folder with an alarm, else the first one.
Missed ScreenshotRun::MonitorView(services::OpenTarget target, const QString& name) {
  const services::ComputerSnapshot* computer = Computer();
  if (computer == nullptr) return QStringLiteral("the configuration has no computer");
  if (target == services::OpenTarget::Disks && computer->disks.empty())
    return QStringLiteral("computer \"%1\" reports no disks").arg(FromCp(computer_));
  if (target == services::OpenTarget::Folders && computer->folders.empty())
    return QStringLiteral("computer \"%1\" reports no scanned folders").arg(FromCp(computer_));
  emit main_->openRequested(target, server_, computer_);
  Settle();
  QMdiSubWindow* window = main_->Area()->activeSubWindow();
  if (window == nullptr) return QStringLiteral("its window did not open");
  window->showNormal();
  window->resize(1180, 640);
  Settle(300);
  shot_.TakeAsIs(window, name);
  window->close();
  Settle();
  return {};
}

// --- settings and the configuration editor --------------------------------

// The settings dialog, page by page, on the settings the program runs with.
Missed ScreenshotRun::SettingsPages() {
  CProgramSetingsDlg dialog(main_->Snapshot().settings, nullptr, nullptr, main_);
  dialog.resize(dialog.sizeHint().expandedTo(QSize(640, 420)));
  dialog.show();
  auto* tabs = dialog.findChild<QTabWidget*>();
  if (tabs != nullptr)
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      shot_.TakeAsIs(&dialog, QStringLiteral("settings-page-%1").arg(page + 1));
    }
  dialog.hide();
  if (tabs == nullptr) return QStringLiteral("the settings dialog has no pages");
  return {};
}

// The configuration editor on the default configuration text.
Missed ScreenshotRun::ConfigEditor() {
  const QString path = QDir(shot_.Folder()).filePath("default-config.cfg");
  QFile file(path);
  const std::string text = core::DefaultConfigText();
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
  file.close();
  Missed missed;
  if (!written) {
    missed = QStringLiteral("cannot write %1").arg(path);
  } else {
    CCfgFileEditDlg editor(path.toStdString(), main_);
    if (editor.Loaded()) {
      editor.resize(900, 640);
      editor.show();
      shot_.TakeAsIs(&editor, "config-editor");
      editor.hide();
    } else {
      missed = QStringLiteral("the editor did not load %1").arg(path);
    }
  }
  QFile::remove(path);
  return missed;
}

// --- the run ---------------------------------------------------------------

QStringList ScreenshotRun::Run() {
  if (main_ == nullptr) {
    std::fprintf(stderr, "vtconsole: screenshots not taken: the console has no main window\n");
    return {};
  }
  if (WaitForNode()) user_ = console_.Services().Net().Logon().userName;
  console_.RefreshWindows();
  main_->resize(1200, 800);
  main_->show();
  Settle();

  const services::ConsoleSnapshot& snapshot = main_->Snapshot();
  if (!snapshot.mailServers.empty()) {
    const services::MailServerSnapshot& server = snapshot.mailServers[0];
    server_ = server.name;
    if (!server.computers.empty()) {
      const services::ComputerSnapshot& computer = snapshot.computers[static_cast<size_t>(server.computers[0])];
      computer_ = computer.name;
      if (!computer.tasks.empty()) firstTask_ = computer.tasks[0].name;
    }
  }
  const bool haveServer = !server_.empty();
  const bool haveComputer = !computer_.empty();
  const QString noServer = QStringLiteral("the configuration has no mail server");
  const QString noComputer = haveServer ? QStringLiteral("mail server %1 has no computer").arg(Node()) : noServer;
  // Steps that need a mail server, or a computer of it.
  const auto onServer = [&](const QString& name, const std::function<Missed()>& body) {
    Step(name, [&]() -> Missed { return haveServer ? body() : noServer; });
  };
  const auto onComputer = [&](const QString& name, const std::function<Missed()>& body) {
    Step(name, [&]() -> Missed { return haveComputer ? body() : noComputer; });
  };

  onServer("properties-mail-server", [&] { return Properties("", "", "properties-mail-server"); });
  onComputer("properties-task", [&]() -> Missed {
    if (firstTask_.empty()) return QStringLiteral("computer \"%1\" lists no task").arg(FromCp(computer_));
    return Properties(computer_, firstTask_, "properties-task");
  });
  onComputer("properties-computer", [&] { return Properties(computer_, "", "properties-computer"); });
  Step("main-window", [&]() -> Missed {
    shot_.TakeAsIs(main_, "main-window");
    return {};
  });
  onServer("mailing-lists-frame", [&]() -> Missed {
    CChildFrame* lists = main_->OpenDataWindow(DataKind::MailingLists, server_, "");
    Settle();
    if (lists == nullptr) return QStringLiteral("the mailing lists window did not open");
    shot_.TakeAsIs(lists, "mailing-lists-frame");
    return {};
  });
  Step("navigation-command-menu", [&] { return CommandMenu(); });
  Step("message-window", [&] { return MessageWindow(); });
  Step("tray-menu", [&]() -> Missed {
    QMenu* menu = main_->findChild<QMenu*>("trayMenu");
    if (menu == nullptr) return QStringLiteral("the main window has no tray menu");
    shot_.Take(menu, "tray-menu");
    return {};
  });
  Dialogs();
  Step("favorites-pane", [&] { return FavoritesPane(); });
  Step("favorites-members-view", [&] { return FavoriteMembers(); });

  onServer("routing-page", [&] { return RoutingPage(); });
  onServer("routing-editor", [&] { return RoutingEditor(); });

  // The entries pictured are named by the node's own listing.
  onComputer("directions-shortcuts", [&] { return DirectoryNames(); });
  onComputer("entry-direction", [&]() -> Missed {
    if (direction_.empty()) return NoEntryWindow(false);
    return EntryPages(direction_, false, "entry-direction");
  });
  onComputer("entry-abonent", [&]() -> Missed {
    if (abonent_.empty()) return NoEntryWindow(true);
    return EntryPages(abonent_, true, "entry-abonent");
  });
  Step("paste-question", [&]() -> Missed {
    CDlgVaAskPaste ask(main_);
    shot_.Take(&ask, "paste-question");
    return {};
  });
  onComputer("single-frame-editor", [&] { return SingleFrameEditor(); });
  onComputer("address-fields-dialog", [&] { return AddressFields(); });
  for (CViewAbonent* view : {directionView_.data(), abonentView_.data()})
    if (view != nullptr) view->parentWidget()->close();
  onServer("entry-new-abonent", [&] { return EntryPages("", true, "entry-new-abonent"); });
  Settle();
  onComputer("directions-table", [&] { return DirectionsTable(); });
  onComputer("timings-grid", [&] { return EntryGrid("timings-grid"); });
  onComputer("agents-grid", [&] { return EntryGrid("agents-grid"); });
  onComputer("installations-grid", [&] { return Installations(); });
  if (directions_) directions_->close();
  Settle();

  if (haveComputer) PollForHistory();
  onComputer("disks-view", [&] { return MonitorView(services::OpenTarget::Disks, "disks-view"); });
  onComputer("folders-view", [&] { return MonitorView(services::OpenTarget::Folders, "folders-view"); });
  onComputer("replication-view", [&] { return MonitorView(services::OpenTarget::Replication, "replication-view"); });

  Step("settings-page", [&] { return SettingsPages(); });
  Step("config-editor", [&] { return ConfigEditor(); });
  return shot_.Written();
}

}  // namespace

QStringList WriteScreenshots(DesktopConsole& console, const QString& folder) {
  return ScreenshotRun(console, folder).Run();
}

}  // namespace ui
