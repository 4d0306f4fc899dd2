#include "ui/routing/CViewRouting.h"

#include <QKeyEvent>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/main/CMainFrame.h"
#include "ui/routing/CGridRouting.h"
#include "ui/text/QtText.h"

namespace ui {

QString CViewRouting::PageTitle(const std::string& node, int level) {
  return QString::fromUtf8("%1 - уровень %2").arg(FromCp(node), FromCp(std::string(model::LevelName(level))));
}

CViewRouting::CViewRouting(std::string mailServer, QWidget* parent)
    : CChildView(DataKind::Routing, std::move(mailServer), "", parent), tabs_(new QTabWidget(this)) {
  setObjectName("CViewRouting");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  for (int level = 0; level < model::kLevelCount; ++level) {
    auto* page = new CGridRouting(MailServer(), level, tabs_);
    page->RestoreLayout(profile);
    pages_[static_cast<size_t>(level)] = page;
    tabs_->addTab(page, PageTitle(MailServer(), level));
    connect(page, &CGridRouting::editRequested, this, [this, level](int row) { emit editRequested(level, row); });
  }
}

CViewRouting::~CViewRouting() {
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  for (CGridRouting* page : pages_) page->SaveLayout(profile);
}

void CViewRouting::SetLevels(RoutingLevels levels) {
  for (int level = 0; level < model::kLevelCount; ++level)
    pages_[static_cast<size_t>(level)]->SetRows(std::move(levels[static_cast<size_t>(level)]));
}

int CViewRouting::CurrentLevel() const { return tabs_->currentIndex(); }

void CViewRouting::ShowLevel(int level) { tabs_->setCurrentIndex(level); }

void CViewRouting::keyPressEvent(QKeyEvent* event) {
  const int level = CurrentLevel();
  if (event->key() == Qt::Key_Delete) {
    const std::vector<services::RoutingRow> rows = Page(level)->SelectedRows();
    if (!rows.empty()) emit deleteRequested(level, rows);
    return;
  }
  if (event->key() == Qt::Key_Insert) {
    emit editRequested(level, -1);
    return;
  }
  CChildView::keyPressEvent(event);
}

}  // namespace ui
