#include "ui/wizard/CWizApfs.h"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include <memory>
#include <vector>

#include "model/item/AgentNames.h"
#include "model/item/VxItemBase.h"
#include "ui/direction/CGridApf.h"
#include "ui/main/EndGridEdit.h"

namespace ui {

CWizApfs::CWizApfs(WizContext& context, QWidget* parent)
    : CWizPage(QString::fromUtf8("Агенты передачи файлов"), context, parent),
      grid_(new CGridApf(context.dialogs, this)),
      notAvailable_(new QLabel(QString::fromUtf8("Параметры не доступны."), this)) {
  setObjectName("CWizApfs");
  Body()->addWidget(grid_, 1);
  Body()->addWidget(notAvailable_);
  Body()->addStretch();
  notAvailable_->hide();
  connect(grid_, &CDirectionGrid::changed, this, &CWizPage::changed);
  connect(grid_, &CGridApf::agentChoicesWanted, this, &CWizApfs::FetchAgentNames);
}

void CWizApfs::ShowEntry(const model::_VxItemBase& entry) {
  viaLocalFolder_ = entry.viaLocalFolder != 0;
  hiddenAgents_.clear();
  // A local-folder entry's link text is its folder, not agents.
  grid_->SetLinkText(viaLocalFolder_ ? std::string() : entry.linkParameters);
  grid_->setVisible(!viaLocalFolder_);
  notAvailable_->setVisible(viaLocalFolder_);
  choicesAsked_ = false;
}

void CWizApfs::SetLocalFolder(bool viaLocalFolder) {
  if (viaLocalFolder == viaLocalFolder_) return;
  viaLocalFolder_ = viaLocalFolder;
  if (viaLocalFolder) {
    // Kept, so that unticking the box again brings the agents back.
    hiddenAgents_ = grid_->LinkText();
    grid_->SetLinkText(std::string());
  } else {
    grid_->SetLinkText(hiddenAgents_);
    hiddenAgents_.clear();
  }
  grid_->setVisible(!viaLocalFolder);
  notAvailable_->setVisible(viaLocalFolder);
}

void CWizApfs::TakePendingInput() { EndGridEdit(*grid_); }

void CWizApfs::GatherInto(model::_VxItemBase& entry) {
  if (viaLocalFolder_) return;
  const std::string agents = grid_->LinkText();
  if (agents.empty()) return;
  // The agent lines follow whatever page 1 left on a line of their own: the
  // link text separates its lines by a line feed.
  const std::string& before = entry.linkParameters;
  if (!before.empty() && before.back() != '\n' && before.back() != '\r') entry.linkParameters += '\n';
  entry.linkParameters += agents;
}

void CWizApfs::showEvent(QShowEvent* event) {
  CWizPage::showEvent(event);
  choicesAsked_ = false;
}

void CWizApfs::FetchAgentNames() {
  WizContext& context = Context();
  if (choicesAsked_ || !context.runOnWorker || context.net == nullptr) return;
  auto names = std::make_shared<std::vector<std::string>>();
  core::NetworkServices* net = context.net;
  const std::string mailServer = context.mailServer;
  QPointer<CWizApfs> self(this);
  choicesAsked_ = context.runOnWorker([names, net, mailServer] { *names = model::ReadAgentNames(*net, mailServer); },
                                      [self, names] {
                                        if (self) self->grid_->SetAgentChoices(*names);
                                      });
}

}  // namespace ui
