#include "ui/directions/CViewDirections.h"

#include <QKeyEvent>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/directions/CGridDirections.h"
#include "ui/icons/Icons.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {
constexpr int kNameRole = Qt::UserRole + 1;
}

CGridDirShortcuts::CGridDirShortcuts(QWidget* parent) : QListWidget(parent) {
  setObjectName("CGridDirShortcuts");
  setViewMode(QListView::IconMode);
  setResizeMode(QListView::Adjust);
  setIconSize(QSize(32, 32));
  setGridSize(QSize(120, 64));
  setWordWrap(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setMovement(QListView::Static);
}

void CGridDirShortcuts::SetEntries(const std::vector<model::_VxItemBase>& entries) {
  setUpdatesEnabled(false);
  clear();
  for (const model::_VxItemBase& entry : entries) {
    auto* item = new QListWidgetItem(EntryIcon(entry.kindOnServer == 1), FromCp(entry.mailboxName), this);
    item->setData(kNameRole, FromCp(entry.mailboxName));
  }
  setUpdatesEnabled(true);
}

std::vector<std::string> CGridDirShortcuts::SelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < count(); ++i)
    if (item(i)->isSelected()) names.push_back(ToCp(item(i)->data(kNameRole).toString()));
  return names;
}

CViewDirections::CViewDirections(DataKind kind, std::string mailServer, QWidget* parent)
    : CChildView(kind, std::move(mailServer), "", parent),
      stack_(new QStackedWidget(this)),
      table_(new CGridDirections(this)),
      shortcuts_(new CGridDirShortcuts(this)) {
  setObjectName("CViewDirections");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  stack_->addWidget(table_);
  stack_->addWidget(shortcuts_);
  ShowTable(kind != DataKind::DirectionsShortcuts);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  table_->RestoreLayout(profile, MailServer());
  connect(table_, &CGridDirections::openRequested, this, &CViewDirections::openRequested);
  connect(shortcuts_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit openRequested(ToCp(item->data(kNameRole).toString())); });
}

CViewDirections::~CViewDirections() {
  gone_->store(true);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  table_->SaveLayout(profile, MailServer());
}

void CViewDirections::ShowTable(bool table) { stack_->setCurrentWidget(table ? static_cast<QWidget*>(table_) : shortcuts_); }

bool CViewDirections::TableShown() const { return stack_->currentWidget() == table_; }

void CViewDirections::SetEntries(std::vector<model::_VxItemBase> entries) {
  entries_ = std::move(entries);
  loaded_ = true;
  table_->SetEntries(entries_);
  shortcuts_->SetEntries(entries_);
}

void CViewDirections::RemoveEntry(const std::string& mailboxName) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const model::_VxItemBase& e) { return e.mailboxName == mailboxName; }),
                 entries_.end());
  table_->SetEntries(entries_);
  shortcuts_->SetEntries(entries_);
}

std::vector<std::string> CViewDirections::SelectedNames() const {
  return TableShown() ? table_->SelectedNames() : shortcuts_->SelectedNames();
}

void CViewDirections::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    const std::vector<std::string> names = SelectedNames();
    if (!names.empty()) emit deleteRequested(names);
    return;
  }
  CChildView::keyPressEvent(event);
}

}  // namespace ui
