#pragma once
// The direction and abonent views in the desktop program: opening a stored
// entry (read on the worker first) or a new one, and the view's commands
// apply, rescan, copy and paste. Every call runs on the worker; the view is
// disabled while a job has its entry.

#include <QObject>
#include <QPointer>

#include <string>

namespace model {
class _VxItemBase;
}

namespace ui {

class CMainFrame;
class CViewAbonent;
class DesktopConsole;

class EntryController : public QObject {
  Q_OBJECT

 public:
  explicit EntryController(DesktopConsole& console);
  ~EntryController() override;

  void Attach(CMainFrame* frame);
  // Opens the view of a stored entry, or activates the open one.
  void Open(const std::string& mailServer, const std::string& mailboxName);
  // Opens the view of a new direction or abonent of the node.
  void New(const std::string& mailServer, bool abonent);
  // Closes every view of that entry (it was deleted).
  void CloseViews(const std::string& mailServer, const std::string& mailboxName);
  // A view of that entry holds edits not applied yet.
  bool HasUnappliedEdits(const std::string& mailServer, const std::string& mailboxName) const;

  void Apply(CViewAbonent* view);
  void Rescan(CViewAbonent* view);
  void Copy(CViewAbonent* view);
  void Paste(CViewAbonent* view);
  // Commands 57634 and 57637 on the active entry view; false for others.
  bool HandleCommand(int id);

 signals:
  // An entry was written to its node and read back (a copy of it).
  void entryApplied(const model::_VxItemBase& entry);

 private:
  CViewAbonent* ActiveView() const;
  bool RefuseWhileBusy();
  // A directory load of a data view is a data scan: refused with `text` (UTF-8).
  bool RefuseWhileScanning(const char* text);
  void Show(model::_VxItemBase entry, const std::string& localFolderPrefix);

  DesktopConsole& console_;
  QPointer<CMainFrame> frame_;
};

}  // namespace ui
