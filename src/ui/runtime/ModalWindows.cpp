#include "ui/runtime/ModalWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

#include <cassert>

namespace ui {

QAbstractButton* CancelButton(const QMessageBox& box) {
  if (box.escapeButton() != nullptr) return box.escapeButton();
  const QList<QAbstractButton*> buttons = box.buttons();
  if (buttons.size() == 1) return buttons.front();
  for (QAbstractButton* button : buttons)
    if (box.buttonRole(button) == QMessageBox::RejectRole) return button;
  return nullptr;
}

void CancelModalWindow(QWidget* window) {
  QPointer<QWidget> alive(window);
  if (alive == nullptr) return;
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    if (QAbstractButton* cancel = CancelButton(*box))
      cancel->click();
    else
      box->close();  // the escape the box found itself, or none
  } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
  } else {
    window->close();
  }
  if (alive && alive->isVisible()) alive->hide();
}

int CancelModalWindows() {
  assert(QThread::currentThread() == qApp->thread());
  int cancelled = 0;
  // A cancel may open another window (a dialog that asks before it goes);
  // the bound keeps a window that will not go from looping for ever.
  for (int round = 0; round < 64; ++round) {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr) break;
    CancelModalWindow(window);
    ++cancelled;
  }
  return cancelled;
}

}  // namespace ui
