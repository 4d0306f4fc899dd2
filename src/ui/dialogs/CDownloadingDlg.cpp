#include "ui/dialogs/CDownloadingDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ui {

CDownloadingDlg::CDownloadingDlg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      line_(new QLabel(this)),
      animation_(new QProgressBar(this)) {
  setObjectName("CDownloadingDlg");
  setWindowTitle(QStringLiteral("  Exchanging data ...  "));
  setAttribute(Qt::WA_ShowWithoutActivating);
  // A busy bar is the animation: it runs while the load goes on.
  animation_->setRange(0, 0);
  animation_->setTextVisible(false);
  line_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(animation_);
  layout->addWidget(line_);
}

void CDownloadingDlg::ShowLine(const QString& line) {
  line_->setText(line);
  if (!isVisible()) show();
}

QString CDownloadingDlg::Line() const { return line_->text(); }

}  // namespace ui
