#include "ui/monitor/CDlgReplication.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "services/MonitorRows.h"
#include "ui/text/QtText.h"

namespace ui {

CDlgReplication::CDlgReplication(QWidget* parent) : QWidget(parent) {
  setObjectName("CDlgReplication");
  auto* layout = new QVBoxLayout(this);

  auto* stateBox = new QGroupBox(QString::fromUtf8("Текущее состояние"), this);
  auto* stateLayout = new QVBoxLayout(stateBox);
  state_ = new QLabel(stateBox);
  state_->setObjectName("state");
  state_->setFrameShape(QFrame::Panel);
  state_->setFrameShadow(QFrame::Sunken);
  state_->setAutoFillBackground(true);
  QFont big = state_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.3);
  state_->setFont(big);
  mode_ = new QLabel(stateBox);
  mode_->setObjectName("mode");
  stateLayout->addWidget(state_, 0, Qt::AlignLeft);
  stateLayout->addWidget(mode_);
  layout->addWidget(stateBox);

  auto* timeoutBox = new QGroupBox(QString::fromUtf8("Параметры"), this);
  auto* form = new QFormLayout(timeoutBox);
  const auto labels = services::ReplicationTimeoutLabels();
  const char* names[] = {"timeoutStart", "timeoutReconstruction", "syncPeriod"};
  for (size_t i = 0; i < timeouts_.size(); ++i) {
    timeouts_[i] = new QLabel(timeoutBox);
    timeouts_[i]->setObjectName(names[i]);
    form->addRow(QString::fromStdString(labels[i]), timeouts_[i]);
  }
  layout->addWidget(timeoutBox);

  auto* reportLabel = new QLabel(QStringLiteral("  Last replication report :  "), this);
  report_ = new QPlainTextEdit(this);
  report_->setObjectName("report");
  report_->setReadOnly(true);
  layout->addWidget(reportLabel);
  layout->addWidget(report_, 1);

  auto* buttons = new QHBoxLayout;
  rescan_ = new QPushButton(QStringLiteral("Rescan"), this);
  rescan_->setObjectName("rescan");
  perform_ = new QPushButton(QStringLiteral("Perform replication"), this);
  perform_->setObjectName("perform");
  buttons->addStretch(1);
  buttons->addWidget(rescan_);
  buttons->addWidget(perform_);
  layout->addLayout(buttons);
  connect(rescan_, &QPushButton::clicked, this, &CDlgReplication::rescanClicked);
  connect(perform_, &QPushButton::clicked, this, &CDlgReplication::performClicked);
  Clear();
}

void CDlgReplication::Show(const rpc::ReplicationRecord& state, const std::string& report) {
  const services::ReplicationTexts texts = services::ReplicationTextsOf(state);
  state_->setText(FromCp(texts.state));
  QPalette palette = state_->palette();
  palette.setColor(QPalette::Window, texts.alarm ? QColor(255, 190, 190) : QColor(200, 240, 200));
  state_->setPalette(palette);
  mode_->setText(FromCp(texts.mode));
  for (size_t i = 0; i < timeouts_.size(); ++i) timeouts_[i]->setText(FromCp(texts.timeouts[i]));
  const QString text = FromCp(report);
  if (report_->toPlainText() != text) report_->setPlainText(text);
}

void CDlgReplication::Clear() {
  state_->setText(QString());
  state_->setPalette(QPalette());
  mode_->setText(QString());
  for (QLabel* label : timeouts_) label->setText(QString());
  report_->clear();
}

}  // namespace ui
