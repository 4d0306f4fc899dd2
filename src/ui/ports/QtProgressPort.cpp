#include "ui/ports/QtProgressPort.h"

#include "ui/dialogs/CProgressWnd.h"
#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

QtProgressPort::QtProgressPort(QWidget* parent) {
  RunOnUiThread([&] { window_ = new CProgressWnd(parent); });
}

QtProgressPort::~QtProgressPort() {
  if (window_) RunOnUiThread([this] { delete window_.data(); });
}

void QtProgressPort::Begin(const std::string& title, int rangeMax) {
  RunOnUiThread([&] {
    if (window_) window_->Begin(FromCp(title), rangeMax);
  });
}

void QtProgressPort::SetPosition(int position) {
  RunOnUiThread([&] {
    if (window_) window_->SetPosition(position);
  });
}

void QtProgressPort::Step(int count) {
  RunOnUiThread([&] {
    if (window_) window_->Step(count);
  });
}

void QtProgressPort::Text(const std::string& line) {
  RunOnUiThread([&] {
    if (window_) window_->SetLine(FromCp(line));
  });
}

void QtProgressPort::End() {
  RunOnUiThread([&] {
    if (window_) window_->End();
  });
}

}  // namespace ui
