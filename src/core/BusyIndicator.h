#pragma once
// The busy indicator of long operations: a counter and the progress control of
// the main window's status bar, reached through the progress port.

#include <cstdint>

namespace ports {
class ProgressPort;
}

namespace core {

class BusyIndicator {
 public:
  // The progress control came into being (null: there is none).
  void Attach(ports::ProgressPort* progress);
  // The progress control is destroyed.
  void Detach();
  bool HasControl() const { return progress_ != nullptr; }

  // Adds 1 to or subtracts 1 from the busy counter.
  void SetBusy(bool busy);
  int32_t Counter() const { return counter_; }
  // True while the counter is not 0, when there is no progress control, or
  // while the control is shown.
  bool IsBusy() const;
  // Shows the control unless IsBusy(); reports whether it did.
  bool ShowProgress();
  // Hides and resets the control when IsBusy(); always true.
  bool HideProgress();
  bool ProgressVisible() const { return visible_; }

  void SetRange(int rangeMax);
  void SetPosition(int position);
  void Step(int count = 1);
  int Position() const { return position_; }

 private:
  ports::ProgressPort* progress_ = nullptr;
  int32_t counter_ = 0;
  bool visible_ = false;
  int rangeMax_ = 100;
  int position_ = 0;
};

}  // namespace core
