#pragma once
// The disks, folders and replication views in the desktop program: they are
// redrawn from each snapshot together with the session's scan history; their
// rescans (a poll of one computer) and the replication request run as jobs
// on the worker. The history is recorded on the worker after every poll.

#include <QObject>

#include <string>

#include "services/ConsoleSnapshot.h"
#include "services/ScanHistory.h"

namespace ui {

class CChildView;
class CMainFrame;
class DesktopConsole;

class MonitorController : public QObject {
  Q_OBJECT

 public:
  explicit MonitorController(DesktopConsole& console);

  services::ScanHistory& History() { return history_; }

  // Worker, right after a poll of all computers (`computer` empty) or of one:
  // a history sample for every such computer that answered.
  void RecordPoll(const std::string& computer = {});
  // Window thread: every open disks, folders and replication view of `frame`.
  void Redraw(CMainFrame* frame, const services::ConsoleSnapshot& snapshot);
  // A data window was opened (or brought up): a view of ours is connected
  // and filled from the last snapshot at once.
  void Opened(CChildView* view, const services::ConsoleSnapshot& snapshot);

  // Ctrl+R or the replication view's Rescan: a poll of that computer.
  void RescanComputer(const std::string& computer);
  // Perform replication, for the computer that carries the queue manager.
  void PerformReplication(const std::string& computer);

 private:
  // Says why nothing can be sent now; false when it can.
  bool Refused() const;
  // Running, a computer to run on (told when there is none), not refused.
  bool MayRunOn(const std::string& computer);
  void Fill(CChildView* view, const services::ConsoleSnapshot& snapshot);

  DesktopConsole& console_;
  services::ScanHistory history_;
};

}  // namespace ui
