#pragma once
// The panel of the replication view: the current state, the replication
// mode with the partner node, the three timeouts, the last replication
// report, and the buttons "Rescan" and "Perform replication".

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <array>

#include "rpc/iface/QueryRecords.h"

namespace ui {

class CDlgReplication : public QWidget {
  Q_OBJECT

 public:
  explicit CDlgReplication(QWidget* parent = nullptr);

  // The state record and the report text (CP1251) of the computer that
  // carries the queue manager; Clear() when there is none.
  void Show(const rpc::ReplicationRecord& state, const std::string& report);
  void Clear();

  QLabel* State() const { return state_; }
  QLabel* Mode() const { return mode_; }
  QLabel* Timeout(size_t i) const { return timeouts_.at(i); }
  QPlainTextEdit* Report() const { return report_; }
  QPushButton* RescanButton() const { return rescan_; }
  QPushButton* PerformButton() const { return perform_; }

 signals:
  void rescanClicked();
  void performClicked();

 private:
  QLabel* state_;
  QLabel* mode_;
  std::array<QLabel*, 3> timeouts_{};
  QPlainTextEdit* report_;
  QPushButton* rescan_;
  QPushButton* perform_;
};

}  // namespace ui
