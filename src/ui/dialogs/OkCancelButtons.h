#pragma once
// The "OK" and "Cancel" row of the console's dialogs: OK is the default
// button, and the two end the dialog as accepted or rejected.

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace ui {

struct OkCancel {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};

OkCancel AddOkCancelButtons(QDialog* dialog);

}  // namespace ui
