#include "ui/desktop/DesktopConsole.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>

#include <cassert>

#include "cfg/C_CFG_File.h"
#include "core/CommonSettingsWriter.h"
#include "core/MessageImage.h"
#include "core/poll/CPopupWindowState.h"
#include "rpc/runtime/CallInterrupt.h"
#include "services/TreeCommand.h"
#include "text/Cp1251.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/desktop/RoutingController.h"
#include "ui/routing/CViewRouting.h"
#include "ui/desktop/EntryController.h"
#include "ui/desktop/FavoritesController.h"
#include "ui/desktop/MonitorController.h"
#include "ui/desktop/Screenshots.h"
#include "ui/dialogs/CProgressWnd.h"
#include "ui/editor/CCfgFileEditDlg.h"
#include "ui/dialogs/InfoBoxes.h"
#include "ui/directions/CViewDirections.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/main/CommandTable.h"
#include "ui/popup/CMessageWindow.h"
#include "ui/popup/CTrayIcon.h"
#include "ui/ports/QtAlertPort.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/ports/QtProgressPort.h"
#include "ui/settings/CProgramSetingsDlg.h"
#include "ui/runtime/ModalWindows.h"
#include "ui/runtime/QtViewNotifier.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

using Kind = ServiceRunner::Kind;

std::optional<DataKind> KindOf(services::OpenTarget target) {
  using T = services::OpenTarget;
  switch (target) {
    case T::DirectionsShortcuts: return DataKind::DirectionsShortcuts;
    case T::DirectionsTable: return DataKind::DirectionsTable;
    case T::Routing: return DataKind::Routing;
    case T::MailingLists: return DataKind::MailingLists;
    case T::Replication: return DataKind::Replication;
    case T::Disks: return DataKind::Disks;
    case T::Folders: return DataKind::Folders;
    case T::None: break;
  }
  return std::nullopt;
}

services::ConsoleOptions ServiceOptions(const DesktopOptions& options, int desktopHeight) {
  services::ConsoleOptions out;
  out.commandLine = options.commandLine;
  out.programPath = options.programPath;
  out.connectTimeout = options.connectTimeout;
  out.callTimeout = options.callTimeout;
  out.machineIdentity = options.machineIdentity;
  out.localTest = options.localTest;
  out.installCrashHandlers = options.installCrashHandlers;
  out.logLineLimit = core::MessageLog::LineLimit(desktopHeight);
  return out;
}


// Alert programs without a terminal write beside the profile.
QString AlertLogFile() {
  const QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  return QFileInfo(profile.fileName()).absolutePath() + QStringLiteral("/alert-programs.log");
}

}  // namespace

DesktopConsole::DesktopConsole(DesktopOptions options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      dialogs_(std::make_unique<QtDialogPort>()),
      alerts_(std::make_unique<QtAlertPort>(AlertLaunch{
          QtAlertPort::DefaultTerminal, AlertLogFile(),
          [this](const QString& file) {
            // The message list is locked: any thread may add to it.
            if (services_)
              services_->App().AddLogMessage(text::Cp("Вывод программ сигнализации дописывается в файл\n") + ToCp(file),
                                             0, core::image::kPlain);
          }})),
      progress_(std::make_unique<QtProgressPort>()),
      notifier_(std::make_unique<QtViewNotifier>()),
      favorites_(std::make_unique<FavoritesController>(*this)),
      directions_(std::make_unique<DirectionsController>(*this)),
      routing_(std::make_unique<RoutingController>(*this)),
      entries_(std::make_unique<EntryController>(*this)),
      monitor_(std::make_unique<MonitorController>(*this)),
      runner_(std::make_unique<ServiceRunner>()) {
  // The interrupt's pipe exists before any call waits on it.
  rpc::InterruptWaitFd();
  if (options_.user) {
    // Unattended start: the options answer every logon dialog.
    dialogs_->SetLogonPreset([this](const ports::LogonRequest& request) -> std::optional<ports::LogonAnswer> {
      ports::LogonAnswer answer;
      answer.userName = *options_.user;
      answer.noConnection = options_.noConnection;
      if (options_.password) answer.password = options_.password(request.computerName).value_or("");
      return answer;
    });
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int desktopHeight = screen ? screen->availableGeometry().height() : core::MessageLog::kDefaultDesktopHeight;
  services::ConsolePorts ports;
  ports.dialogs = dialogs_.get();
  ports.clock = &clock_;
  ports.progress = progress_.get();
  ports.alerts = alerts_.get();
  ports.views = notifier_.get();
  ports.windows = this;
  ports.favoritesViews = favorites_.get();
  services_ = std::make_unique<services::ConsoleServices>(ports, ServiceOptions(options_, desktopHeight));
  popupState_ = std::make_unique<core::CPopupWindowState>(services_->App().Log());
  services_->App().Log().SetChangeSink([this] { PostToUiThread([this] { OnLogChanged(); }); });

  pollTimer_.setObjectName("timer666");
  favoritesTimer_.setObjectName("timer667");
  connect(&pollTimer_, &QTimer::timeout, this, &DesktopConsole::PollTick);
  connect(&favoritesTimer_, &QTimer::timeout, this, &DesktopConsole::FavoritesTick);
  // A menu stays open for seconds at most: a scan owed to it is tried again soon.
  favoritesRetry_.setSingleShot(true);
  favoritesRetry_.setInterval(250);
  connect(&favoritesRetry_, &QTimer::timeout, this, [this] {
    if (favoritesOwed_) FavoritesTick();
  });
  // After a stop signal a box may still come (a window's own question, a
  // dialog that asks before it goes): it is answered as soon as it shows.
  modalSweep_.setInterval(100);
  connect(&modalSweep_, &QTimer::timeout, this, [] { CancelModalWindows(); });
  for (auto signal : {&QtViewNotifier::rightsChanged, &QtViewNotifier::tasksChanged, &QtViewNotifier::disksChanged,
                      &QtViewNotifier::foldersChanged, &QtViewNotifier::replicationChanged})
    connect(notifier_.get(), signal, this, [this] { RefreshWindows(); });
  connect(notifier_.get(), &QtViewNotifier::computerStateChanged, this, [this] { RefreshWindows(); });
}

DesktopConsole::~DesktopConsole() {
  pollTimer_.stop();
  favoritesTimer_.stop();
  if (!runner_->Idle()) {
    dialogs_->SetQuiet(true);
    rpc::InterruptCalls();
    runner_->WaitIdle();
    rpc::ResetCallInterrupt();
  }
  services_->App().Log().SetChangeSink(nullptr);
  runner_.reset();
  delete main_.data();
}

ports::ProgressPort& DesktopConsole::Progress() { return *progress_; }

CMainFrame* DesktopConsole::MainFrame() const { return main_.data(); }

void DesktopConsole::Start() {
  auto ok = std::make_shared<bool>(false);
  runner_->Post(Kind::Lifecycle, [this, ok] {
                  *ok = services_->Start();
                  if (*ok) monitor_->RecordPoll();  // the start-up's poll
                  // A start-up that ended early (a stop signal, a logon
                  // dialog cancelled) still logs off the computers that
                  // already let the console in.
                  else if (services_->AnySessionOpen()) services_->Stop();
                },
                [this, ok] {
                  if (!*ok) {
                    // Nothing was shown but the start-up's own boxes.
                    Finish(1);
                    emit started(false);
                    return;
                  }
                  startedOk_ = true;
                  // A stop came during the start-up: its shutdown is queued
                  // behind it and runs next.
                  if (stopping_) return;
                  running_ = true;
                  RefreshWindows();
                  emit started(true);
                  if (!options_.screenshotsDir.empty()) WriteScreenshotsAndEnd();
                },
                this);
}

int DesktopConsole::Run() {
  Start();
  if (!finished_) {
    QEventLoop loop;
    connect(this, &DesktopConsole::finished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return exitCode_;
}

void DesktopConsole::RefreshWindows() {
  if (!runner_->Idle() || main_ == nullptr || !running_) return;
  main_->SetSnapshot(services::TakeSnapshot(*services_));
  favorites_->Redraw(main_->Snapshot().favorites);
  monitor_->Redraw(main_, main_->Snapshot());
  emit refreshed();
}

// --- timers -------------------------------------------------------------

void DesktopConsole::PollTick() {
  assert(OnUiThread());
  // A poll still waiting or running serves this period too. Anything else
  // under way (the favourites scan, a user's long action) only delays it: the
  // poll is queued and runs right after, never in the middle of another job.
  if (!Running() || pollPending_) return;
  PostPoll();
}

void DesktopConsole::FavoritesTick() {
  assert(OnUiThread());
  if (!Running()) return;
  if (main_ && main_->MenuOpen()) {
    // Not while a menu is open; the scan is owed until it has closed.
    favoritesOwed_ = true;
    favoritesRetry_.start();
    return;
  }
  favoritesOwed_ = false;
  if (favoritesPending_) return;
  PostFavoritesScan();
}

void DesktopConsole::PostPoll() {
  pollPending_ = true;
  runner_->Post(Kind::Timer,
                [this] {
                  services_->OnPollTimer();
                  monitor_->RecordPoll();
                },
                [this] {
                  pollPending_ = false;
                  RefreshWindows();
                },
                this);
}

void DesktopConsole::PostFavoritesScan() {
  favoritesPending_ = true;
  favorites_->SetScanQueued(true);
  runner_->Post(Kind::Timer, [this] { services_->OnFavoritesTimer(); },
                [this] {
                  favoritesPending_ = false;
                  favorites_->SetScanQueued(false);
                  RefreshWindows();
                },
                this);
}

// --- commands -----------------------------------------------------------

void DesktopConsole::RunTreeCommand(const services::NavRow& row, int command) {
  if (!Running()) return;
  if (runner_->HasUserJob()) {
    dialogs_->Message(core::ChannelBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
    return;
  }
  services::TreeCommandTarget target{row.mailServer, row.level >= 1 ? row.computer : std::string(),
                                     row.level >= 2 ? row.task : std::string()};
  QPointer<CMainFrame> frame = main_;
  // While the worker waits for the command, the rows are redrawn from what
  // the tree holds; the real refresh follows once the command has ended.
  auto redraw = [frame] {
    PostToUiThread([frame] {
      if (frame) frame->Tree()->viewport()->update();
    });
  };
  runner_->Post(Kind::User, [this, target, command, redraw] { services::RunTreeCommand(*services_, target, command, redraw); },
                [this] { RefreshWindows(); }, this);
}

void DesktopConsole::OnCommand(int id) {
  switch (id) {
    case cmd::kComputerIdentification:
      if (main_) ui::ShowComputerIdentification(main_, main_->Snapshot().machineIdentity);
      break;
    case cmd::kSettings: OpenSettings(); break;
    case cmd::kExit: RequestExit(true); break;
    case cmd::kSplashMessages: {
      core::MessageLog& log = services_->App().Log();
      if (log.Popup().visible)
        popupState_->Click();
      else
        log.Show(0);
      break;
    }
    case cmd::kDisableSplash: {
      const bool disable = main_ && main_->Action(cmd::kDisableSplash)->isChecked();
      auto reason = std::make_shared<std::string>();
      auto ok = std::make_shared<bool>(true);
      runner_->Post(Kind::User, [this, disable, reason, ok] { *ok = services_->App().WriteSplashDisabled(disable, *reason); },
                    [this, reason, ok] {
                      if (!*ok)
                        dialogs_->Message(*reason, text::Cp("Ошибка"), ports::MsgIcon::Error);
                      RefreshWindows();
                    },
                    this);
      break;
    }
    case cmd::kRescanView:
      if (main_ && main_->Area()->activeSubWindow())
        if (auto* frame = qobject_cast<CChildFrame*>(main_->Area()->activeSubWindow())) frame->View()->Rescan();
      break;
    default:
      if (!favorites_->HandleCommand(id) && !entries_->HandleCommand(id) && !routing_->HandleCommand(id))
        directions_->HandleCommand(id);
      break;
  }
}

void DesktopConsole::OpenSettings() {
  if (!main_ || !Running()) return;
  const core::ProgramSettings current = main_->Snapshot().settings;
  CProgramSetingsDlg dialog(current, dialogs_.get(), alerts_.get(), main_);
  if (dialog.exec() != QDialog::Accepted || stopping_) return;
  const core::ProgramSettings chosen = dialog.Result();
  const bool docking = dialog.DockingChoice();
  // A failed save is shown, as the pop-up toggle's is: the settings would
  // otherwise be lost at the next start without a word.
  auto failure = std::make_shared<std::string>();
  // The record and the file change on the worker, which owns both; the
  // running docking mode stays until the next start.
  runner_->Post(Kind::User,
                [this, chosen, docking, failure] {
                  core::ProgramSettings& live = services_->App().Settings();
                  live.errorSound = chosen.errorSound;
                  live.errorApp = chosen.errorApp;
                  live.periodVerify = chosen.periodVerify;
                  live.defaultGroup = chosen.defaultGroup;
                  live.splashWindowTtl = chosen.splashWindowTtl;
                  if (C_CFG_File* file = services_->App().SettingsFile()) {
                    core::WriteCommonSettings(*file, live, docking);
                    if (!file->Save(false)) *failure = file->LastSaveError();
                  }
                },
                [this, chosen, docking, current, failure] {
                  pollTimer_.start(static_cast<int>(core::PollTimerMs(chosen.periodVerify)));
                  if (!failure->empty()) dialogs_->Message(*failure, text::Cp("Ошибка"), ports::MsgIcon::Error);
                  RefreshWindows();
                  if (main_) main_->activateWindow();
                  if (docking == current.useDockingWindows) return;
                  // Yes ends the program as a close request would; the user
                  // has just said so, so the exit question is not asked again.
                  if (dialogs_->AskYesNo(
                          text::Cp("Изменение режима использования паналей инструментов требует повторной загрузки "
                                   "программы.\n\nЗавершить работу?\n"),
                          text::Cp("Вопрос")))
                    RequestExit(false);
                },
                this);
}

void DesktopConsole::RequestExit(bool ask) {
  if (stopping_ || finished_) return;
  if (ask) {
    ports::QuestionRequest question;
    question.caption = text::Cp("Veltrane32 REMOTE CONSOLE");
    question.body.paragraphs = {{{text::Cp("Вы действительно желаете завершить работу?"), 0x000080, true}}};
    question.body.font = "Arial";
    question.buttons = {text::Cp("Завершить работу"), text::Cp("Продолжить")};
    question.defaultButton = 1;
    question.cancelButton = 1;
    if (dialogs_->Ask(question) != 0) return;
    // A stop signal may have come while the question was open.
    if (stopping_ || finished_) return;
  }
  Shutdown();
}

void DesktopConsole::StopFromSignal() {
  assert(OnUiThread());
  stoppedBySignal_ = true;
  // Nobody is there to answer: the boxes to come are answered unseen, and
  // the ones open now get their cancel (an unanswered start-up question
  // creates no file, an unanswered delete question deletes nothing).
  dialogs_->SetQuiet(true);
  rpc::InterruptCalls();
  CancelModalWindows();
  if (!finished_) modalSweep_.start();
  // Queued, not waited for: the boxes just answered return once this
  // handler has, and the exit runs behind the work they were part of.
  RequestExit(false);
}

void DesktopConsole::Shutdown() {
  assert(OnUiThread());
  stopping_ = true;
  // The timers stop first, then the bar layout and the placement are kept.
  pollTimer_.stop();
  favoritesTimer_.stop();
  favoritesRetry_.stop();
  if (main_) {
    QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
    main_->SaveBarLayout(profile);
    main_->SavePlacement(profile);
  }
  if (!runner_->Idle()) {
    // A poll of silent computers would hold the exit for the connect
    // timeout and more: the calls under way end now, as cancelled, and
    // what their jobs would report of it is not shown.
    dialogs_->SetQuiet(true);
    rpc::InterruptCalls();
    // Behind the jobs under way (the worker takes them in order): their
    // windows hear of their end first, then the shutdown goes out.
    runner_->Post(Kind::Lifecycle, {}, [this] { StopServices(); });
    return;
  }
  StopServices();
}

void DesktopConsole::StopServices() {
  assert(OnUiThread() && runner_->Idle());
  // The calls cut short have all ended. A stop signal may have interrupted
  // them while nothing ran: the logoffs of the computers that answer go out
  // all the same.
  rpc::ResetCallInterrupt();
  // A start-up that failed has ended the program on its own.
  if (finished_) return;
  // The shutdown's own boxes (a file that could not be saved) are shown,
  // unless nobody is there to see them.
  if (!stoppedBySignal_) dialogs_->SetQuiet(false);
  running_ = false;
  services_->PrepareFastStop();
  auto code = std::make_shared<int>(0);
  runner_->Post(Kind::Lifecycle, [this, code] { *code = services_->Stop(); }, [this, code] { Finish(*code); });
}

void DesktopConsole::Finish(int exitCode) {
  if (finished_) return;
  finished_ = true;
  running_ = false;
  exitCode_ = exitCode;
  pollTimer_.stop();
  favoritesTimer_.stop();
  favoritesRetry_.stop();
  modalSweep_.stop();
  if (tray_) tray_->Hide();
  if (messageWindow_) messageWindow_->hide();
  if (main_) main_->CloseForGood();
  emit finished(exitCode);
}

// --- selection and data windows -----------------------------------------

void DesktopConsole::OnRowSelected(const services::NavRow& row) {
  if (!Running()) return;
  if (row.level == 2 && row.commandable) {
    auto rows = std::make_shared<std::vector<services::PropertyRow>>();
    const std::string server = row.mailServer, computer = row.computer, task = row.task;
    runner_->Post(Kind::Timer,
                  [this, rows, computer, task] { services::FetchTaskProperties(*services_, computer, task, *rows); },
                  [this, rows, server, computer, task] {
                    if (main_) main_->ShowTaskProperties(server, computer, task, std::move(*rows));
                  },
                  this);
  } else if (row.level == 0 && hostDescriptionsAsked_.insert(row.mailServer).second) {
    // The node's name, address and identifier are read when its row is
    // selected, until one read succeeds: a node that did not answer is asked
    // again at its next selection. The mark stays while the read is queued.
    assert(OnUiThread());
    const std::string server = row.mailServer;
    auto loaded = std::make_shared<bool>(false);
    runner_->Post(Kind::Timer, [this, server, loaded] { *loaded = services::LoadHostDescription(*services_, server); },
                  [this, server, loaded] {
                    assert(OnUiThread());
                    if (!*loaded) hostDescriptionsAsked_.erase(server);
                    RefreshWindows();
                  },
                  this);
  }
}

void DesktopConsole::OnOpenRequested(services::OpenTarget target, const std::string& mailServer,
                                     const std::string& computer) {
  if (!main_ || !Running()) return;
  // Nothing opens while a data scan runs.
  if (runner_->Idle() && services_->ScanRunning()) return;
  std::optional<DataKind> kind = KindOf(target);
  if (!kind) return;
  CChildFrame* window = main_->OpenDataWindow(*kind, mailServer, computer);
  if (window == nullptr) return;
  if (auto* directions = qobject_cast<CViewDirections*>(window->View())) directions_->Opened(directions);
  if (auto* routing = qobject_cast<CViewRouting*>(window->View())) routing_->Opened(routing);
  monitor_->Opened(window->View(), main_->Snapshot());
}

// --- message window and tray ---------------------------------------------

void DesktopConsole::OnLogChanged() {
  if (messageWindow_) messageWindow_->Refresh();
  if (tray_) tray_->Refresh();
  if (main_) main_->Action(cmd::kSplashMessages)->setChecked(services_->App().Log().Popup().visible);
}

// --- window steps (on the worker) ------------------------------------------

bool DesktopConsole::CreateMessageWindow() {
  RunOnUiThread([this] {
    messageWindow_ = std::make_unique<CMessageWindow>(services_->App().Log(), *popupState_);
    tray_ = std::make_unique<CTrayIcon>(*popupState_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) popupState_->SetDesktopHeight(screen->availableGeometry().height());
  });
  return true;
}

bool DesktopConsole::CreateMainWindow(const std::string& versionText) {
  const bool docking = services_->App().Settings().useDockingWindows;
  const bool fade = services_->App().Settings().enableSplashEffects;
  RunOnUiThread([this, versionText, docking, fade] {
    if (messageWindow_) messageWindow_->SetFadeEffects(fade);
    main_ = new CMainFrame(versionText, docking, dialogs_.get());
    favorites_->Attach(main_);
    directions_->Attach(main_);
    routing_->Attach(main_);
    entries_->Attach(main_);
    dialogs_->SetParentWindow(main_);
    connect(main_, &CMainFrame::commandTriggered, this, &DesktopConsole::OnCommand);
    connect(main_, &CMainFrame::treeCommand, this, &DesktopConsole::RunTreeCommand);
    connect(main_, &CMainFrame::rowSelected, this, &DesktopConsole::OnRowSelected);
    connect(main_, &CMainFrame::openRequested, this, &DesktopConsole::OnOpenRequested);
    connect(main_, &CMainFrame::newEntryRequested, entries_.get(), &EntryController::New);
    connect(entries_.get(), &EntryController::entryApplied, this, [this](const model::_VxItemBase& entry) {
      if (!main_) return;
      for (CChildFrame* window : main_->DataWindows())
        if (auto* list = qobject_cast<CViewDirections*>(window->View()); list && list->MailServer() == entry.mailServerName)
          list->UpdateEntry(entry);
    });
    QMenu* trayMenu = new QMenu(main_);
    trayMenu->setObjectName("trayMenu");
    for (int id : TrayMenuCommands()) {
      if (id == 0)
        trayMenu->addSeparator();
      else
        trayMenu->addAction(main_->Action(id));
    }
    if (tray_) {
      tray_->SetMenu(trayMenu);
      connect(tray_.get(), &CTrayIcon::Activated, main_, [this] { main_->Action(cmd::kShowWindow)->trigger(); });
    }
  });
  return true;
}

bool DesktopConsole::CreateMainFrame() {
  return CallOnUiThread<bool>([this] { return main_ != nullptr && main_->Progress() != nullptr; });
}

void DesktopConsole::RefillFavoritesGrid() {
  std::vector<services::FavoriteGroupView> groups = services::TakeFavorites(*services_);
  RunOnUiThread([this, groups] { favorites_->Redraw(groups); });
}

void DesktopConsole::ShowComputerIdentification() {
  const std::string identity = services_->Net().Identity();
  // Shown without waiting for it: an unattended start must not stop here.
  RunOnUiThread([this, identity] {
    if (!main_ || !options_.screenshotsDir.empty()) return;
    QMessageBox* box = BuildComputerIdentificationBox(main_, identity).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
  });
}

void DesktopConsole::StartTimers(uint32_t pollMs, uint32_t favoritesMs) {
  RunOnUiThread([this, pollMs, favoritesMs] {
    pollTimer_.start(static_cast<int>(pollMs));
    favoritesTimer_.start(static_cast<int>(favoritesMs));
  });
}

void DesktopConsole::RestorePlacement() {
  RunOnUiThread([this] {
    if (!main_) return;
    QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
    main_->RestorePlacement(profile);
  });
}

void DesktopConsole::ShowTrayIcon() {
  RunOnUiThread([this] {
    if (tray_) tray_->Show();
  });
}

void DesktopConsole::HideTrayIcon() {
  RunOnUiThread([this] {
    if (tray_) tray_->Hide();
  });
}

void DesktopConsole::EditConfigFile(const std::string& path) {
  // Modal on the window thread; the start-up waits for it and then loads the file.
  RunOnUiThread([path] {
    CCfgFileEditDlg editor(path);
    if (editor.Loaded()) editor.Run();
  });
}

void DesktopConsole::FocusNavigation() {
  RunOnUiThread([this] {
    if (main_) main_->Tree()->setFocus();
  });
}

void DesktopConsole::DestroyWindows() {
  RunOnUiThread([this] {
    if (messageWindow_) messageWindow_->hide();
    if (main_) main_->Progress()->hide();
  });
}

void DesktopConsole::WriteScreenshotsAndEnd() {
  WriteScreenshots(*this, QString::fromStdString(options_.screenshotsDir));
  RequestExit(false);
}

}  // namespace ui
