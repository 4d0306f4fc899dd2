#pragma once
// The directions views in the desktop program: a view reads its node's
// directory when it opens and on its rescan command, on the worker, with the
// progress window and the main window's progress bar following the load;
// closing the view (or ending the program) stops the load at its next step.
// A view opened as the shortcut list reads the names only until its table is
// wanted (CViewDirections.h tells when which load runs).
// Deleting entries runs there too, one entry after the other.

#include <QObject>
#include <QPointer>

#include <cstddef>
#include <functional>

#include <memory>
#include <string>
#include <vector>

#include "ui/dialogs/CDownloadingDlg.h"

namespace ui {

class CMainFrame;
class CViewDirections;
class DesktopConsole;

class DirectionsController : public QObject {
  Q_OBJECT

 public:
  explicit DirectionsController(DesktopConsole& console);
  ~DirectionsController() override;

  void Attach(CMainFrame* frame);
  // A directions view was opened (or activated): it reads its node unless it has.
  void Opened(CViewDirections* view);
  // Every entry read in full (the table, and the shortcut list from it).
  void Load(CViewDirections* view);
  // The names only, for the shortcut list.
  void LoadNames(CViewDirections* view);
  // Deletes after the rights check and the question; the entries' windows
  // close once their deletion went through.
  void Delete(CViewDirections* view, const std::vector<std::string>& mailboxNames);
  // Commands 32788 (fields chooser) and 32789 (preview); false for others.
  bool HandleCommand(int id);

  CDownloadingDlg* Downloading() const { return downloading_.data(); }
  bool Loading() const { return loading_; }

 private:
  CViewDirections* ActiveView() const;
  void ShowProgress(size_t step, size_t total);
  // Refuses while a load or another user job runs; otherwise marks the load
  // as running and gives the worker's progress callback for `view`.
  bool BeginLoad(CViewDirections* view, std::function<bool(size_t, size_t)>& progress);
  void EndLoad();
  bool RefuseDeleteWhileBusy();
  void AskAndDelete(CViewDirections* view, const std::vector<std::string>& mailboxNames);

  DesktopConsole& console_;
  QPointer<CMainFrame> frame_;
  QPointer<CDownloadingDlg> downloading_;  // owned by the main window
  bool loading_ = false;
};

}  // namespace ui
