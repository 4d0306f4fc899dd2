#include "ui/monitor/CCnGridDisks.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QSettings>
#include <QStyle>

#include <algorithm>

#include "services/MonitorRows.h"
#include "ui/icons/Icons.h"
#include "ui/main/GridLayoutKey.h"
#include "ui/main/HeadingWidth.h"
#include "ui/monitor/FirstAlarmRow.h"
#include "ui/text/QtText.h"

namespace ui {

namespace col = services::disk_column;

QColor AlarmRowColor() { return QColor(255, 205, 205); }

void NoFocusFrameDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->state &= ~QStyle::State_HasFocus;
}

void DiskUsageDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant share = index.data(kUsedShareRole);
  if (!share.isValid()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  plain.state &= ~QStyle::State_HasFocus;
  const QString name = plain.text;
  plain.text.clear();
  QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

  painter->save();
  const QRect cell = option.rect.adjusted(4, 2, -4, -2);
  const int nameWidth = std::min(option.fontMetrics.horizontalAdvance(name) + 8, cell.width() / 3);
  painter->setPen(option.palette.color(QPalette::Text));
  painter->drawText(QRect(cell.left(), cell.top(), nameWidth, cell.height()), Qt::AlignVCenter | Qt::AlignLeft, name);
  const QRect bar(cell.left() + nameWidth, cell.top(), cell.width() - nameWidth, cell.height());
  painter->fillRect(bar, QColor(235, 245, 235));
  const double used = std::clamp(share.toDouble(), 0.0, 1.0);
  const QColor fill = index.data(kAlarmRole).toBool() ? QColor(230, 80, 80) : QColor(90, 140, 230);
  painter->fillRect(QRect(bar.left(), bar.top(), static_cast<int>(bar.width() * used), bar.height()), fill);
  painter->setPen(QColor(120, 120, 120));
  painter->drawRect(bar.adjusted(0, 0, -1, -1));
  painter->setPen(Qt::black);
  const QRect texts = bar.adjusted(4, 0, -4, 0);
  const QString usedText = index.data(kUsedTextRole).toString();
  const QString freeText = index.data(kFreeTextRole).toString();
  painter->drawText(texts, Qt::AlignVCenter | Qt::AlignLeft, usedText);
  // A bar too narrow for both texts keeps the used one; the tip has both.
  if (option.fontMetrics.horizontalAdvance(usedText + freeText) + kTextGap <= texts.width())
    painter->drawText(texts, Qt::AlignVCenter | Qt::AlignRight, freeText);
  painter->restore();
}

QSize DiskUsageDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = NoFocusFrameDelegate::sizeHint(option, index);
  if (!index.data(kUsedShareRole).isValid()) return size;
  const QFontMetrics& metrics = option.fontMetrics;
  const int texts = metrics.horizontalAdvance(index.data(kUsedTextRole).toString() + index.data(kFreeTextRole).toString());
  // cell margins, the name and its gap, the bar's inner margins, the gap between the texts
  size.setWidth(8 + metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 8 + 8 + texts + kTextGap);
  return size;
}

CCnGridDisks::CCnGridDisks(QWidget* parent) : QTableWidget(parent) {
  setObjectName("CCnGridDisks");
  QStringList titles;
  for (const std::string& title : services::DiskColumnTitles()) titles << FromCp(title);
  setColumnCount(titles.size());
  setHorizontalHeaderLabels(titles);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
  horizontalHeader()->setSectionsMovable(true);
  // All seven columns fit a window of the usual size without scrolling.
  const int widths[] = {60, 340, 90, 90, 90, 90, 90};
  for (int column = 0; column < col::kCount; ++column) SetColumnWidthAtLeastHeading(*horizontalHeader(), column, widths[column]);
  setItemDelegate(new NoFocusFrameDelegate(this));
  setItemDelegateForColumn(col::kName, new DiskUsageDelegate(this));
}

void CCnGridDisks::Show(const std::vector<core::CSI_disk>& disks) {
  setRowCount(static_cast<int>(disks.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const core::CSI_disk& disk = disks[static_cast<size_t>(row)];
    const std::vector<std::string> texts = services::DiskRowTexts(disk);
    const services::DiskUsage usage = services::UsageOf(disk);
    for (int column = 0; column < col::kCount; ++column) {
      auto* cell = new QTableWidgetItem(FromCp(texts[static_cast<size_t>(column)]));
      if (column >= col::kFreeMb) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (disk.alarm) cell->setBackground(AlarmRowColor());
      if (column == col::kIcon) {
        cell->setIcon(disk.alarm ? AlertIcon() : QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon));
        cell->setData(DiskUsageDelegate::kAlarmRole, disk.alarm);
      }
      if (column == col::kName) {
        cell->setData(DiskUsageDelegate::kUsedShareRole, usage.usedShare);
        cell->setData(DiskUsageDelegate::kAlarmRole, disk.alarm);
        if (usage.freeAboveTotal) {
          cell->setData(DiskUsageDelegate::kUsedTextRole, FromCp(services::FreeAboveTotalText()));
        } else {
          cell->setData(DiskUsageDelegate::kUsedTextRole, FromCp(services::UsedText(usage)));
          cell->setData(DiskUsageDelegate::kFreeTextRole, FromCp(services::FreeText(usage)));
        }
        cell->setToolTip(cell->data(DiskUsageDelegate::kUsedTextRole).toString() + '\n' +
                         cell->data(DiskUsageDelegate::kFreeTextRole).toString());
      }
      setItem(row, column, cell);
    }
  }
  // The bar column grows until the texts of every bar fit; it never
  // narrows a width the administrator chose.
  if (rowCount() > 0 && sizeHintForColumn(col::kName) > columnWidth(col::kName))
    setColumnWidth(col::kName, sizeHintForColumn(col::kName));
  MakeFirstAlarmRowCurrent(*this, col::kIcon, [this](int row) { return RowAlarm(row); });
}

bool CCnGridDisks::RowAlarm(int row) const {
  const QTableWidgetItem* first = item(row, col::kIcon);
  return first != nullptr && first->data(DiskUsageDelegate::kAlarmRole).toBool();
}

QString CCnGridDisks::LayoutKey(const std::string& mailServer, const std::string& computer) {
  return GridLayoutKey("__DISCS_", mailServer + "_" + computer);
}

void CCnGridDisks::RestoreLayout(QSettings& profile, const std::string& mailServer, const std::string& computer) {
  const QByteArray state = profile.value(LayoutKey(mailServer, computer)).toByteArray();
  if (!state.isEmpty()) horizontalHeader()->restoreState(state);
}

void CCnGridDisks::SaveLayout(QSettings& profile, const std::string& mailServer, const std::string& computer) const {
  profile.setValue(LayoutKey(mailServer, computer), horizontalHeader()->saveState());
}

}  // namespace ui
