#include "ui/main/CMainGridCtrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSet>

#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

// Rows are found again across refreshes by their names.
QString KeyOf(const services::NavRow& row) {
  return FromCp(row.mailServer) + QChar(1) + FromCp(row.computer) + QChar(1) + FromCp(row.task) + QChar(1) +
         QString::number(row.level);
}

QIcon IconOf(services::TaskIconKind kind) {
  using K = services::TaskIconKind;
  switch (kind) {
    case K::Router: return TaskIcon("ROUTER");
    case K::Queue: return TaskIcon("MQUEUE");
    case K::MailServer: return TaskIcon("MSERVER");
    case K::TcpTransport: return TaskIcon("TCPVELT");
    case K::Zmodem: return TaskIcon("ZMODEM");
    case K::Computer: return ComputerIcon();
    case K::Server: return ServerIcon();
    case K::NoTask:
    case K::Generic: break;
  }
  return TaskIcon("");
}

constexpr int kRowRole = Qt::UserRole + 1;

}  // namespace

CMainGridCtrl::CMainGridCtrl(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(2);
  setHeaderLabels({QString::fromUtf8("Узел/Компьютер/Задача"), QString::fromUtf8("Состояние")});
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header()->setStretchLastSection(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setRootIsDecorated(true);
  connect(this, &QTreeWidget::itemClicked, this, &CMainGridCtrl::OnItemClicked);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (const services::NavRow* row = RowOf(current)) emit rowSelected(*row);
  });
}

const services::NavRow* CMainGridCtrl::RowOf(const QTreeWidgetItem* item) const {
  if (item == nullptr) return nullptr;
  const int index = item->data(0, kRowRole).toInt();
  return index >= 0 && index < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(index)] : nullptr;
}

void CMainGridCtrl::SetRows(const std::vector<services::NavRow>& rows) {
  const QTreeWidgetItem* current = currentItem();
  const QString selectedKey = current ? current->data(0, Qt::UserRole).toString() : QString();
  QSet<QString> collapsed;
  for (QTreeWidgetItemIterator it(this); *it; ++it)
    if ((*it)->childCount() > 0 && !(*it)->isExpanded()) collapsed.insert((*it)->data(0, Qt::UserRole).toString());

  const bool blocked = blockSignals(true);
  clear();
  rows_ = rows;
  QTreeWidgetItem* parents[2] = {nullptr, nullptr};
  QTreeWidgetItem* reselect = nullptr;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const services::NavRow& row = rows_[i];
    QTreeWidgetItem* item = nullptr;
    if (row.level == 0 || parents[row.level - 1] == nullptr)
      item = new QTreeWidgetItem(this);
    else
      item = new QTreeWidgetItem(parents[row.level - 1]);
    if (row.level < 2) parents[row.level] = item;
    if (row.level == 0) parents[1] = nullptr;
    item->setText(0, FromCp(row.label));
    item->setText(1, FromCp(row.stateText));
    item->setIcon(0, IconOf(row.icon));
    item->setData(0, Qt::UserRole, KeyOf(row));
    item->setData(0, kRowRole, static_cast<int>(i));
    if (row.commandable) item->setToolTip(1, QString::fromUtf8("Щёлкните, чтобы выбрать команду"));
    if (item->data(0, Qt::UserRole).toString() == selectedKey) reselect = item;
  }
  for (QTreeWidgetItemIterator it(this); *it; ++it)
    (*it)->setExpanded(!collapsed.contains((*it)->data(0, Qt::UserRole).toString()));
  if (reselect) setCurrentItem(reselect);
  blockSignals(blocked);
}

std::optional<services::NavRow> CMainGridCtrl::SelectedRow() const {
  if (const services::NavRow* row = RowOf(currentItem())) return *row;
  return std::nullopt;
}

bool CMainGridCtrl::SelectRow(const std::string& mailServer, const std::string& computer, const std::string& task) {
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    const services::NavRow* row = RowOf(*it);
    if (row && row->mailServer == mailServer && row->computer == computer && row->task == task &&
        row->level == (computer.empty() ? 0 : task.empty() ? 1 : 2)) {
      setCurrentItem(*it);
      return true;
    }
  }
  return false;
}

QMenu* CMainGridCtrl::CommandMenu(const services::NavRow& row) {
  delete menu_;
  menu_ = new QMenu(this);
  for (const services::TaskCommandWord& word : services::TaskCommandWords()) {
    QAction* action = menu_->addAction(FromCp(word.text));
    const int command = word.command;
    connect(action, &QAction::triggered, this, [this, row, command] { emit commandRequested(row, command); });
  }
  return menu_;
}

void CMainGridCtrl::DropDownSelected() {
  QTreeWidgetItem* item = currentItem();
  const services::NavRow* row = RowOf(item);
  if (row == nullptr || !row->commandable) return;
  const services::NavRow copy = *row;
  QMenu* menu = CommandMenu(copy);
  const QRect cell = visualItemRect(item);
  const int x = header()->sectionViewportPosition(1);
  menu->popup(viewport()->mapToGlobal(QPoint(x, cell.bottom())));
}

void CMainGridCtrl::OnItemClicked(QTreeWidgetItem* item, int column) {
  if (column != 1) return;
  setCurrentItem(item);
  DropDownSelected();
}

void CMainGridCtrl::keyPressEvent(QKeyEvent* event) {
  const bool dropDown = event->key() == Qt::Key_F4 ||
                        (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
  if (dropDown) {
    DropDownSelected();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

QMenu* CMainGridCtrl::EntryMenu(const std::string& mailServer) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(QString::fromUtf8("Новое направление..."), this,
                  [this, mailServer] { emit newEntryRequested(mailServer, false); });
  menu->addAction(QString::fromUtf8("Новый абонент..."), this,
                  [this, mailServer] { emit newEntryRequested(mailServer, true); });
  return menu;
}

void CMainGridCtrl::contextMenuEvent(QContextMenuEvent* event) {
  const services::NavRow* row = RowOf(itemAt(event->pos()));
  if (row == nullptr || row->level != 0) return;
  EntryMenu(row->mailServer)->popup(event->globalPos());
}

}  // namespace ui
