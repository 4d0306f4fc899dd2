#include "ui/wizard/CWizTiming.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/dialogs/OkCancelButtons.h"
#include "model/item/VxItemBase.h"
#include "ui/dialogs/CDlgVaEditSingle.h"
#include "ui/direction/CGridTimings.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/EndGridEdit.h"

namespace ui {

CWizTiming::CWizTiming(WizContext& context, QWidget* parent)
    : CWizPage(QString::fromUtf8("Временные интервалы"), context, parent),
      grid_(new CGridTimings(context.dialogs, this)),
      advanced_(new QPushButton(QStringLiteral("Advanced ..."), this)) {
  setObjectName("CWizTiming");
  Body()->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(advanced_);
  Body()->addLayout(buttons);
  connect(grid_, &CDirectionGrid::changed, this, &CWizPage::changed);
  connect(advanced_, &QPushButton::clicked, this, [this] { EditSelectedFrame(); });
}

void CWizTiming::ShowEntry(const model::_VxItemBase& entry) { grid_->SetFrames(entry.schedule); }

void CWizTiming::GatherInto(model::_VxItemBase& entry) { entry.schedule = grid_->Frames(); }

void CWizTiming::TakePendingInput() { EndGridEdit(*grid_); }

bool CWizTiming::EditSelectedFrame() {
  const std::vector<int> rows = grid_->SelectedRows();
  if (rows.size() != 1 || grid_->IsEditing()) return false;
  const int row = rows.front();
  CDlgVaEditSingle dialog(this);
  dialog.SetFrame(grid_->RowFrame(row));
  if (dialog.exec() != QDialog::Accepted) return false;
  grid_->SetRowFrame(row, dialog.Frame());  // the grid reports the change
  return true;
}

namespace {

QSettings Profile() { return QSettings(CMainFrame::kProfileName, CMainFrame::kProfileName); }

}  // namespace

CDlgWizTiming::CDlgWizTiming(WizContext& context, QWidget* parent)
    : QDialog(parent), page_(new CWizTiming(context, this)) {
  setWindowTitle(page_->Caption());
  setSizeGripEnabled(true);
  const OkCancel buttons = AddOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  ok_->setDefault(false);  // Enter belongs to the grid's editors
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page_, 1);
  layout->addWidget(buttons.box);

  resize(760, 360);
  QSettings profile = Profile();
  profile.beginGroup(kProfileSection);
  const QByteArray geometry = profile.value(kProfileEntry).toByteArray();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
}

void CDlgWizTiming::done(int result) {
  if (result == QDialog::Accepted) page_->TakePendingInput();
  QSettings profile = Profile();
  profile.beginGroup(kProfileSection);
  profile.setValue(kProfileEntry, saveGeometry());
  QDialog::done(result);
}

}  // namespace ui
