#include "ui/favorites/CGridFavorites.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <optional>
#include <set>

#include "model/item/VxGroup.h"
#include "ports/DialogPort.h"
#include "ui/favorites/AlarmFileRequests.h"
#include "ui/text/QtText.h"

namespace ui {

// Offers an editor only on editable cells and hands the typed text to the
// grid's checks instead of writing it into the model directly.
class FavoritesDelegate : public QStyledItemDelegate {
 public:
  explicit FavoritesDelegate(CGridFavorites* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!grid_->IsEditableCell(grid_->itemFromIndex(index), index.column())) return nullptr;
    return QStyledItemDelegate::createEditor(parent, option, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
      grid_->CommitEdit(grid_->itemFromIndex(index), index.column(), line->text());
  }

 private:
  CGridFavorites* grid_;
};

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kDangerousLabel = "Опасное количество";
const char* const kCriticalLabel = "Критическое количество";
const char* const kPriorityLabels[core::GroupRecord::kPriorityCount] = {
    "Абсолютный приоритет", "Высокий приоритет", "Нормальный приоритет", "Низкий приоритет", "Отчеты"};

const QColor kAlarmBackground(255, 64, 64);
const QColor kAlarmText(255, 255, 255);
const QColor kAlarmTint(255, 224, 224);

QTreeWidgetItem* AddRow(QTreeWidgetItem* parent, const QString& label, const QString& value, const QString& comment) {
  auto* row = new QTreeWidgetItem(parent, QStringList{label, value, comment});
  return row;
}

QString Number(uint32_t value) { return QString::number(value); }

// All decimal digits, empty = 0, within 32 bits.
std::optional<uint32_t> ParseNumber(const QString& text) {
  uint64_t value = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c.unicode() - '0');
    if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

uint32_t CellNumber(const QTreeWidgetItem* row) {
  return row != nullptr ? ParseNumber(row->text(CGridFavorites::kValueColumn)).value_or(0) : 0;
}

std::string CellText(const QTreeWidgetItem* row, int column) {
  return row != nullptr ? ToCp(row->text(column)) : std::string();
}

}  // namespace

CGridFavorites::CGridFavorites(ports::DialogPort* dialogs, QWidget* parent) : QTreeWidget(parent), dialogs_(dialogs) {
  setColumnCount(3);
  setHeaderLabels({U("Группа / параметр"), U("Значение"), U("Комментарий")});
  setColumnWidth(kNameColumn, 200);
  // A narrow step, so that the third level's labels fit the 200 pixels.
  setIndentation(12);
  setColumnWidth(kValueColumn, 70);
  setColumnWidth(kCommentColumn, 170);
  header()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  // Double click is taken by the member view and the file chooser.
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::SelectedClicked);
  // A double click on a group row opens its members instead of folding it.
  setExpandsOnDoubleClick(false);
  setItemDelegate(new FavoritesDelegate(this));
  connect(this, &QTreeWidget::itemDoubleClicked, this, &CGridFavorites::OnDoubleClicked);
}

QTreeWidgetItem* CGridFavorites::AddGroupItem(const core::GroupRecord& group) {
  auto* top = new QTreeWidgetItem(this, QStringList{FromCp(group.name), QString(), FromCp(group.comment)});
  top->setFlags(top->flags() | Qt::ItemIsEditable);
  AddRow(top, U("Период сканирования"), Number(group.scanPeriod), U("Период сканирования в секундах"));
  AddRow(top, U("Max интервал простоя АПФ"), Number(group.agentIdleLimit),
         U("Критическое время простоя АПФ в секундах"));
  AddRow(top, U("Звуковой файл"), FromCp(group.soundFile),
         U("Звуковой файл для проигрывания при возникновении критических ситуаций"));
  AddRow(top, U("Приложение"), FromCp(group.application),
         U("Путь к приложению для запуска при возникновении критических ситуаций"));
  QTreeWidgetItem* total = AddRow(top, U("Общее количество файлов"), QString(), QString());
  AddRow(total, U(kDangerousLabel), Number(group.totalDangerous), QString());
  AddRow(total, U(kCriticalLabel), Number(group.totalCritical), QString());
  for (size_t p = 0; p < core::GroupRecord::kPriorityCount; ++p) {
    QTreeWidgetItem* priority = AddRow(top, U(kPriorityLabels[p]), QString(), QString());
    AddRow(priority, U(kDangerousLabel), Number(group.dangerous[p]), QString());
    AddRow(priority, U(kCriticalLabel), Number(group.critical[p]), QString());
    AddRow(priority, U("MAX интервал простоя"), Number(group.idleLimit[p]),
           U("MAX интервал простоя в очереди в секундах"));
  }
  for (int i = 0; i < top->childCount(); ++i) {
    QTreeWidgetItem* row = top->child(i);
    if (IsLeaf(row)) row->setFlags(row->flags() | Qt::ItemIsEditable);
    for (int j = 0; j < row->childCount(); ++j) row->child(j)->setFlags(row->child(j)->flags() | Qt::ItemIsEditable);
  }
  return top;
}

void CGridFavorites::SetGroups(const std::vector<core::GroupRecord>& groups) {
  std::set<QString> expanded;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    if (topLevelItem(i)->isExpanded()) expanded.insert(topLevelItem(i)->text(kNameColumn));
  }
  // The current row as its group's name and the row positions below it.
  QString currentName;
  std::vector<int> currentPath;
  const int currentCol = currentColumn();
  if (QTreeWidgetItem* at = currentItem()) {
    while (at->parent() != nullptr) {
      currentPath.insert(currentPath.begin(), at->parent()->indexOfChild(at));
      at = at->parent();
    }
    currentName = at->text(kNameColumn);
  }

  pending_ = nullptr;
  clear();
  QTreeWidgetItem* restored = nullptr;
  for (const auto& group : groups) {
    QTreeWidgetItem* top = AddGroupItem(group);
    const QString name = top->text(kNameColumn);
    if (expanded.count(name) != 0) top->setExpanded(true);
    if (restored == nullptr && !currentName.isNull() && name == currentName) {
      restored = top;
      for (const int position : currentPath) {
        if (position >= restored->childCount()) break;
        restored = restored->child(position);
      }
    }
  }
  if (restored != nullptr) setCurrentItem(restored, currentCol < 0 ? 0 : currentCol);
}

int CGridFavorites::GroupCount() const { return topLevelItemCount(); }

QTreeWidgetItem* CGridFavorites::GroupItem(int index) const {
  return index >= 0 && index < topLevelItemCount() ? topLevelItem(index) : nullptr;
}

QTreeWidgetItem* CGridFavorites::RowItem(int index, int row, int counter) const {
  QTreeWidgetItem* top = GroupItem(index);
  if (top == nullptr || row < 0 || row >= top->childCount()) return nullptr;
  QTreeWidgetItem* item = top->child(row);
  if (counter < 0) return item;
  return counter < item->childCount() ? item->child(counter) : nullptr;
}

bool CGridFavorites::IsPending(int index) const { return pending_ != nullptr && GroupItem(index) == pending_; }

core::GroupRecord CGridFavorites::GroupAt(int index) const {
  core::GroupRecord group;
  QTreeWidgetItem* top = GroupItem(index);
  if (top == nullptr) return group;
  group.name = ToCp(top->text(kNameColumn).trimmed());
  group.comment = CellText(top, kCommentColumn);
  group.scanPeriod = CellNumber(RowItem(index, kScanPeriod));
  group.agentIdleLimit = CellNumber(RowItem(index, kAgentIdle));
  group.soundFile = CellText(RowItem(index, kSoundFile), kValueColumn);
  group.application = CellText(RowItem(index, kApplication), kValueColumn);
  group.totalDangerous = CellNumber(RowItem(index, kTotal, kDangerous));
  group.totalCritical = CellNumber(RowItem(index, kTotal, kCritical));
  for (size_t p = 0; p < core::GroupRecord::kPriorityCount; ++p) {
    const int row = kFirstPriority + static_cast<int>(p);
    group.dangerous[p] = CellNumber(RowItem(index, row, kDangerous));
    group.critical[p] = CellNumber(RowItem(index, row, kCritical));
    group.idleLimit[p] = CellNumber(RowItem(index, row, kIdleLimit));
  }
  return group;
}

int CGridFavorites::CurrentGroup() const {
  QTreeWidgetItem* at = currentItem();
  if (at == nullptr) return -1;
  while (at->parent() != nullptr) at = at->parent();
  return indexOfTopLevelItem(at);
}

void CGridFavorites::InsertGroupRow(const core::GroupRecord& defaults) {
  QTreeWidgetItem* top = AddGroupItem(defaults);
  pending_ = top;
  setCurrentItem(top, kNameColumn);
  scrollToItem(top);
  editItem(top, kNameColumn);
}

void CGridFavorites::RemoveGroupRow(int index) {
  QTreeWidgetItem* top = GroupItem(index);
  if (top == nullptr) return;
  if (top == pending_) pending_ = nullptr;
  delete top;
}

void CGridFavorites::EditCurrentGroup() {
  if (QTreeWidgetItem* top = GroupItem(CurrentGroup())) {
    setCurrentItem(top, kNameColumn);
    editItem(top, kNameColumn);
  }
}

void CGridFavorites::PaintAlarm(QTreeWidgetItem* group, bool alarm) {
  QFont font = group->font(kNameColumn);
  font.setBold(alarm);
  for (int c = 0; c < columnCount(); ++c) {
    group->setFont(c, font);
    group->setForeground(c, alarm ? QBrush(kAlarmText) : QBrush());
    group->setBackground(c, alarm ? QBrush(kAlarmBackground) : QBrush());
  }
  for (int row = kTotal; row < group->childCount(); ++row) {
    QTreeWidgetItem* counter = group->child(row);
    for (int c = 0; c < columnCount(); ++c) {
      counter->setBackground(c, alarm ? QBrush(kAlarmTint) : QBrush());
      for (int j = 0; j < counter->childCount(); ++j)
        counter->child(j)->setBackground(c, alarm ? QBrush(kAlarmTint) : QBrush());
    }
  }
}

void CGridFavorites::SetAlarm(int index, bool alarm) {
  QTreeWidgetItem* top = GroupItem(index);
  if (top == nullptr || Alarm(index) == alarm) return;
  top->setData(kNameColumn, Qt::UserRole, alarm);
  PaintAlarm(top, alarm);
}

bool CGridFavorites::Alarm(int index) const {
  QTreeWidgetItem* top = GroupItem(index);
  return top != nullptr && top->data(kNameColumn, Qt::UserRole).toBool();
}

void CGridFavorites::SetStructureEditable(bool on) { structureEditable_ = on; }

bool CGridFavorites::IsLeaf(const QTreeWidgetItem* item) {
  return item != nullptr && item->parent() != nullptr && item->childCount() == 0;
}

bool CGridFavorites::IsPathRow(const QTreeWidgetItem* item) {
  if (item == nullptr || item->parent() == nullptr || item->parent()->parent() != nullptr) return false;
  const int row = item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item));
  return row == kSoundFile || row == kApplication;
}

bool CGridFavorites::IsEditableCell(const QTreeWidgetItem* item, int column) const {
  if (item == nullptr) return false;
  if (item->parent() == nullptr) return column == kNameColumn || column == kCommentColumn;
  return IsLeaf(item) && column == kValueColumn;
}

bool CGridFavorites::CommitEdit(QTreeWidgetItem* item, int column, const QString& text) {
  if (!IsEditableCell(item, column)) return false;
  QTreeWidgetItem* top = item;
  while (top->parent() != nullptr) top = top->parent();
  const int index = indexOfTopLevelItem(top);
  const bool pending = top == pending_;

  QString shown;
  if (item == top && column == kNameColumn) {
    const QString name = text.trimmed();
    const std::string stored = ToCp(name);
    if (stored.empty()) return Refuse(item, column, U("Имя группы не может быть пустым."));
    if (!model::_VxGroup::IsStorableName(stored)) return Refuse(item, column, UnstorableReason());
    shown = FromCp(stored);
    for (int i = 0; i < topLevelItemCount(); ++i) {
      if (i != index && topLevelItem(i)->text(kNameColumn) == shown)
        return Refuse(item, column, U("Группа с именем \"%1\" уже есть.").arg(shown));
    }
  } else if (IsLeaf(item) && !IsPathRow(item)) {
    const auto number = ParseNumber(text);
    if (!number)
      return Refuse(item, column, U("Значение должно быть целым неотрицательным числом не больше %1.")
                                      .arg(std::numeric_limits<uint32_t>::max()));
    // Start-up would raise a shorter period when it reads the group back.
    if (item->parent() == top && top->indexOfChild(item) == kScanPeriod && *number < core::GroupRecord::kMinScanPeriod)
      return Refuse(item, column, U("Период сканирования не может быть меньше %1 сек.")
                                      .arg(core::GroupRecord::kMinScanPeriod));
    shown = Number(*number);
  } else {
    const std::string stored = ToCp(text);
    if (!model::_VxGroup::IsStorableName(stored)) return Refuse(item, column, UnstorableReason());
    shown = FromCp(stored);
  }

  HideRefusal();
  const bool naming = pending && item == top && column == kNameColumn;
  if (shown == item->text(column) && !naming) return true;
  const std::string oldName = pending ? std::string() : ToCp(top->text(kNameColumn).trimmed());
  item->setText(column, shown);
  if (naming) pending_ = nullptr;
  if (pending_ == top) return true;  // values of a group that does not exist yet
  emit groupEdited(index, oldName, GroupAt(index));
  return true;
}

QString CGridFavorites::UnstorableReason() {
  return U("Текст не может содержать кавычки, точку с запятой, переводы строки и нулевой символ.");
}

bool CGridFavorites::Refuse(QTreeWidgetItem* item, int column, const QString& reason) {
  lastRefusal_ = reason;
  ShowRefusal(visualRect(indexFromItem(item, column)), reason);
  emit editRefused(reason);
  return false;
}

void CGridFavorites::ShowRefusal(const QRect& cell, const QString& reason) {
  // A note of the viewport's own rather than QToolTip: a tool tip goes with
  // the release of the Return key that committed the edit.
  if (refusalNote_ == nullptr) {
    refusalNote_ = new QLabel(viewport());
    refusalNote_->setObjectName(QStringLiteral("refusalNote"));
    refusalNote_->setForegroundRole(QPalette::ToolTipText);
    refusalNote_->setBackgroundRole(QPalette::ToolTipBase);
    refusalNote_->setAutoFillBackground(true);
    refusalNote_->setFrameShape(QFrame::Box);
    refusalNote_->setMargin(3);
    refusalNote_->setWordWrap(true);
    refusalTimer_ = new QTimer(this);
    refusalTimer_->setSingleShot(true);
    connect(refusalTimer_, &QTimer::timeout, refusalNote_, &QWidget::hide);
  }
  refusalNote_->setText(reason);
  refusalNote_->setFixedWidth(std::min(refusalNote_->sizeHint().width(), std::max(viewport()->width(), 1)));
  refusalNote_->setFixedHeight(refusalNote_->heightForWidth(refusalNote_->width()));
  // Under the cell, or above it at the bottom of the view; within the view's width.
  QPoint at(std::max(0, std::min(cell.left(), viewport()->width() - refusalNote_->width())), cell.bottom() + 1);
  if (at.y() + refusalNote_->height() > viewport()->height()) at.setY(std::max(0, cell.top() - refusalNote_->height()));
  refusalNote_->move(at);
  refusalNote_->show();
  refusalNote_->raise();
  refusalTimer_->start(kRefusalShownMs);
}

void CGridFavorites::HideRefusal() {
  lastRefusal_.clear();
  if (refusalNote_ != nullptr) refusalNote_->hide();
}

bool CGridFavorites::ChooseFile(QTreeWidgetItem* item) {
  if (dialogs_ == nullptr || !IsPathRow(item)) return false;
  const std::string current = ToCp(item->text(kValueColumn));
  const bool sound = item->parent()->indexOfChild(item) == kSoundFile;
  const auto chosen = dialogs_->OpenFile(sound ? SoundFileRequest(current) : ApplicationFileRequest(current));
  if (!chosen) return false;
  return CommitEdit(item, kValueColumn, FromCp(*chosen));
}

void CGridFavorites::OnDoubleClicked(QTreeWidgetItem* item, int) {
  if (item == nullptr) return;
  if (item->parent() == nullptr) {
    emit openMembersRequested(indexOfTopLevelItem(item));
  } else if (IsPathRow(item)) {
    ChooseFile(item);
  } else if (IsLeaf(item)) {
    editItem(item, kValueColumn);
  }
}

void CGridFavorites::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Insert:
      if (structureEditable_) emit insertRequested();
      event->accept();
      return;
    case Qt::Key_Delete:
      if (structureEditable_ && CurrentGroup() >= 0) emit deleteRequested(CurrentGroup());
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (state() != EditingState && currentItem() != nullptr && currentItem()->parent() == nullptr) {
        emit openMembersRequested(CurrentGroup());
        event->accept();
        return;
      }
      break;
    default:
      break;
  }
  QTreeWidget::keyPressEvent(event);
}

bool CGridFavorites::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // Whatever cell of a row was hit, its editable cell is edited: the value of
  // a leaf row, the name (or the comment) of a group row.
  QModelIndex target = index;
  if (const QTreeWidgetItem* item = index.isValid() ? itemFromIndex(index) : nullptr) {
    if (item->parent() == nullptr) {
      if (index.column() == kValueColumn) target = index.siblingAtColumn(kNameColumn);
    } else if (IsLeaf(item)) {
      target = index.siblingAtColumn(kValueColumn);
    }
  }
  return QTreeWidget::edit(target, trigger, event);
}

void CGridFavorites::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTreeWidget::closeEditor(editor, hint);
  // A new row whose name was not accepted never became a group.
  if (pending_ != nullptr) RemoveGroupRow(indexOfTopLevelItem(pending_));
}

}  // namespace ui
