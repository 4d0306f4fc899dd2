#include "ui/wizard/CWizInstall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "model/install/InstallTexts.h"
#include "model/install/Installations.h"
#include "ports/DialogPort.h"
#include "ui/abonent/CGridInst.h"

namespace ui {

CWizInstall::CWizInstall(WizContext& context, QWidget* parent)
    : CWizPage(QString::fromUtf8("Создание инсталляционных дискет"), context, parent),
      grid_(new CGridInst(this)),
      download_(new QPushButton(QStringLiteral("Download installation diskettes"), this)),
      note_(new QLabel(this)) {
  setObjectName("CWizInstall");
  note_->setWordWrap(true);
  Body()->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(download_);
  Body()->addLayout(buttons);
  Body()->addWidget(note_);
  Body()->addStretch();
  connect(download_, &QPushButton::clicked, this, [this] { Download(); });
  UpdateShown();
}

bool CWizInstall::ListOffered() const { return hasEntry_ && entry_.kind == 1 && entry_.isNew == 0 && !pending_; }

void CWizInstall::UpdateShown() {
  const bool offered = ListOffered();
  grid_->setVisible(offered);
  download_->setVisible(offered);
  note_->setVisible(!offered);
  if (!hasEntry_ || entry_.kind != 1)
    note_->setText(QString::fromUtf8("Параметры не доступны."));
  else
    note_->setText(QString::fromUtf8("Для создания инсталляции необходимо применить настройки."));
}

void CWizInstall::ShowEntry(const model::_VxItemBase& entry) {
  entry_ = entry;
  hasEntry_ = true;
  ++generation_;
  grid_->SetRows({});
  UpdateShown();
  if (isVisible()) Rebuild();
}

void CWizInstall::SetPending(bool pending) {
  if (pending == pending_) return;
  pending_ = pending;
  UpdateShown();
  // Back to a stored state (after an apply): the list is wanted again.
  if (!pending_ && isVisible()) Rebuild();
}

void CWizInstall::showEvent(QShowEvent* event) {
  CWizPage::showEvent(event);
  Rebuild();
}

bool CWizInstall::Rebuild() {
  WizContext& context = Context();
  if (!ListOffered() || !context.runOnWorker || context.net == nullptr || context.dialogs == nullptr) return false;
  auto abonent = std::make_shared<model::_VxItemBase>(entry_);
  auto rows = std::make_shared<std::vector<model::InstallationRow>>();
  core::NetworkServices* net = context.net;
  ports::DialogPort* dialogs = context.dialogs;
  const std::string workFolder = context.workFolder;
  const int generation = generation_;
  QPointer<CWizInstall> self(this);
  return context.runOnWorker(
      [abonent, rows, net, dialogs, workFolder] {
        const model::InstallContext install{*net, *dialogs, abonent.get(), workFolder};
        *rows = model::RebuildInstallations(install);
      },
      [self, rows, generation] {
        if (self && self->generation_ == generation && self->ListOffered()) self->grid_->SetRows(*rows);
      });
}

bool CWizInstall::Download() {
  WizContext& context = Context();
  if (!ListOffered() || !context.runOnWorker || context.net == nullptr || context.dialogs == nullptr) return false;
  auto abonent = std::make_shared<model::_VxItemBase>(entry_);
  auto lastFolder = std::make_shared<std::string>(lastFolder_);
  const std::vector<model::InstallationRow> rows = grid_->Rows();
  const int selected = grid_->SelectedRow();
  const bool scanRunning = context.scanRunning && context.scanRunning();
  core::NetworkServices* net = context.net;
  ports::DialogPort* dialogs = context.dialogs;
  const std::string workFolder = context.workFolder;
  QPointer<CWizInstall> self(this);
  const bool started = context.runOnWorker(
      [abonent, lastFolder, rows, selected, scanRunning, net, dialogs, workFolder] {
        const model::InstallContext install{*net, *dialogs, abonent.get(), workFolder};
        model::CopyInstallation(install, rows, selected, scanRunning, *lastFolder);
      },
      [self, lastFolder] {
        if (self) self->lastFolder_ = *lastFolder;
      });
  // Another action holds the worker: the copy's own refusal for a scan under way says why.
  if (!started)
    dialogs->Message(model::installtext::ScanRunning(), model::installtext::MessageCaption(),
                     ports::MsgIcon::Information);
  return started;
}

}  // namespace ui
