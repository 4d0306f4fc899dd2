#pragma once
// The view of one direction or abonent: its pages in tabs (those of its
// kind), the apply pane under them, and the commands apply, rescan, copy and
// paste. The view never calls the node: its owner reads and applies on the
// worker, with the entry the view shares with that job.
//
// While a job runs on the entry the view is disabled and does not read it;
// the owner redisplays it when the job has ended.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "model/item/VxItemBase.h"
#include "ui/abonent/EntryPages.h"
#include "ui/main/CChildFrame.h"
#include "ui/wizard/WizContext.h"

class QStackedWidget;
class QTabWidget;
class QToolBar;

namespace ui {

class CDlgApplySettings;
class CDlgOpCation;

class CViewAbonent : public CChildView {
  Q_OBJECT

 public:
  CViewAbonent(std::shared_ptr<model::_VxItemBase> entry, WizContext context, QWidget* parent = nullptr);
  ~CViewAbonent() override;

  // The title of an entry's view: "Узел "%s" - %s "%s"", or the new forms.
  static QString TitleOf(const model::_VxItemBase& entry);
  // The key that finds the window of a stored entry again (its mailbox name);
  // each new entry has a key of its own.
  static std::string KeyOf(const model::_VxItemBase& entry);

  model::_VxItemBase& Shown() { return *entry_; }
  std::shared_ptr<model::_VxItemBase> SharedEntry() const { return entry_; }
  WizContext& Context() { return context_; }

  // Every page reads the shown entry again; title and pages follow its kind.
  void Redisplay();
  // The pages show `entry` without it becoming the shown entry (an apply
  // that stopped before sending, a paste).
  void ShowOnPages(const model::_VxItemBase& entry);
  // Pages chosen by `chosen` (the first six) show `entry`.
  void ShowOnPages(const model::_VxItemBase& entry, const std::array<bool, 6>& chosen);
  // A copy of the shown entry with every page written into it, in page order.
  model::_VxItemBase Gathered();
  // The routing page's check over a gathered entry, for the worker.
  std::function<bool(bool withMessage)> AddressCheck(const model::_VxItemBase& gathered) const;
  void ShowRoutingPage();
  // Disabled while a job runs on the entry.
  void SetBusy(bool busy);
  bool Busy() const { return busy_; }
  bool Pending() const { return pending_; }

  QTabWidget* Tabs() const { return tabs_; }
  const EntryPageSet& Pages() const { return pages_; }
  CDlgApplySettings* ApplyPane() const { return applyPane_; }
  CDlgOpCation* CautionPane() const { return caution_; }
  // A tab's page, or null when the entry's kind does not show it.
  CWizPage* VisiblePage(int index) const;

  // Command 32786.
  void Rescan() override { emit rescanRequested(); }

 signals:
  void applyRequested();
  void rescanRequested();
  void copyRequested();
  void pasteRequested();

 private:
  void LayOut(bool abonent, bool viaLocalFolder);
  void SetPending(bool pending);
  void ShowCautionIfStale();

  std::shared_ptr<model::_VxItemBase> entry_;
  WizContext context_;
  EntryPageSet pages_;
  QToolBar* tools_;
  QStackedWidget* stack_;
  QTabWidget* tabs_;
  CDlgApplySettings* applyPane_;
  CDlgOpCation* caution_;
  bool busy_ = false;
  bool pending_ = false;
  bool showing_ = false;  // pages are being filled: their change signals are not the user's
};

}  // namespace ui
