#include "ui/monitor/CMonitorView.h"

#include <QVBoxLayout>

#include "ui/monitor/AlarmFrame.h"

namespace ui {

CMonitorView::CMonitorView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent)
    : CChildView(kind, std::move(mailServer), std::move(computer), parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  frame_ = new AlarmFrame(this);
  outer->addWidget(frame_);
  content_ = new QVBoxLayout(frame_);
  const int margin = AlarmFrame::kBorder + 2;
  content_->setContentsMargins(margin, margin, margin, margin);
}

bool CMonitorView::Flashing() const { return frame_->Alarm(); }

}  // namespace ui
