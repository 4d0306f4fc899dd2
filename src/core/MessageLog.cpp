#include "core/MessageLog.h"

#include <algorithm>

#include "text/Strings.h"

namespace core {

size_t MessageLog::LineLimit(int desktopHeight, int lineHeight) {
  const int rows = (desktopHeight - 60) / (lineHeight + 3);
  return static_cast<size_t>(std::max(20, rows));
}

std::vector<std::string> MessageLog::FormatLines(std::string_view message, int image) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t end = message.find('\n', start);
    std::string piece;
    for (char c : message.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)) {
      if (c == '\r') continue;
      piece += c == '\t' ? ' ' : c;
    }
    if (piece.size() < kPadWidth) piece.append(kPadWidth - piece.size(), ' ');
    // "%02d%s" without handing the text to printf, which would stop at a NUL.
    out.push_back(std::string(1, kBel) + text::Format("%02d", out.empty() ? image : 1) + piece);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

MessageLog::MessageLog(size_t lineLimit) : limit_(std::max<size_t>(lineLimit, 1)) {}

void MessageLog::Changed() const {
  if (changeSink_) changeSink_();
}

void MessageLog::SetLineLimit(size_t limit) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    limit_ = std::max<size_t>(limit, 1);
    while (lines_.size() > limit_) lines_.pop_front();
  }
  Changed();
}

size_t MessageLog::LineLimitValue() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return limit_;
}

void MessageLog::SetPopupDisabled(bool disabled) {
  std::lock_guard<std::mutex> lock(mutex_);
  popupDisabled_ = disabled;
}

void MessageLog::SetStartupOrShutdown(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  startupOrShutdown_ = on;
}

void MessageLog::Add(std::string_view message, uint32_t lifetimeMs, int image) {
  if (messageSink_) messageSink_(message, image);
  std::vector<std::string> pieces = FormatLines(message, image);
  if (sink_)
    for (const auto& line : pieces) sink_(line);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& line : pieces) lines_.push_back(std::move(line));
    while (lines_.size() > limit_) lines_.pop_front();

    // The window shows during start-up and shutdown, when the setting allows
    // it, or when it is already on the screen; otherwise only the tray icon
    // blinks.
    if (startupOrShutdown_ || !popupDisabled_ || (popup_.visible && !lines_.empty())) {
      ShowLocked(lifetimeMs);
      if (!startupOrShutdown_) popup_.trayBlinking = true;
    } else {
      popup_.trayBlinking = true;
    }
  }
  Changed();
}

void MessageLog::Show(uint32_t lifetimeMs) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ShowLocked(lifetimeMs);
  }
  Changed();
}

void MessageLog::ShowLocked(uint32_t lifetimeMs) {
  popup_.visible = true;
  popup_.lifetimeMs = lifetimeMs;
  ++popup_.showCount;
  if (lifetimeMs != 0) {
    popup_.hideTimerMs = lifetimeMs;
    ++popup_.hideTimerStarts;
  }
}

void MessageLog::Hide() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    popup_.visible = false;
    popup_.trayBlinking = false;
    popup_.hideTimerMs = 0;
  }
  Changed();
}

void MessageLog::Clear() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
  }
  Changed();
}

std::deque<std::string> MessageLog::Lines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

PopupState MessageLog::Popup() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return popup_;
}

std::string MessageLog::Text() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += '\n';
    out += lines_[i];
  }
  return out;
}

}  // namespace core
