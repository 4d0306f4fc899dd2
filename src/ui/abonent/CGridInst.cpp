#include "ui/abonent/CGridInst.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/text/QtText.h"

namespace ui {

namespace {

// The description file has CR LF line ends; the label breaks at LF.
QString DescriptionText(const std::string& cp1251) { return FromCp(cp1251).remove(QLatin1Char('\r')).trimmed(); }

}  // namespace

CGridInst::CGridInst(QWidget* parent) : QWidget(parent), grid_(new QTreeWidget(this)), description_(new QLabel(this)) {
  grid_->setColumnCount(kColumnCount);
  grid_->setHeaderLabels({QString::fromUtf8("Инсталляция на сервере"), QString::fromUtf8("Дискеты")});
  grid_->headerItem()->setTextAlignment(kDiskettesColumn, Qt::AlignRight | Qt::AlignVCenter);
  grid_->setRootIsDecorated(false);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->header()->setStretchLastSection(false);
  grid_->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  grid_->header()->setSectionResizeMode(kDiskettesColumn, QHeaderView::ResizeToContents);
  description_->setWordWrap(true);
  description_->setTextFormat(Qt::PlainText);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_, 1);
  layout->addWidget(description_);

  connect(grid_, &QTreeWidget::itemSelectionChanged, this, [this] {
    ShowDescription();
    emit selectionChanged(SelectedRow());
  });
}

void CGridInst::SetRows(const std::vector<model::InstallationRow>& rows) {
  {
    const QSignalBlocker blocker(grid_);
    grid_->clear();
    rows_ = rows;
    for (const auto& row : rows_) {
      auto* item = new QTreeWidgetItem(grid_);
      item->setText(kNameColumn, FromCp(row.name));
      item->setText(kDiskettesColumn, QString::asprintf("%4lu", static_cast<unsigned long>(row.diskettes)));
      item->setTextAlignment(kDiskettesColumn, Qt::AlignRight | Qt::AlignVCenter);
      const QString tip = DescriptionText(row.description);
      item->setToolTip(kNameColumn, tip);
      item->setToolTip(kDiskettesColumn, tip);
    }
  }
  ShowDescription();
  emit selectionChanged(-1);
}

int CGridInst::SelectedRow() const {
  const auto selected = grid_->selectedItems();
  if (selected.isEmpty()) return -1;
  return grid_->indexOfTopLevelItem(selected.first());
}

void CGridInst::SelectRow(int index) {
  QTreeWidgetItem* item = grid_->topLevelItem(index);
  if (!item) {
    grid_->clearSelection();
    return;
  }
  grid_->setCurrentItem(item);
  item->setSelected(true);
}

void CGridInst::ShowDescription() {
  const int row = SelectedRow();
  description_->setText(row < 0 ? QString() : DescriptionText(rows_[static_cast<size_t>(row)].description));
}

}  // namespace ui
