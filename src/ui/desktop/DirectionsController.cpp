#include "ui/desktop/DirectionsController.h"

#include <cassert>

#include <QMdiArea>
#include <QProgressBar>

#include "core/net/NetworkServices.h"
#include "model/apply/ApplyChanges.h"
#include "model/apply/DeleteEntry.h"
#include "model/host/VtHostData.h"
#include "services/ConsoleServices.h"
#include "services/DirectoryLoad.h"
#include "services/EntryEdit.h"
#include "services/DirectoryNames.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/EntryController.h"
#include "ui/desktop/RoutingController.h"
#include "ui/dialogs/CDownloadingDlg.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/UiThread.h"

namespace ui {

namespace {

using Kind = ServiceRunner::Kind;
using text::Cp;

}  // namespace

DirectionsController::DirectionsController(DesktopConsole& console) : console_(console) {}

DirectionsController::~DirectionsController() = default;

void DirectionsController::Attach(CMainFrame* frame) {
  frame_ = frame;
  downloading_ = new CDownloadingDlg(frame);
}

CViewDirections* DirectionsController::ActiveView() const {
  return frame_ ? qobject_cast<CViewDirections*>(frame_->ActiveView()) : nullptr;
}

void DirectionsController::Opened(CViewDirections* view) {
  if (view == nullptr || view->property("vtConnected").toBool()) return;
  view->setProperty("vtConnected", true);
  auto loadWanted = [this, view] { view->FullLoadWanted() ? Load(view) : LoadNames(view); };
  connect(view, &CViewDirections::rescanRequested, this, loadWanted);
  connect(view, &CViewDirections::fullLoadWanted, this, [this, view] { Load(view); });
  const std::string mailServer = view->MailServer();
  connect(view, &CViewDirections::openRequested, this,
          [this, mailServer](const std::string& name) { console_.Entries().Open(mailServer, name); });
  connect(view, &CViewDirections::newEntryRequested, this,
          [this, mailServer](bool abonent) { console_.Entries().New(mailServer, abonent); });
  connect(view, &CViewDirections::deleteRequested, this,
          [this, view](const std::vector<std::string>& names) { Delete(view, names); });
  loadWanted();
}

void DirectionsController::ShowProgress(size_t step, size_t total) {
  if (frame_ && frame_->Progress()) {
    frame_->Progress()->setRange(0, static_cast<int>(total));
    frame_->Progress()->setValue(static_cast<int>(std::min(step, total)));
    frame_->Progress()->show();
  }
  if (downloading_)
    downloading_->ShowLine(QString::fromUtf8("Чтение данных направлений/абонентов: %1 из %2").arg(step).arg(total));
}

bool DirectionsController::BeginLoad(CViewDirections* view, std::function<bool(size_t, size_t)>& progress) {
  if (loading_ || console_.Runner().HasUserJob()) {
    console_.Dialogs().Message(services::DirectoryBusyText(), Cp("Сообщение"), ports::MsgIcon::Information);
    return false;
  }
  loading_ = true;
  std::shared_ptr<std::atomic<bool>> gone = view->Gone();
  DesktopConsole* console = &console_;
  ShowProgress(0, 1);
  // The window thread hears of every step but never waits for one; a step
  // after the view went, or once the program is ending, stops the load.
  progress = [this, gone, console](size_t step, size_t total) {
    if (gone->load() || !console->Running()) return false;
    PostToUiThread([this, step, total] { ShowProgress(step, total); });
    return true;
  };
  return true;
}

void DirectionsController::EndLoad() {
  loading_ = false;
  if (downloading_) downloading_->hide();
  if (frame_ && frame_->Progress()) frame_->Progress()->hide();
}

void DirectionsController::Load(CViewDirections* view) {
  std::function<bool(size_t, size_t)> progress;
  if (!BeginLoad(view, progress)) return;
  QPointer<CViewDirections> target(view);
  const std::string mailServer = view->MailServer();
  auto load = std::make_shared<services::DirectoryLoad>();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, load, progress] {
        *load = services::LoadDirectory(console_.Services(), mailServer, &console_.Dialogs(), progress);
      },
      [this, target, load] {
        EndLoad();
        if (target && load->outcome != services::DirectoryLoadOutcome::kStopped &&
            load->outcome != services::DirectoryLoadOutcome::kBusy)
          target->SetEntries(std::move(load->entries));
        console_.RefreshWindows();
      },
      this);
}

void DirectionsController::LoadNames(CViewDirections* view) {
  std::function<bool(size_t, size_t)> progress;
  if (!BeginLoad(view, progress)) return;
  QPointer<CViewDirections> target(view);
  const std::string mailServer = view->MailServer();
  auto names = std::make_shared<services::DirectoryNames>();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, names, progress] {
        *names = services::LoadDirectoryNames(console_.Services(), mailServer, &console_.Dialogs(), progress);
      },
      [this, target, names] {
        EndLoad();
        if (target && names->outcome != services::DirectoryNamesOutcome::kStopped &&
            names->outcome != services::DirectoryNamesOutcome::kBusy)
          target->SetShortcuts(std::move(names->entries));
        console_.RefreshWindows();
      },
      this);
}

bool DirectionsController::RefuseDeleteWhileBusy() {
  if (!loading_ && !console_.Runner().HasUserJob()) return false;
  console_.Dialogs().Message(core::ChannelBusyText(), Cp("Сообщение"), ports::MsgIcon::Information);
  return true;
}

void DirectionsController::Delete(CViewDirections* view, const std::vector<std::string>& mailboxNames) {
  assert(OnUiThread());
  if (mailboxNames.empty() || RefuseDeleteWhileBusy()) return;
  // The rights are known before the question: an observer is told at once,
  // not asked first and refused after.
  QPointer<CViewDirections> target(view);
  const std::string mailServer = view->MailServer();
  auto rights = std::make_shared<bool>(false);
  console_.Runner().Post(
      Kind::User, [this, mailServer, rights] { *rights = services::HasNodeRights(console_.Services(), mailServer); },
      [this, target, mailServer, mailboxNames, rights] {
        if (!target) return;
        if (!*rights) {
          console_.Dialogs().Message(model::NoRightsText(mailServer), Cp("Сообщение"), ports::MsgIcon::Information);
          return;
        }
        AskAndDelete(target, mailboxNames);
      },
      this);
}

void DirectionsController::AskAndDelete(CViewDirections* view, const std::vector<std::string>& mailboxNames) {
  QtDialogPort& dialogs = console_.Dialogs();
  if (!dialogs.AskYesNo(Cp("Удалить выделенные направления/абоненты?"), Cp("Вопрос"))) return;
  const std::string mailServer = view->MailServer();
  // An entry whose window holds edits not applied yet goes only when the
  // user lets them go.
  std::vector<std::string> names;
  for (const std::string& name : mailboxNames) {
    if (console_.Entries().HasUnappliedEdits(mailServer, name) &&
        !dialogs.AskYesNo(Cp("В окне \"") + name + Cp("\" есть не применённые изменения.\nУдалить?"), Cp("Вопрос")))
      continue;
    names.push_back(name);
  }
  if (names.empty() || RefuseDeleteWhileBusy()) return;
  QPointer<CViewDirections> target(view);
  auto deleted = std::make_shared<std::vector<std::string>>();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, names, deleted] {
        services::ConsoleServices& services = console_.Services();
        for (const std::string& name : names) {
          model::DeleteRequest request{mailServer, name, services::HasNodeRights(services, mailServer), services.ScanRunning()};
          const model::DeleteOutcome outcome =
              model::DeleteEntry(request, console_.Dialogs(), services.Net(), services.Hosts(), services.Gate());
          if (outcome == model::DeleteOutcome::kDeleted) deleted->push_back(name);
          if (outcome == model::DeleteOutcome::kRefused) break;  // told once; the rest would be refused alike
        }
        // The Router drops a deleted abonent's routes from its tables too.
        core::__VtHostDescription* host = services.Net().FindMailServer(mailServer);
        if (host != nullptr && !deleted->empty())
          model::VtHostData::Of(*host).UpdateValidMask(model::hostvalid::kTables, 0);
      },
      [this, target, mailServer, deleted] {
        // Only a deletion that went through takes the entry's windows: a
        // refusal or a No keeps them with their edits.
        for (const std::string& name : *deleted) {
          console_.Entries().CloseViews(mailServer, name);
          if (target) target->RemoveEntry(name);
        }
        if (!deleted->empty()) console_.Routing().Reload(mailServer);
        console_.RefreshWindows();
      },
      this);
}

bool DirectionsController::HandleCommand(int id) {
  if (id != cmd::kFieldsChooser && id != cmd::kPreviewArea) return false;
  CViewDirections* view = ActiveView();
  if (view == nullptr) return true;
  if (id == cmd::kFieldsChooser) view->Table()->ChooseFields();
  if (id == cmd::kPreviewArea) view->Table()->SetPreview(!view->Table()->Preview());
  return true;
}

}  // namespace ui
