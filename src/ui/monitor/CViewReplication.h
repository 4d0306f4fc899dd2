#pragma once
// The replication view of a mail server: the panel filled from the computer
// that carries the queue manager ("MQUEUE"), its frame flashing while the
// state counts as an alarm. Rescan and Perform replication go to whoever
// connects to it, with that computer's name (empty when there is none).

#include <string>

#include "ui/monitor/CMonitorView.h"

namespace services {
struct ConsoleSnapshot;
}

namespace ui {

class CDlgReplication;

class CViewReplication : public CMonitorView {
  Q_OBJECT

 public:
  explicit CViewReplication(std::string mailServer, QWidget* parent = nullptr);

  void Show(const services::ConsoleSnapshot& snapshot);

  CDlgReplication* Panel() const { return panel_; }
  // The computer the view works on; empty when none carries "MQUEUE".
  const std::string& QueueComputer() const { return queueComputer_; }

  void Rescan() override { emit rescanRequested(queueComputer_); }

 signals:
  void replicationRequested(const std::string& computer);

 private:
  CDlgReplication* panel_;
  std::string queueComputer_;
};

}  // namespace ui
