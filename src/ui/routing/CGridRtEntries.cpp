#include "ui/routing/CGridRtEntries.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>
#include <set>

#include "model/item/OrAddress.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/icons/Icons.h"
#include "ui/main/HeadingWidth.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

// The level cell: a drop-down of the six names.
class LevelDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* box = new QComboBox(parent);
    for (int level = 0; level < model::kLevelCount; ++level) box->addItem(FromCp(model::LevelName(level)));
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* box = static_cast<QComboBox*>(editor);
    const int found = box->findText(index.data(Qt::EditRole).toString());
    box->setCurrentIndex(found < 0 ? CGridRtEntries::kNewRowLevel : found);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
  }
};

QTableWidgetItem* ReadOnlyItem() {
  auto* item = new QTableWidgetItem;
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

CGridRtEntries::CGridRtEntries(QWidget* parent) : QTableWidget(0, kColumnCount, parent) {
  setObjectName("CGridRtEntries");
  setHorizontalHeaderLabels({QString::fromUtf8("Изображение"), QString::fromUtf8("Адрес"),
                             QString::fromUtf8("Уровень маршрутизации"), QString::fromUtf8("Комментарий")});
  horizontalHeader()->setSectionResizeMode(kAddress, QHeaderView::Stretch);
  horizontalHeader()->setStretchLastSection(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setItemDelegateForColumn(kLevel, new LevelDelegate(this));
  for (int column : {kImage, kLevel, kComment}) SetColumnWidthAtLeastHeading(*horizontalHeader(), column, 0);
  connect(this, &QTableWidget::itemChanged, this, &CGridRtEntries::addressesChanged);
}

void CGridRtEntries::AddRow(const std::string& address, const std::string& levelName) {
  const QSignalBlocker block(this);
  const int row = rowCount();
  insertRow(row);
  QTableWidgetItem* image = ReadOnlyItem();
  image->setIcon(EntryIcon(abonent_));
  setItem(row, kImage, image);
  setItem(row, kAddress, new QTableWidgetItem(FromCp(address)));
  setItem(row, kLevel, new QTableWidgetItem(FromCp(levelName)));
  setItem(row, kComment, ReadOnlyItem());
}

void CGridRtEntries::SetAddresses(const model::RoutingLists& addresses) {
  setRowCount(0);
  for (int level = 0; level < model::kLevelCount; ++level)
    for (const std::string& address : addresses[static_cast<size_t>(level)])
      AddRow(address, std::string(model::LevelName(level)));
}

model::RoutingLists CGridRtEntries::Addresses() const {
  model::RoutingLists lists;
  for (int row = 0; row < rowCount(); ++row) {
    const QTableWidgetItem* addressItem = item(row, kAddress);
    const QTableWidgetItem* levelItem = item(row, kLevel);
    if (addressItem == nullptr || levelItem == nullptr) continue;
    const std::string address = text::ToUpperAscii(text::Trim(ToCp(addressItem->text())));
    const int level = model::LevelFromName(ToCp(levelItem->text()));
    if (address.empty() || level < 0) continue;
    lists[static_cast<size_t>(level)].push_back(address);
  }
  return lists;
}

std::vector<int> CGridRtEntries::SelectedRows() const {
  std::set<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  return {rows.begin(), rows.end()};
}

void CGridRtEntries::InsertRowAndEdit() {
  TakePendingInput();
  AddRow("", std::string(model::LevelName(kNewRowLevel)));
  clearSelection();
  EditRow(rowCount() - 1);
  emit addressesChanged();
}

void CGridRtEntries::EditRow(int row) {
  setCurrentCell(row, kAddress);
  editItem(item(row, kAddress));
}

bool CGridRtEntries::DeleteSelected(ports::DialogPort* dialogs) {
  TakePendingInput();
  std::vector<int> rows = SelectedRows();
  if (rows.empty()) return false;
  if (dialogs != nullptr &&
      dialogs->Message(text::Cp("Удалить выделенные адреса направления?"), text::Cp("Вопрос"), ports::MsgIcon::Question,
                       ports::MsgButtons::YesNo) != ports::MsgAnswer::Yes)
    return false;
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) removeRow(row);
  emit addressesChanged();
  return true;
}

void CGridRtEntries::SetAbonentEntry(bool abonent) {
  abonent_ = abonent;
  for (int row = 0; row < rowCount(); ++row)
    if (QTableWidgetItem* image = item(row, kImage)) image->setIcon(EntryIcon(abonent));
}

void CGridRtEntries::TakePendingInput() {
  const QModelIndex current = currentIndex();
  QWidget* editor = current.isValid() ? indexWidget(current) : nullptr;
  if (editor == nullptr) return;
  QAbstractItemDelegate* delegate = itemDelegateForIndex(current);
  emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace ui
