#include "ui/main/CPropGridCtrl.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "ui/text/QtText.h"

namespace ui {

namespace {
constexpr int kTargetRole = Qt::UserRole + 2;
constexpr int kCommentRole = Qt::UserRole + 3;
}  // namespace

CPropGridCtrl::CPropGridCtrl(QWidget* parent) : QWidget(parent), tree_(new QTreeWidget(this)), comment_(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({QString::fromUtf8("Свойство"), QString::fromUtf8("Значение")});
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree_->setAlternatingRowColors(true);
  tree_->setUniformRowHeights(true);
  comment_->setWordWrap(true);
  comment_->setMinimumHeight(36);
  comment_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  comment_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(tree_, 1);
  layout->addWidget(comment_);
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
    comment_->setText(item ? item->data(0, kCommentRole).toString() : QString());
  });
  connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) { Activate(item); });
}

void CPropGridCtrl::SetRows(const std::vector<services::PropertyRow>& rows) {
  rows_ = rows;
  tree_->clear();
  comment_->clear();
  AddRows(rows_, nullptr);
  tree_->expandAll();
}

void CPropGridCtrl::AddRows(const std::vector<services::PropertyRow>& rows, QTreeWidgetItem* parent) {
  for (const services::PropertyRow& row : rows) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, FromCp(row.label));
    item->setText(1, FromCp(row.value));
    const QString comment = FromCp(row.comment);
    item->setToolTip(0, comment);
    item->setToolTip(1, comment);
    item->setData(0, kCommentRole, comment);
    item->setData(0, kTargetRole, static_cast<int>(row.target));
    if (row.target != services::OpenTarget::None) {
      QFont font = item->font(0);
      font.setUnderline(true);
      item->setFont(0, font);
    }
    if (!row.children.empty()) {
      QFont font = item->font(0);
      font.setBold(true);
      item->setFont(0, font);
      AddRows(row.children, item);
    }
  }
}

void CPropGridCtrl::Activate(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const auto target = static_cast<services::OpenTarget>(item->data(0, kTargetRole).toInt());
  if (target != services::OpenTarget::None) emit openRequested(target);
}

bool CPropGridCtrl::ActivateLabel(const QString& label) {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if ((*it)->text(0) == label) {
      tree_->setCurrentItem(*it);
      Activate(*it);
      return true;
    }
  }
  return false;
}

}  // namespace ui
