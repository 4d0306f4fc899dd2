#pragma once
// The progress of long operations in a small window of its own (never modal).
// Every call hops to the window thread.

#include <QPointer>

#include "ports/ProgressPort.h"

class QWidget;

namespace ui {

class CProgressWnd;

class QtProgressPort : public ports::ProgressPort {
 public:
  explicit QtProgressPort(QWidget* parent = nullptr);
  ~QtProgressPort() override;
  QtProgressPort(const QtProgressPort&) = delete;
  QtProgressPort& operator=(const QtProgressPort&) = delete;

  void Begin(const std::string& title, int rangeMax) override;
  void SetPosition(int position) override;
  void Step(int count = 1) override;
  void Text(const std::string& line) override;
  void End() override;

  CProgressWnd* Window() const { return window_; }

 private:
  QPointer<CProgressWnd> window_;
};

}  // namespace ui
