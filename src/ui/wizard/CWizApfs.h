#pragma once
// Page 4, "Агенты передачи файлов" (directions): the agent grid over the
// agent lines of the entry's link parameters. An entry that works through a
// local folder has no agents: the grid is emptied and hidden and the page
// says "Параметры не доступны.". The agent drop-down is filled from the node
// on the worker, once per showing of the page.

#include <string>

#include "ui/wizard/CWizPage.h"

class QLabel;

namespace ui {

class CGridApf;

class CWizApfs : public CWizPage {
  Q_OBJECT

 public:
  explicit CWizApfs(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool abonent) const override { return !abonent; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  // Appends the agent lines to the link parameters page 1 has just written
  // (nothing for a local-folder entry).
  void GatherInto(model::_VxItemBase& entry) override;
  void TakePendingInput() override;

  // Page 1's "Connect through local folder" box changed.
  void SetLocalFolder(bool viaLocalFolder);
  bool LocalFolder() const { return viaLocalFolder_; }

  CGridApf* Grid() const { return grid_; }
  QLabel* NotAvailable() const { return notAvailable_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FetchAgentNames();

  CGridApf* grid_;
  QLabel* notAvailable_;
  bool viaLocalFolder_ = false;
  // The agent lines the grid held before the local folder box hid it.
  std::string hiddenAgents_;
  bool choicesAsked_ = false;  // the drop-down was filled (or is being filled) for this showing
};

}  // namespace ui
