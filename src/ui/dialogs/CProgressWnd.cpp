#include "ui/dialogs/CProgressWnd.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

CProgressWnd::CProgressWnd(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowTitleHint) {
  setWindowModality(Qt::NonModal);
  setAttribute(Qt::WA_ShowWithoutActivating);
  line_ = new QLabel;
  line_->setTextFormat(Qt::PlainText);
  line_->setMinimumWidth(320);
  bar_ = new QProgressBar;
  bar_->setTextVisible(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line_);
  layout->addWidget(bar_);
}

void CProgressWnd::Begin(const QString& title, int rangeMax) {
  setWindowTitle(title);
  bar_->setRange(0, std::max(rangeMax, 0));
  bar_->setValue(0);
  line_->clear();
  show();
  raise();
}

void CProgressWnd::SetPosition(int position) { bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum())); }

void CProgressWnd::Step(int count) { SetPosition(bar_->value() + count); }

void CProgressWnd::SetLine(const QString& line) { line_->setText(line); }

void CProgressWnd::End() {
  hide();
  bar_->reset();
}

int CProgressWnd::Position() const { return bar_->value(); }

int CProgressWnd::Maximum() const { return bar_->maximum(); }

QString CProgressWnd::Line() const { return line_->text(); }

}  // namespace ui
