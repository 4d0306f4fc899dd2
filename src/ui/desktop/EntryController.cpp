#include "ui/desktop/EntryController.h"

#include <cassert>

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>
#include <QStandardPaths>

#include "core/net/NetworkServices.h"
#include "model/item/EntryClipboard.h"
#include "model/item/ItemArchive.h"
#include "services/ConsoleServices.h"
#include "services/EntryEdit.h"
#include "text/Cp1251.h"
#include "ui/abonent/CViewAbonent.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/desktop/RoutingController.h"
#include "ui/dialogs/CDlgVaAskPaste.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {
using Kind = ServiceRunner::Kind;
using text::Cp;
}  // namespace

EntryController::EntryController(DesktopConsole& console) : console_(console) {}

EntryController::~EntryController() = default;

void EntryController::Attach(CMainFrame* frame) { frame_ = frame; }

bool EntryController::RefuseWhileBusy() {
  if (!console_.Runner().HasUserJob()) return false;
  console_.Dialogs().Message(core::ChannelBusyText(), Cp("Сообщение"), ports::MsgIcon::Information);
  return true;
}

void EntryController::Open(const std::string& mailServer, const std::string& mailboxName) {
  if (!frame_ || !console_.Running()) return;
  if (frame_->FindDataWindow(DataKind::Entry, mailServer, mailboxName)) {
    frame_->OpenDataWindow(DataKind::Entry, mailServer, mailboxName);  // activates the open one
    return;
  }
  if (RefuseWhileBusy()) return;
  auto read = std::make_shared<services::EntryRead>();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, mailboxName, read] {
        *read = services::ReadEntry(console_.Services(), mailServer, mailboxName, &console_.Dialogs());
      },
      [this, read] {
        // A failed read still opens: the view says the entry is incomplete.
        if (!read->busy && read->entry.IsLoaded()) Show(std::move(read->entry), read->localFolderPrefix);
        console_.RefreshWindows();
      },
      this);
}

void EntryController::New(const std::string& mailServer, bool abonent) {
  if (!frame_ || !console_.Running() || RefuseWhileBusy()) return;
  auto read = std::make_shared<services::EntryRead>();
  console_.Runner().Post(
      Kind::User, [this, mailServer, abonent, read] { *read = services::MakeNewEntry(console_.Services(), mailServer, abonent); },
      [this, read] {
        if (read->ok) Show(std::move(read->entry), read->localFolderPrefix);
      },
      this);
}

void EntryController::Show(model::_VxItemBase entry, const std::string& localFolderPrefix) {
  if (!frame_) return;
  WizContext context;
  context.dialogs = &console_.Dialogs();
  context.mailServer = entry.mailServerName;
  context.localFolderPrefix = localFolderPrefix;
  context.net = &console_.Services().Net();
  context.hosts = &console_.Services().Hosts();
  DesktopConsole* console = &console_;
  context.scanRunning = [console] { return console->Services().ScanRunning(); };
  context.workFolder = QStandardPaths::writableLocation(QStandardPaths::TempLocation).toStdString();
  // The pages' jobs end with the view: a page's `done` never runs on a closed one.
  auto owner = std::make_shared<QPointer<QObject>>();
  context.runOnWorker = [console, owner](WizContext::Job work, WizContext::Job done) {
    if (console->Runner().HasUserJob() || !owner->data()) return false;
    console->Runner().Post(Kind::User, std::move(work), std::move(done), owner->data());
    return true;
  };
  auto* view = new CViewAbonent(std::make_shared<model::_VxItemBase>(std::move(entry)), std::move(context));
  *owner = view;
  connect(view, &CViewAbonent::applyRequested, this, [this, view] { Apply(view); });
  connect(view, &CViewAbonent::rescanRequested, this, [this, view] { Rescan(view); });
  connect(view, &CViewAbonent::copyRequested, this, [this, view] { Copy(view); });
  connect(view, &CViewAbonent::pasteRequested, this, [this, view] { Paste(view); });
  frame_->AddDataWindow(view);
}

void EntryController::CloseViews(const std::string& mailServer, const std::string& mailboxName) {
  if (!frame_) return;
  for (CChildFrame* window : frame_->DataWindows())
    if (window->View()->Shows(DataKind::Entry, mailServer, mailboxName)) window->close();
}

bool EntryController::HasUnappliedEdits(const std::string& mailServer, const std::string& mailboxName) const {
  assert(OnUiThread());
  if (!frame_) return false;
  for (CChildFrame* window : frame_->DataWindows()) {
    auto* view = qobject_cast<CViewAbonent*>(window->View());
    if (view && view->Shows(DataKind::Entry, mailServer, mailboxName) && view->Pending()) return true;
  }
  return false;
}

bool EntryController::RefuseWhileScanning(const char* text) {
  if (!console_.Directions().Loading()) return false;
  console_.Dialogs().Message(Cp(text), Cp("Сообщение"), ports::MsgIcon::Information);
  return true;
}

void EntryController::Apply(CViewAbonent* view) {
  if (view->Busy() ||
      RefuseWhileScanning("Не возможно применить сделанные изменения во время сканирования данных с почтового сервера") ||
      RefuseWhileBusy())
    return;
  services::EntryApplyRequest request;
  request.shown = view->SharedEntry();
  request.gathered = view->Gathered();
  request.checkAddress = view->AddressCheck(request.gathered);
  request.dialogs = &console_.Dialogs();
  request.progress = &console_.Progress();
  auto result = std::make_shared<services::EntryApplyResult>();
  QPointer<CViewAbonent> target(view);
  view->SetBusy(true);
  console_.Runner().Post(
      Kind::User, [this, request, result] { *result = services::ApplyEntry(console_.Services(), request); },
      [this, target, result, shown = request.shown] {
        if (target) {
          target->SetBusy(false);
          if (result->redisplay) target->Redisplay();
          if (result->keptInEditor) target->ShowOnPages(*result->keptInEditor);
          if (result->showAddressPage) target->ShowRoutingPage();
        }
        if (result->outcome == model::ApplyOutcome::kApplied || result->outcome == model::ApplyOutcome::kQueueFailed) {
          emit entryApplied(*shown);
          // The apply marked the routing levels it changed as stale.
          console_.Routing().Reload(shown->mailServerName);
        }
        if (!result->appliedText.empty() && frame_) frame_->statusBar()->showMessage(FromCp(result->appliedText));
        console_.RefreshWindows();
        if (result->openExisting) Open(shown->mailServerName, *result->openExisting);
      },
      this);
}

void EntryController::Rescan(CViewAbonent* view) {
  if (view->Busy() ||
      RefuseWhileScanning(
          "Не возможно выполнить операцию обновления данных во время сканирования информации с почтового сервера") ||
      RefuseWhileBusy())
    return;
  QPointer<CViewAbonent> target(view);
  std::shared_ptr<model::_VxItemBase> entry = view->SharedEntry();
  if (entry->isNew) return;  // nothing on the server yet
  view->SetBusy(true);
  console_.Runner().Post(
      Kind::User, [this, entry] { services::RescanEntry(console_.Services(), *entry, &console_.Dialogs()); },
      [target] {
        if (!target) return;
        target->SetBusy(false);
        target->Redisplay();
      },
      this);
}

void EntryController::Copy(CViewAbonent* view) {
  if (view->Busy()) return;
  // The entry as the node has it: what the pages hold is not stored yet.
  const std::vector<uint8_t> bytes = model::CopyEntryData(view->Shown(), VT_VERSION_TEXT);
  auto* data = new QMimeData();
  data->setData(QString::fromLatin1(model::kItemClipboardFormat),
                QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  QApplication::clipboard()->setMimeData(data);
}

void EntryController::Paste(CViewAbonent* view) {
  if (view->Busy()) return;
  const QMimeData* data = QApplication::clipboard()->mimeData();
  const QString format = QString::fromLatin1(model::kItemClipboardFormat);
  if (data == nullptr || !data->hasFormat(format)) return;
  const QByteArray bytes = data->data(format);
  std::optional<model::_VxItemBase> pasted = model::PasteEntryData(
      std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())),
      VT_VERSION_TEXT);
  if (!pasted) {
    // Said rather than ignored silently: the administrator wonders otherwise.
    console_.Dialogs().Message(Cp("Данные в буфере обмена скопированы другой версией программы и не могут быть "
                                  "вставлены."),
                               Cp("Сообщение"), ports::MsgIcon::Information);
    return;
  }
  model::TakeIdentityOf(*pasted, view->Shown());
  CDlgVaAskPaste ask(view);
  if (ask.exec() != QDialog::Accepted) return;
  view->ShowOnPages(*pasted, ask.Chosen());
}

CViewAbonent* EntryController::ActiveView() const {
  return frame_ ? qobject_cast<CViewAbonent*>(frame_->ActiveView()) : nullptr;
}

bool EntryController::HandleCommand(int id) {
  if (id != cmd::kCopy && id != cmd::kPaste) return false;
  if (CViewAbonent* view = ActiveView()) {
    if (id == cmd::kCopy) Copy(view);
    if (id == cmd::kPaste) Paste(view);
  }
  return true;
}

}  // namespace ui
