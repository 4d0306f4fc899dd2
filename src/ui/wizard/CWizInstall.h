#pragma once
// Page 7, "Создание инсталляционных дискет" (abonents): for a stored abonent
// without pending changes, the installation sets of its mail server and
// "Download installation diskettes", which copies the selected set; for a new
// or changed abonent "Для создания инсталляции необходимо применить
// настройки."; for a direction "Параметры не доступны.".
//
// The list is rebuilt on the worker, from a copy of the entry the job owns,
// each time the page becomes visible and when a shown page gets an entry; a
// busy worker skips the rebuild. The page edits nothing of the entry.

#include <memory>
#include <string>

#include "model/item/VxItemBase.h"
#include "ui/wizard/CWizPage.h"

class QLabel;
class QPushButton;

namespace ui {

class CGridInst;

class CWizInstall : public CWizPage {
  Q_OBJECT

 public:
  explicit CWizInstall(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool abonent) const override { return abonent; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  void GatherInto(model::_VxItemBase&) override {}

  // The entry view: some page holds changes not yet applied.
  void SetPending(bool pending);

  // Starts a rebuild of the list on the worker; false when the page shows no
  // list or the worker was busy.
  bool Rebuild();
  // The button: copies the selected set on the worker; false when the page
  // shows no list or the worker was busy.
  bool Download();
  // The folder the last diskette went to (the settings file is written there).
  const std::string& LastFolder() const { return lastFolder_; }

  CGridInst* Grid() const { return grid_; }
  QPushButton* DownloadButton() const { return download_; }
  QLabel* Note() const { return note_; }
  // Whether the grid and the button are offered (else the note is shown).
  bool ListOffered() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateShown();

  CGridInst* grid_;
  QPushButton* download_;
  QLabel* note_;
  model::_VxItemBase entry_;
  bool hasEntry_ = false;
  bool pending_ = false;
  std::string lastFolder_;
  int generation_ = 0;  // a rebuild's rows are drawn only when no newer entry came since
};

}  // namespace ui
