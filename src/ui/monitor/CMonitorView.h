#pragma once
// What the disks, folders and replication views share: the flashing frame
// around their content, and Ctrl+R asking for a poll of their computer.

#include <string>

#include "ui/main/CChildFrame.h"

class QVBoxLayout;

namespace ui {

class AlarmFrame;

class CMonitorView : public CChildView {
  Q_OBJECT

 public:
  CMonitorView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent = nullptr);

  AlarmFrame* Frame() const { return frame_; }
  bool Flashing() const;

  // Command 32786 (Ctrl+R): a poll of the view's computer.
  void Rescan() override { emit rescanRequested(Computer()); }

 signals:
  void rescanRequested(const std::string& computer);

 protected:
  // Where a view puts its content, inside the frame.
  QVBoxLayout* Content() const { return content_; }

 private:
  AlarmFrame* frame_;
  QVBoxLayout* content_;
};

}  // namespace ui
