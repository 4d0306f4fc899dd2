#pragma once
// The directions views in the desktop program: a view reads its node's
// directory when it opens and on its rescan command, on the worker, with the
// progress window and the main window's progress bar following the load;
// closing the view (or ending the program) stops the load at its next step.
// Deleting entries runs there too, one entry after the other.

#include <QObject>
#include <QPointer>

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
  void Load(CViewDirections* view);
  void Delete(CViewDirections* view, const std::vector<std::string>& mailboxNames);
  // Commands 32788 (fields chooser) and 32789 (preview); false for others.
  bool HandleCommand(int id);

  CDownloadingDlg* Downloading() const { return downloading_.data(); }
  bool Loading() const { return loading_; }

 private:
  CViewDirections* ActiveView() const;
  void ShowProgress(size_t step, size_t total);

  DesktopConsole& console_;
  QPointer<CMainFrame> frame_;
  QPointer<CDownloadingDlg> downloading_;  // owned by the main window
  bool loading_ = false;
};

}  // namespace ui
