#include "ui/directions/CViewDirections.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/directions/CGridDirections.h"
#include "ui/directions/ShortcutIcon.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

namespace ui {

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

void CGridDirShortcuts::SetEntries(const std::vector<services::ShortcutEntry>& entries) {
  setUpdatesEnabled(false);
  clear();
  for (const services::ShortcutEntry& entry : entries) {
    const QString name = FromCp(entry.name);
    auto* item = new QListWidgetItem(ShortcutIcon(entry.abonent, entry.active), name, this);
    item->setData(kNameRole, name);
    item->setData(kAbonentRole, entry.abonent);
    item->setData(kActiveRole, entry.active);
  }
  setUpdatesEnabled(true);
}

std::vector<std::string> CGridDirShortcuts::SelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < count(); ++i)
    if (item(i)->isSelected()) names.push_back(ToCp(item(i)->data(kNameRole).toString()));
  return names;
}

QListWidgetItem* CGridDirShortcuts::ItemOf(const std::string& mailboxName) const {
  const QString name = FromCp(mailboxName);
  for (int i = 0; i < count(); ++i)
    if (item(i)->data(kNameRole).toString() == name) return item(i);
  return nullptr;
}

CViewDirections::CViewDirections(DataKind kind, std::string mailServer, QWidget* parent)
    : CChildView(kind, std::move(mailServer), "", parent),
      stack_(new QStackedWidget(this)),
      table_(new CGridDirections(this)),
      shortcuts_(new CGridDirShortcuts(this)),
      shortcutsAction_(new QAction("Shortcuts (quick view)", this)),
      tableAction_(new QAction("Table (detailed view)", this)) {
  setObjectName("CViewDirections");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  stack_->addWidget(table_);
  stack_->addWidget(shortcuts_);
  shortcutsAction_->setCheckable(true);
  tableAction_->setCheckable(true);
  connect(shortcutsAction_, &QAction::triggered, this, [this] { ShowTable(false); });
  connect(tableAction_, &QAction::triggered, this, [this] { ShowTable(true); });
  stack_->setCurrentWidget(kind == DataKind::DirectionsShortcuts ? static_cast<QWidget*>(shortcuts_) : table_);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  table_->RestoreLayout(profile, MailServer());
  connect(table_, &CGridDirections::openRequested, this, &CViewDirections::openRequested);
  connect(shortcuts_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    emit openRequested(ToCp(item->data(CGridDirShortcuts::kNameRole).toString()));
  });
}

CViewDirections::~CViewDirections() {
  gone_->store(true);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  table_->SaveLayout(profile, MailServer());
}

void CViewDirections::ShowTable(bool table) {
  if (table == TableShown()) return;
  stack_->setCurrentWidget(table ? static_cast<QWidget*>(table_) : shortcuts_);
  if (table && !loaded_) emit fullLoadWanted();
}

bool CViewDirections::TableShown() const { return stack_->currentWidget() == table_; }

void CViewDirections::SetEntries(std::vector<model::_VxItemBase> entries) {
  entries_ = std::move(entries);
  loaded_ = true;
  table_->SetEntries(entries_);
  FillShortcutsFromEntries();
}

void CViewDirections::SetShortcuts(std::vector<services::ShortcutEntry> shortcuts) {
  shortcutEntries_ = std::move(shortcuts);
  shortcuts_->SetEntries(shortcutEntries_);
}

void CViewDirections::FillShortcutsFromEntries() {
  std::vector<services::ShortcutEntry> shortcuts;
  shortcuts.reserve(entries_.size());
  for (const model::_VxItemBase& entry : entries_)
    shortcuts.push_back({entry.mailboxName, entry.kindOnServer == 1, entry.active != 0});
  SetShortcuts(std::move(shortcuts));
}

void CViewDirections::RemoveEntry(const std::string& mailboxName) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const model::_VxItemBase& e) { return e.mailboxName == mailboxName; }),
                 entries_.end());
  shortcutEntries_.erase(std::remove_if(shortcutEntries_.begin(), shortcutEntries_.end(),
                                        [&](const services::ShortcutEntry& e) { return e.name == mailboxName; }),
                         shortcutEntries_.end());
  table_->SetEntries(entries_);
  shortcuts_->SetEntries(shortcutEntries_);
}

void CViewDirections::UpdateEntry(const model::_VxItemBase& entry) {
  const auto same = [&](const std::string& name) { return name == entry.mailboxName; };
  if (loaded_) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const model::_VxItemBase& e) { return same(e.mailboxName); });
    if (it != entries_.end())
      *it = entry;
    else
      entries_.push_back(entry);
    table_->SetEntries(entries_);
    FillShortcutsFromEntries();
    return;
  }
  const services::ShortcutEntry shortcut{entry.mailboxName, entry.kindOnServer == 1, entry.active != 0};
  auto it = std::find_if(shortcutEntries_.begin(), shortcutEntries_.end(),
                         [&](const services::ShortcutEntry& e) { return same(e.name); });
  if (it != shortcutEntries_.end())
    *it = shortcut;
  else
    shortcutEntries_.push_back(shortcut);
  shortcuts_->SetEntries(shortcutEntries_);
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

void CViewDirections::contextMenuEvent(QContextMenuEvent* event) {
  shortcutsAction_->setChecked(!TableShown());
  tableAction_->setChecked(TableShown());
  QMenu menu(this);
  menu.addAction(shortcutsAction_);
  menu.addAction(tableAction_);
  menu.addSeparator();
  menu.addAction(QString::fromUtf8("Новое направление..."), this, [this] { emit newEntryRequested(false); });
  menu.addAction(QString::fromUtf8("Новый абонент..."), this, [this] { emit newEntryRequested(true); });
  menu.exec(event->globalPos());
}

}  // namespace ui
