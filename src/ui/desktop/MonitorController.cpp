#include "ui/desktop/MonitorController.h"

#include "core/LogTime.h"
#include "core/net/NetworkServices.h"
#include "core/poll/ReplicationRequest.h"
#include "core/poll/ScanReports.h"
#include "ports/Clock.h"
#include "services/MonitorRows.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/main/CMainFrame.h"
#include "ui/monitor/CCnViewDisks.h"
#include "ui/monitor/CCnViewFolders.h"
#include "ui/monitor/CViewReplication.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/runtime/ServiceRunner.h"

namespace ui {

using Kind = ServiceRunner::Kind;
using text::Cp;

MonitorController::MonitorController(DesktopConsole& console) : QObject(nullptr), console_(console) {}

void MonitorController::RecordPoll(const std::string& computer) {
  const auto now = std::chrono::system_clock::now();
  core::ComputerRegistry& computers = console_.Services().Net().Computers();
  for (int slot = 0; slot < core::ComputerRegistry::kSlots; ++slot) {
    const core::__RpcClientDescription* record = computers.At(slot);
    if (record == nullptr || (!computer.empty() && record->name != computer)) continue;
    // A computer the poll did not reach keeps its last arrays: no sample.
    if (!record->online || record->connectionNotUsed) continue;
    history_.Record(record->name, now, record->disks, record->folders);
  }
}

void MonitorController::Fill(CChildView* view, const services::ConsoleSnapshot& snapshot) {
  if (auto* disks = qobject_cast<CCnViewDisks*>(view))
    disks->Show(snapshot.FindComputer(disks->Computer()), history_);
  else if (auto* folders = qobject_cast<CCnViewFolders*>(view))
    folders->Show(snapshot.FindComputer(folders->Computer()), history_);
  else if (auto* replication = qobject_cast<CViewReplication*>(view))
    replication->Show(snapshot);
}

void MonitorController::Redraw(CMainFrame* frame, const services::ConsoleSnapshot& snapshot) {
  if (frame == nullptr) return;
  for (CChildFrame* window : frame->DataWindows()) Fill(window->View(), snapshot);
}

void MonitorController::Opened(CChildView* view, const services::ConsoleSnapshot& snapshot) {
  auto* monitor = qobject_cast<CMonitorView*>(view);
  if (monitor == nullptr) return;
  if (!monitor->property("monitorConnected").toBool()) {
    monitor->setProperty("monitorConnected", true);
    connect(monitor, &CMonitorView::rescanRequested, this, &MonitorController::RescanComputer);
    if (auto* replication = qobject_cast<CViewReplication*>(view))
      connect(replication, &CViewReplication::replicationRequested, this, &MonitorController::PerformReplication);
  }
  Fill(view, snapshot);
}

bool MonitorController::Refused() const {
  ServiceRunner& runner = console_.Runner();
  if (runner.HasUserJob() || (runner.Idle() && console_.Services().ScanRunning())) {
    console_.Dialogs().Message(core::ChannelBusyText(), Cp("Сообщение"), ports::MsgIcon::Information);
    return true;
  }
  return false;
}

bool MonitorController::MayRunOn(const std::string& computer) {
  if (!console_.Running()) return false;
  if (computer.empty()) {
    console_.Dialogs().Message(services::NoReplicationComputerText(), Cp("Сообщение"), ports::MsgIcon::Information);
    return false;
  }
  return !Refused();
}

void MonitorController::RescanComputer(const std::string& computer) {
  if (!MayRunOn(computer)) return;
  console_.Runner().Post(
      Kind::User,
      [this, computer] {
        if (console_.Services().Poller().PollOne(computer) == core::PollOutcome::Done) RecordPoll(computer);
      },
      [this] { console_.RefreshWindows(); }, this);
}

void MonitorController::PerformReplication(const std::string& computer) {
  if (!MayRunOn(computer)) return;
  console_.Runner().Post(
      Kind::User,
      [this, computer] {
        services::ConsoleServices& services = console_.Services();
        core::__RpcClientDescription* record = services.Net().FindComputer(computer);
        if (record == nullptr) return;
        const ports::SystemClock clock;
        const uint64_t lifetime = uint64_t{services.App().Settings().splashWindowTtl} * 1000;
        const auto lifetimeMs = static_cast<uint32_t>(std::min<uint64_t>(lifetime, 0x7FFFFFFF));
        core::ReplicationRequestContext context{
            &services.Net().Binding(), &console_.Dialogs(),
            [&services, lifetimeMs](const std::string& text, int code) {
              services.App().Log().Add(text, lifetimeMs, code);
            },
            &services.Gate(), core::FormatLogTime(clock.LocalTime())};
        core::StartReplication(*record, context);
      },
      [this] { console_.RefreshWindows(); }, this);
}

}  // namespace ui
