#include "ui/main/FieldsChooser.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace ui {

bool ChooseFields(QWidget* parent, const QStringList& titles, const std::function<bool(int)>& shown,
                  const std::function<void(int, bool)>& setShown) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8("Выбор полей"));
  auto* layout = new QVBoxLayout(&dialog);
  std::vector<QCheckBox*> boxes;
  for (int column = 0; column < titles.size(); ++column) {
    auto* box = new QCheckBox(titles[column], &dialog);
    box->setChecked(shown(column));
    layout->addWidget(box);
    boxes.push_back(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  for (int column = 0; column < titles.size(); ++column) setShown(column, boxes[static_cast<size_t>(column)]->isChecked());
  return true;
}

bool ChooseFields(QTreeWidget* tree) {
  QStringList titles;
  for (int column = 0; column < tree->columnCount(); ++column) titles << tree->headerItem()->text(column);
  return ChooseFields(
      tree, titles, [tree](int column) { return !tree->isColumnHidden(column); },
      [tree](int column, bool shown) { tree->setColumnHidden(column, !shown); });
}

}  // namespace ui
