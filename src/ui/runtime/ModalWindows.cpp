#include "ui/runtime/ModalWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QThread>

#include <cassert>

namespace ui {

void CancelModalWindow(QWidget* window) {
  if (window == nullptr) return;
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    if (QAbstractButton* escape = box->escapeButton())
      escape->click();
    else if (QAbstractButton* abort = box->button(QMessageBox::Abort))
      abort->click();
    else
      box->close();  // the escape the box found itself: No, Cancel or its only button
    // A box that refuses to close (no button means cancel) ends without a choice.
    if (box->isVisible()) box->done(-1);
    return;
  }
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
    if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    return;
  }
  window->close();
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
    if (QApplication::activeModalWidget() == window) window->hide();
  }
  return cancelled;
}

}  // namespace ui
