#include "ui/desktop/RoutingController.h"

#include <algorithm>
#include <cassert>

#include <QDialog>
#include <QMdiArea>

#include <memory>

#include "core/net/NetworkServices.h"
#include "model/host/VtHostData.h"
#include "services/ConsoleServices.h"
#include "services/DirectoryLoad.h"
#include "services/EntryEdit.h"
#include "services/RoutingChange.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/main/FieldsChooser.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/routing/CFlyUpRoutingEditor.h"
#include "ui/routing/CGridRouting.h"
#include "ui/routing/CViewRouting.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/UiThread.h"

namespace ui {

namespace {
using Kind = ServiceRunner::Kind;
}  // namespace

RoutingController::RoutingController(DesktopConsole& console) : console_(console) {}

RoutingController::~RoutingController() = default;

void RoutingController::Attach(CMainFrame* frame) {
  frame_ = frame;
  // The routing window is here: its rescan commands can be chosen (they act
  // on the active routing view and do nothing without one).
  for (int id : {cmd::kRescanAllRouting, cmd::kRescanAbonents}) frame->Action(id)->setEnabled(true);
  for (int id = cmd::kRescanLevelFirst; id <= cmd::kRescanLevelLast; ++id) frame->Action(id)->setEnabled(true);
  if (!idleHooked_) {
    idleHooked_ = true;
    connect(&console_.Runner(), &ServiceRunner::becameIdle, this, &RoutingController::LoadWaiting);
  }
}

CViewRouting* RoutingController::ActiveView() const {
  if (!frame_ || frame_->Area()->activeSubWindow() == nullptr) return nullptr;
  auto* window = qobject_cast<CChildFrame*>(frame_->Area()->activeSubWindow());
  return window ? qobject_cast<CViewRouting*>(window->View()) : nullptr;
}

void RoutingController::Opened(CViewRouting* view) {
  if (view == nullptr || view->property("vtConnected").toBool()) return;
  view->setProperty("vtConnected", true);
  // Ctrl+R reads the view's data again, whatever the cache holds.
  connect(view, &CViewRouting::rescanRequested, this,
          [this, view] { Rescan(view, model::hostvalid::kTables | model::hostvalid::kAbonents, services::DirectoryBusyText()); });
  connect(view, &CViewRouting::editRequested, this, [this, view](int level, int row) { Edit(view, level, row); });
  connect(view, &CViewRouting::deleteRequested, this,
          [this, view](int level, const std::vector<services::RoutingRow>& rows) { Delete(view, level, rows); });
  Load(view);
}

bool RoutingController::Busy() {
  assert(OnUiThread());
  if (!console_.Runner().HasUserJob()) return false;
  console_.Dialogs().Message(core::ChannelBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
  return true;
}

void RoutingController::Fill(CViewRouting* view, const std::string& selectKey, int selectLevel) {
  core::__VtHostDescription* host = console_.Services().Net().FindMailServer(view->MailServer());
  RoutingLevels levels;
  if (host != nullptr) {
    const model::VtHostData& data = model::VtHostData::Of(*host);
    const services::AbonentTest isAbonent = [&data](const std::string& name) {
      return data.FindAbonentSection(name).has_value();
    };
    for (int level = 0; level < model::kLevelCount; ++level)
      levels[static_cast<size_t>(level)] = services::RoutingRowsOf(data.routingTable[static_cast<size_t>(level)], isAbonent);
  }
  view->SetLevels(std::move(levels));
  if (selectLevel >= 0 && !selectKey.empty()) view->Page(selectLevel)->SelectKey(selectKey);
}

bool RoutingController::Refused(const std::string& scanText) {
  assert(OnUiThread());
  if (console_.Directions().Loading()) {
    console_.Dialogs().Message(scanText, text::Cp("Сообщение"), ports::MsgIcon::Information);
    return true;
  }
  return Busy();
}

void RoutingController::Load(CViewRouting* view) { Rescan(view, 0, services::DirectoryBusyText()); }

void RoutingController::Reload(const std::string& mailServer) {
  assert(OnUiThread());
  if (!frame_) return;
  for (CChildFrame* window : frame_->DataWindows()) {
    auto* view = qobject_cast<CViewRouting*>(window->View());
    if (view && view->MailServer() == mailServer && std::find(waiting_.begin(), waiting_.end(), view) == waiting_.end())
      waiting_.push_back(view);
  }
  LoadWaiting();
}

void RoutingController::LoadWaiting() {
  assert(OnUiThread());
  if (!console_.Runner().Idle()) return;
  std::vector<QPointer<CViewRouting>> waiting;
  waiting.swap(waiting_);
  for (const QPointer<CViewRouting>& view : waiting) {
    if (!view) continue;
    if (!console_.Runner().Idle()) {
      waiting_.push_back(view);  // behind the load just queued
      continue;
    }
    Rescan(view, 0, services::DirectoryBusyText());
  }
}

void RoutingController::Rescan(CViewRouting* view, uint32_t clearMask, const std::string& scanText) {
  if (Refused(scanText)) {
    // A view that never got its tables reads them once the worker is free.
    if (!view->property("vtLoaded").toBool() && std::find(waiting_.begin(), waiting_.end(), view) == waiting_.end())
      waiting_.push_back(view);
    return;
  }
  view->setProperty("vtLoaded", true);
  QPointer<CViewRouting> target(view);
  const std::string mailServer = view->MailServer();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, clearMask] {
        const model::LoadWindow window{&console_.Dialogs(), &console_.Progress()};
        if (clearMask == 0)
          services::LoadRouting(console_.Services(), mailServer, &window);
        else
          services::RescanRouting(console_.Services(), mailServer, clearMask, &window);
      },
      [this, target] {
        if (target) Fill(target);
        console_.RefreshWindows();
      },
      this);
}

void RoutingController::Edit(CViewRouting* view, int level, int row) {
  if (Busy()) return;
  const std::vector<services::RoutingRow>& rows = view->Page(level)->Rows();
  const bool existing = row >= 0 && static_cast<size_t>(row) < rows.size();
  const services::RoutingRow shown = existing ? rows[static_cast<size_t>(row)] : services::RoutingRow{};
  const std::string levelName(model::LevelName(level));
  auto* popup = new CFlyUpRoutingPopupWnd(levelName, shown.key, shown.target, view);
  popup->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<CViewRouting> target(view);
  QPointer<CFlyUpRoutingPopupWnd> window(popup);
  const std::string mailServer = view->MailServer();
  // While the editor's own direction list is read, its change waits behind it.
  auto listing = std::make_shared<bool>(true);
  connect(popup, &QDialog::accepted, this, [this, target, window, level, existing, shown, mailServer, listing] {
    if (!window || (!*listing && Busy())) return;
    services::RouteEdit edit{mailServer,          level, existing, shown.key, window->Editor()->Key(), shown.target,
                             window->Editor()->Target(), window->Editor()->AbonentTarget(), false};
    const std::string selectKey = text::ToUpperAscii(text::Trim(edit.newKey));
    console_.Runner().Post(
        Kind::User,
        [this, edit]() mutable {
          edit.hasAdministratorRights = services::HasNodeRights(console_.Services(), edit.mailServer);
          if (services::ChangeRoutingEntry(console_.Services(), edit, console_.Dialogs()) == services::RoutingOutcome::kRefused)
            return;
          const model::LoadWindow loadWindow{&console_.Dialogs(), &console_.Progress()};
          services::LoadRouting(console_.Services(), edit.mailServer, &loadWindow);
        },
        [this, target, selectKey, level] {
          if (target) Fill(target, selectKey, level);
          console_.RefreshWindows();
        },
        this);
  });
  popup->show();
  // The direction list comes from the node on the worker.
  auto listed = std::make_shared<services::RoutingDirections>();
  console_.Runner().Post(
      Kind::User,
      [this, mailServer, listed] {
        *listed = services::ListRoutingDirections(console_.Services(), mailServer, &console_.Dialogs());
      },
      [window, listed, listing] {
        *listing = false;
        if (window) window->Editor()->SetDirections(listed->entries);
      },
      this);
}

void RoutingController::Delete(CViewRouting* view, int level, const std::vector<services::RoutingRow>& rows) {
  if (rows.empty() || Busy()) return;
  services::RouteDeletion deletion{view->MailServer(), level, {}, false};
  for (const services::RoutingRow& row : rows) deletion.rows.push_back({row.key, row.target});
  QPointer<CViewRouting> target(view);
  console_.Runner().Post(
      Kind::User,
      [this, deletion]() mutable {
        deletion.hasAdministratorRights = services::HasNodeRights(console_.Services(), deletion.mailServer);
        if (services::DeleteRoutingEntries(console_.Services(), deletion, console_.Dialogs()) ==
            services::RoutingOutcome::kNothing)
          return;
        const model::LoadWindow loadWindow{&console_.Dialogs(), &console_.Progress()};
        services::LoadRouting(console_.Services(), deletion.mailServer, &loadWindow);
      },
      [this, target] {
        if (target) Fill(target);
        console_.RefreshWindows();
      },
      this);
}

bool RoutingController::HandleCommand(int id) {
  CViewRouting* view = ActiveView();
  if (view == nullptr) return false;
  if (id == cmd::kRescanAllRouting) {
    Rescan(view, model::hostvalid::kTables, core::ChannelBusyText());
  } else if (id == cmd::kRescanAbonents) {
    Rescan(view, model::hostvalid::kAbonents, core::ChannelBusyText());
  } else if (id >= cmd::kRescanLevelFirst && id <= cmd::kRescanLevelLast) {
    Rescan(view, 1u << (id - cmd::kRescanLevelFirst), core::ChannelBusyText());
  } else if (id == cmd::kFieldsChooser) {
    ChooseFields(view->Page(view->CurrentLevel()));
  } else {
    return false;
  }
  return true;
}

}  // namespace ui
