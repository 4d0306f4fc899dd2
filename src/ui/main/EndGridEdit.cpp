#include "ui/main/EndGridEdit.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>

namespace ui {

void EndGridEdit(QAbstractItemView& view) {
  const QModelIndex current = view.currentIndex();
  QWidget* editor = current.isValid() ? view.indexWidget(current) : nullptr;
  if (editor == nullptr) return;
  // The delegate's own signals, as an editor losing focus sends them.
  QAbstractItemDelegate* delegate = view.itemDelegateForIndex(current);
  emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace ui
