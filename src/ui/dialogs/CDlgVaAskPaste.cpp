#include "ui/dialogs/CDlgVaAskPaste.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

CDlgVaAskPaste::CDlgVaAskPaste(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Вставить"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8("Вставить из буфера обмена:"), this));
  static const char* const kPages[kPageCount] = {"Main parameters",  "Routing parameters", "Direction parameters",
                                                 "MTA parameters",   "Time intervals",     "Abonent parameters"};
  for (int page = 0; page < kPageCount; ++page) {
    auto* box = new QCheckBox(QString::fromLatin1(kPages[page]), this);
    box->setChecked(true);
    layout->addWidget(box);
    choices_[static_cast<size_t>(page)] = box;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::array<bool, CDlgVaAskPaste::kPageCount> CDlgVaAskPaste::Chosen() const {
  std::array<bool, kPageCount> chosen{};
  for (size_t page = 0; page < chosen.size(); ++page) chosen[page] = choices_[page]->isChecked();
  return chosen;
}

}  // namespace ui
