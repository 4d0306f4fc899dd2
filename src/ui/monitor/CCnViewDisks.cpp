#include "ui/monitor/CCnViewDisks.h"

#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

#include "services/ConsoleSnapshot.h"
#include "ui/main/CMainFrame.h"
#include "ui/monitor/AlarmFrame.h"
#include "ui/monitor/CCnGridDisks.h"
#include "ui/monitor/HistoryChart.h"
#include "ui/text/QtText.h"

namespace ui {

CCnViewDisks::CCnViewDisks(std::string mailServer, std::string computer, QWidget* parent)
    : CMonitorView(DataKind::Disks, std::move(mailServer), std::move(computer), parent) {
  setObjectName("CCnViewDisks");
  caption_ = new QLabel(QStringLiteral("Scanned disks of computer \"%1\"").arg(FromCp(Computer())), this);
  caption_->setObjectName("caption");
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  grid_ = new CCnGridDisks(splitter);
  chart_ = new HistoryChart(splitter);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  Content()->addWidget(caption_);
  Content()->addWidget(splitter, 1);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->RestoreLayout(profile, MailServer(), Computer());
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { ShowChart(); });
}

CCnViewDisks::~CCnViewDisks() {
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->SaveLayout(profile, MailServer(), Computer());
}

void CCnViewDisks::Show(const services::ComputerSnapshot* computer, const services::ScanHistory& history) {
  static const std::vector<core::CSI_disk> kNone;
  const std::vector<core::CSI_disk>& disks = computer ? computer->disks : kNone;
  names_.clear();
  history_.clear();
  bool alarm = false;
  for (const core::CSI_disk& disk : disks) {
    names_.push_back(services::DiskName(disk));
    history_.push_back(history.Disk(Computer(), names_.back()));
    alarm = alarm || disk.alarm;
  }
  grid_->Show(disks);
  Frame()->SetAlarm(alarm);
  ShowChart();
}

void CCnViewDisks::ShowChart() {
  const int row = grid_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= history_.size()) {
    chart_->Clear();
    return;
  }
  chart_->Show(history_[static_cast<size_t>(row)],
               QString::fromUtf8("Свободно (MB): %1").arg(FromCp(names_[static_cast<size_t>(row)])), true);
}

}  // namespace ui
