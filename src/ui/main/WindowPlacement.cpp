#include "ui/main/WindowPlacement.h"

#include <QRect>
#include <QSettings>
#include <QWidget>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <vector>

namespace ui {

namespace {
constexpr const char* kKey = "TarvikMainFrame/WindowPlacement";
}

std::optional<WindowPlacement> WindowPlacement::Parse(const std::string& text) {
  // Exactly six integers: a shorter or longer list, blanks or other text
  // inside it make the entry unusable rather than half-applied.
  std::vector<long> numbers;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    const std::string piece = text.substr(at, end - at);
    size_t digits = (!piece.empty() && piece[0] == '-') ? 1 : 0;
    if (digits >= piece.size() || piece.size() > 11) return std::nullopt;
    for (size_t i = digits; i < piece.size(); ++i)
      if (!std::isdigit(static_cast<unsigned char>(piece[i]))) return std::nullopt;
    const long value = std::strtol(piece.c_str(), nullptr, 10);
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    numbers.push_back(value);
    at = end + 1;
    if (end == text.size()) break;
  }
  if (numbers.size() != 6) return std::nullopt;
  WindowPlacement placement;
  placement.left = static_cast<int>(numbers[0]);
  placement.top = static_cast<int>(numbers[1]);
  placement.right = static_cast<int>(numbers[2]);
  placement.bottom = static_cast<int>(numbers[3]);
  placement.showState = static_cast<int>(numbers[4]);
  placement.flags = static_cast<int>(numbers[5]);
  return placement;
}

std::string WindowPlacement::Format() const {
  return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
         std::to_string(bottom) + "," + std::to_string(showState) + "," + std::to_string(flags);
}

WindowPlacement WindowPlacement::Of(const QWidget* window) {
  WindowPlacement placement;
  if (window == nullptr) return placement;
  const QRect normal = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.left() + normal.width();
  placement.bottom = normal.top() + normal.height();
  placement.showState = window->isMaximized() ? kMaximized : window->isMinimized() ? kMinimized : kNormal;
  return placement;
}

void WindowPlacement::ApplyTo(QWidget& window) const {
  if (right > left && bottom > top) window.setGeometry(left, top, right - left, bottom - top);
  // A window kept minimized comes back as a normal one: the administrator
  // started the console to look at it.
  if (showState == kMaximized)
    window.showMaximized();
  else
    window.showNormal();
}

std::optional<WindowPlacement> WindowPlacement::Load(QSettings& profile) {
  const QVariant value = profile.value(kKey);
  if (!value.isValid()) return std::nullopt;
  return Parse(value.toString().toStdString());
}

void WindowPlacement::Save(QSettings& profile) const { profile.setValue(kKey, QString::fromStdString(Format())); }

}  // namespace ui
