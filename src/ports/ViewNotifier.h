#pragma once
// Notifications that go to the main window and the open views.

#include <string>

namespace ports {

class ViewNotifier {
 public:
  virtual ~ViewNotifier() = default;
  // A computer went on-line or off-line (index in the computer registry).
  virtual void ComputerStateChanged(int computerIndex, bool online) = 0;
  // The administrator rights of a computer changed.
  virtual void RightsChanged(int computerIndex) = 0;
  virtual void DisksChanged(int computerIndex) = 0;
  virtual void FoldersChanged(int computerIndex) = 0;
  virtual void ReplicationChanged(int computerIndex) = 0;
  // The task list of a computer was re-read.
  virtual void TasksChanged(int computerIndex) = 0;
};

// A notifier that ignores everything; the default for headless parts.
class NullViewNotifier : public ViewNotifier {
 public:
  void ComputerStateChanged(int, bool) override {}
  void RightsChanged(int) override {}
  void DisksChanged(int) override {}
  void FoldersChanged(int) override {}
  void ReplicationChanged(int) override {}
  void TasksChanged(int) override {}
};

}  // namespace ports
