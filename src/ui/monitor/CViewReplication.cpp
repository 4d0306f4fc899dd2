#include "ui/monitor/CViewReplication.h"

#include <QVBoxLayout>

#include "services/ConsoleSnapshot.h"
#include "services/MonitorRows.h"
#include "ui/monitor/AlarmFrame.h"
#include "ui/monitor/CDlgReplication.h"

namespace ui {

CViewReplication::CViewReplication(std::string mailServer, QWidget* parent)
    : CMonitorView(DataKind::Replication, std::move(mailServer), std::string(), parent) {
  setObjectName("CViewReplication");
  panel_ = new CDlgReplication(this);
  Content()->addWidget(panel_);
  connect(panel_, &CDlgReplication::rescanClicked, this, [this] { Rescan(); });
  connect(panel_, &CDlgReplication::performClicked, this, [this] { emit replicationRequested(queueComputer_); });
}

void CViewReplication::Show(const services::ConsoleSnapshot& snapshot) {
  const services::ComputerSnapshot* computer = services::ReplicationComputer(snapshot, MailServer());
  if (computer == nullptr) {
    queueComputer_.clear();
    panel_->Clear();
    Frame()->SetAlarm(false);
    return;
  }
  queueComputer_ = computer->name;
  if (computer->replicationWords[0] != 1) {  // no state received yet
    panel_->Clear();
    Frame()->SetAlarm(false);
    return;
  }
  panel_->Show(computer->replicationState, computer->replicationText);
  Frame()->SetAlarm(services::ReplicationTextsOf(computer->replicationState).alarm);
}

}  // namespace ui
