#include "ui/favorites/CGridFvItems.h"

#include <QHeaderView>
#include <QLinearGradient>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <limits>
#include <set>

#include "services/FavoriteMemberRows.h"
#include "ui/icons/Icons.h"
#include "ui/main/GridLayoutKey.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

namespace col = services::member_column;

const QColor kBarGreen(0, 164, 0);
const QColor kBarYellow(224, 224, 0);
const QColor kBarRed(255, 64, 64);

// Sorts by the sort key where a cell has one, else by its text.
class MemberCell : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(CGridFvItems::kSortRole);
    const QVariant theirs = other.data(CGridFvItems::kSortRole);
    if (mine.isValid() && theirs.isValid()) return mine.toLongLong() < theirs.toLongLong();
    return QTableWidgetItem::operator<(other);
  }
};

}  // namespace

void ThresholdBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const QVariant critical = index.data(kCriticalRole);
  if (!critical.isValid()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const services::CounterLimits counter{index.data(kValueRole).toUInt(), index.data(kDangerousRole).toUInt(),
                                        critical.toUInt()};
  const std::optional<services::ThresholdBar> bar = services::BarFor(counter, option.rect.width());
  if (!bar) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // The background and the selection as usual, without the text.
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  plain.text.clear();
  QStyle* style = plain.widget ? plain.widget->style() : nullptr;
  if (style) style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

  const QRect cell = option.rect.adjusted(0, 1, 0, -1);
  const qreal w = cell.width();
  QLinearGradient gradient(cell.left(), 0, cell.left() + w, 0);
  const qreal mark = w > 0 ? static_cast<qreal>(bar->dangerMark) / w : 0;
  gradient.setColorAt(0, kBarGreen);
  gradient.setColorAt(std::clamp(mark, 0.0, 1.0), kBarYellow);
  gradient.setColorAt(1, kBarRed);
  painter->save();
  painter->fillRect(QRect(cell.left(), cell.top(), bar->width, cell.height()), gradient);
  if (bar->withText) {
    painter->setPen(Qt::black);
    painter->drawText(cell, Qt::AlignCenter, QStringLiteral("%1 %").arg(bar->percent));
  }
  painter->restore();
}

CGridFvItems::CGridFvItems(QWidget* parent) : QTableWidget(parent) {
  setObjectName("CGridFvItems");
  QStringList titles;
  for (const std::string& title : services::MemberColumnTitles()) titles << FromCp(title);
  setColumnCount(titles.size());
  setHorizontalHeaderLabels(titles);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAlternatingRowColors(true);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setDefaultSectionSize(100);
  const std::pair<int, int> widths[] = {
      {col::kImage, 26},           {col::kType, 95},        {col::kName, 110},         {col::kPriority, 75},
      {col::kLinkParameters, 170}, {col::kBlocked, 105},    {col::kCallOnArrival, 135}, {col::kLastLinkTime, 150}, {col::kLastLinkInterval, 170},
      {col::kComment, 150},        {col::kNode, 80},        {col::kLinkState, 170},    {col::kErrors, 420},
  };
  for (const auto& [column, width] : widths) setColumnWidth(column, width);
  for (int column = col::kAbsoluteFiles; column <= col::kTotalFiles; ++column) setColumnWidth(column, 150);
  for (int column = col::kAbsoluteOldestTime; column <= col::kReportOldestInterval; ++column)
    setColumnWidth(column, (column - col::kAbsoluteOldestTime) % 2 == 0 ? 150 : 170);
  // The titles are long: each is broken into as many lines as its column
  // needs (three at most), again whenever the column is resized.
  horizontalHeader()->setFixedHeight(3 * horizontalHeader()->fontMetrics().height() + 10);
  for (int column = 0; column < columnCount(); ++column) WrapTitle(column);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) { WrapTitle(column); });
  setItemDelegate(new ThresholdBarDelegate(this));
  setSortingEnabled(true);
  sortByColumn(col::kName, Qt::AscendingOrder);
}

void CGridFvItems::WrapTitle(int column) {
  QTableWidgetItem* header = horizontalHeaderItem(column);
  if (header == nullptr) return;
  const QString title = FromCp(services::MemberColumnTitles()[static_cast<size_t>(column)]);
  const QFontMetrics metrics(horizontalHeader()->font());
  // The style's margins and the sort arrow take their share of the width.
  const int width = std::max(columnWidth(column) - 20, 10);
  QStringList lines;
  for (const QString& word : title.split(' ')) {
    if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + ' ' + word) <= width)
      lines.back() += ' ' + word;
    else
      lines << word;
  }
  while (lines.size() > 3) {
    const QString last = lines.takeLast();
    lines.back() += ' ' + last;
  }
  header->setText(lines.join('\n'));
  header->setToolTip(title);
}

void CGridFvItems::Show(const services::FavoriteGroupView& group, int64_t localNow) {
  std::set<std::pair<std::string, std::string>> selected;
  for (const auto& member : SelectedMembers()) selected.insert(member);
  const bool sorting = isSortingEnabled();
  setSortingEnabled(false);
  clearContents();
  setRowCount(static_cast<int>(group.members.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const services::FavoriteMember& member = group.members[static_cast<size_t>(row)];
    const std::vector<std::string> texts = member.resolved
                                               ? services::MemberRowTexts(member.item, localNow)
                                               : services::UnresolvedMemberRowTexts(member.serverName, member.itemName);
    for (int column = 0; column < columnCount(); ++column) {
      auto* cell = new MemberCell(FromCp(texts[static_cast<size_t>(column)]));
      if (column == col::kErrors && !member.item.alertText.empty()) cell->setForeground(QColor(200, 0, 0));
      if (member.resolved) {
        if (const auto counter = services::CounterOfColumn(column, member.item, group.settings)) {
          cell->setData(ThresholdBarDelegate::kValueRole, counter->value);
          cell->setData(ThresholdBarDelegate::kDangerousRole, counter->dangerous);
          cell->setData(ThresholdBarDelegate::kCriticalRole, counter->critical);
          cell->setData(kSortRole, static_cast<qlonglong>(counter->value));
          cell->setToolTip(cell->text().trimmed());
        }
        if (const auto stamp = services::IntervalStampOfColumn(column, member.item)) {
          // By the interval: the later the stamp, the shorter; none sorts last.
          cell->setData(kSortRole, *stamp == 0 ? std::numeric_limits<qlonglong>::max() : -static_cast<qlonglong>(*stamp));
        }
      }
      if (column == col::kImage) {
        cell->setIcon(EntryIcon(member.resolved && member.item.kindOnServer == 1));
        cell->setData(kServerRole, FromCp(member.serverName));
        cell->setData(kItemRole, FromCp(member.itemName));
      }
      setItem(row, column, cell);
    }
  }
  setSortingEnabled(sorting);
  for (int row = 0; row < rowCount(); ++row) {
    const QTableWidgetItem* first = item(row, col::kImage);
    if (selected.count({ToCp(first->data(kServerRole).toString()), ToCp(first->data(kItemRole).toString())}))
      selectRow(row);
  }
}

std::vector<std::pair<std::string, std::string>> CGridFvItems::SelectedMembers() const {
  std::vector<std::pair<std::string, std::string>> members;
  std::set<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.insert(index.row());
  for (int row : rows) {
    const QTableWidgetItem* first = item(row, col::kImage);
    if (first == nullptr) continue;
    members.emplace_back(ToCp(first->data(kServerRole).toString()), ToCp(first->data(kItemRole).toString()));
  }
  return members;
}

QString CGridFvItems::LayoutKey(const std::string& groupName) { return GridLayoutKey("__FVGROUP_", groupName); }

void CGridFvItems::RestoreLayout(QSettings& profile, const std::string& groupName) {
  const QByteArray state = profile.value(LayoutKey(groupName)).toByteArray();
  if (!state.isEmpty()) horizontalHeader()->restoreState(state);
}

void CGridFvItems::SaveLayout(QSettings& profile, const std::string& groupName) const {
  profile.setValue(LayoutKey(groupName), horizontalHeader()->saveState());
}

}  // namespace ui
