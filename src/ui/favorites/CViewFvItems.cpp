#include "ui/favorites/CViewFvItems.h"

#include <QKeyEvent>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/favorites/CGridFvItems.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

namespace ui {

CStaticFvItemsCaption::CStaticFvItemsCaption(QWidget* parent) : QLabel(parent) {
  setObjectName("CStaticFvItemsCaption");
  QFont bold = font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() + 1);
  setFont(bold);
  setContentsMargins(6, 4, 6, 4);
}

void CStaticFvItemsCaption::SetGroupName(const std::string& name) {
  setText(QString::fromUtf8("Избранное: \"%1\"").arg(FromCp(name)));
}

CViewFvItems::CViewFvItems(std::string groupName, QWidget* parent)
    : CChildView(DataKind::FavoriteMembers, std::move(groupName), "", parent),
      caption_(new CStaticFvItemsCaption(this)),
      grid_(new CGridFvItems(this)) {
  setObjectName("CViewFvItems");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(caption_);
  layout->addWidget(grid_, 1);
  caption_->SetGroupName(GroupName());
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->RestoreLayout(profile, GroupName());
}

CViewFvItems::~CViewFvItems() { SaveLayout(); }

void CViewFvItems::SaveLayout() const {
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->SaveLayout(profile, GroupName());
}

void CViewFvItems::Show(const services::FavoriteGroupView& group, int64_t localNow) { grid_->Show(group, localNow); }

void CViewFvItems::RenameGroup(const std::string& name) {
  if (name == GroupName()) return;
  Rename(name);
  caption_->SetGroupName(name);
  SaveLayout();
}

void CViewFvItems::RemoveSelected() {
  const auto members = grid_->SelectedMembers();
  if (!members.empty()) emit removeRequested(GroupName(), members);
}

void CViewFvItems::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    RemoveSelected();
    return;
  }
  CChildView::keyPressEvent(event);
}

}  // namespace ui
