#include "ui/directions/CGridDirections.h"

#include <QHeaderView>
#include <QSettings>

#include "services/DirectionRows.h"
#include "ui/icons/Icons.h"
#include "ui/main/FieldsChooser.h"
#include "ui/main/GridLayoutKey.h"
#include "ui/main/HeadingWidth.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

namespace col = services::direction_column;

constexpr int kPreviewRole = Qt::UserRole + 2;  // on a preview line

}  // namespace

CGridDirections::CGridDirections(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("CGridDirections");
  QStringList titles;
  for (const std::string& title : services::DirectionColumnTitles()) titles << FromCp(title);
  setColumnCount(titles.size());
  setHeaderLabels(titles);
  setRootIsDecorated(false);
  setUniformRowHeights(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
  header()->setSectionsMovable(true);
  header()->setDefaultSectionSize(110);
  const std::pair<int, int> widths[] = {{col::kImage, 28},          {col::kType, 100}, {col::kName, 140},
                                        {col::kPriority, 75},       {col::kLinkParameters, 220},
                                        {col::kCallOnArrival, 135}, {col::kComment, 200}};
  for (int column = 0; column < columnCount(); ++column) SetColumnWidthAtLeastHeading(*header(), column, 110);
  for (const auto& [column, width] : widths) SetColumnWidthAtLeastHeading(*header(), column, width);
  setSortingEnabled(true);
  sortByColumn(col::kName, Qt::AscendingOrder);
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item->parent()) item = item->parent();
    emit openRequested(ToCp(item->data(col::kName, kNameRole).toString()));
  });
}

void CGridDirections::SetEntries(const std::vector<model::_VxItemBase>& entries) {
  const bool sorting = isSortingEnabled();
  setUpdatesEnabled(false);
  setSortingEnabled(false);
  clear();
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(entries.size()));
  for (const model::_VxItemBase& entry : entries) {
    const std::vector<std::string> texts = services::DirectionRowTexts(entry);
    auto* row = new QTreeWidgetItem;
    for (int column = 0; column < col::kCount; ++column) row->setText(column, FromCp(texts[static_cast<size_t>(column)]));
    row->setIcon(col::kImage, EntryIcon(entry.kindOnServer == 1));
    // A local-folder entry shows a folder by its link text.
    if (entry.viaLocalFolder) row->setIcon(col::kLinkParameters, style()->standardIcon(QStyle::SP_DirIcon));
    row->setData(col::kName, kNameRole, FromCp(entry.mailboxName));
    FillPreview(row, entry);
    rows.append(row);
  }
  addTopLevelItems(rows);
  // Spanning takes effect only once the rows are in the tree.
  for (QTreeWidgetItem* row : rows)
    if (row->childCount() > 0) row->child(0)->setFirstColumnSpanned(true);
  if (preview_)
    for (QTreeWidgetItem* row : rows) row->setExpanded(true);
  setSortingEnabled(sorting);
  setUpdatesEnabled(true);
}

void CGridDirections::FillPreview(QTreeWidgetItem* row, const model::_VxItemBase& entry) {
  QStringList lines;
  for (const std::string& line : services::DirectionPreviewLines(entry)) lines << FromCp(line);
  auto* preview = new QTreeWidgetItem(row);
  preview->setText(0, lines.join('\n'));
  preview->setData(0, kPreviewRole, true);
  preview->setForeground(0, QColor(0, 0, 160));
  preview->setFlags(Qt::ItemIsEnabled);
}

void CGridDirections::SetPreview(bool on) {
  preview_ = on;
  for (int i = 0; i < topLevelItemCount(); ++i) topLevelItem(i)->setExpanded(on);
}

void CGridDirections::SetColumnShown(int column, bool shown) { setColumnHidden(column, !shown); }

void CGridDirections::ChooseFields() { ui::ChooseFields(this); }

std::vector<std::string> CGridDirections::SelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = topLevelItem(i);
    if (row->isSelected()) names.push_back(ToCp(row->data(col::kName, kNameRole).toString()));
  }
  return names;
}

QTreeWidgetItem* CGridDirections::RowOf(const std::string& mailboxName) const {
  const QString name = FromCp(mailboxName);
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->data(col::kName, kNameRole).toString() == name) return topLevelItem(i);
  return nullptr;
}

QString CGridDirections::LayoutKey(const std::string& node) { return GridLayoutKey("__DIRECTIONS_", node); }

void CGridDirections::RestoreLayout(QSettings& profile, const std::string& node) {
  const QByteArray state = profile.value(LayoutKey(node)).toByteArray();
  if (!state.isEmpty()) header()->restoreState(state);
}

void CGridDirections::SaveLayout(QSettings& profile, const std::string& node) const {
  profile.setValue(LayoutKey(node), header()->saveState());
}

}  // namespace ui
