#pragma once
// The main window's placement as the user profile keeps it: six numbers
// "left,top,right,bottom,showState,flags" under "WindowPlacement" of the
// section "TarvikMainFrame". A value of another form (five numbers, text)
// is not a placement: the window then gets the default one.

#include <optional>
#include <string>

class QSettings;
class QWidget;

namespace ui {

struct WindowPlacement {
  // The show states as the profile stores them.
  static constexpr int kHidden = 0;
  static constexpr int kNormal = 1;
  static constexpr int kMinimized = 2;
  static constexpr int kMaximized = 3;

  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int showState = kHidden;
  int flags = 0;

  // Six decimal numbers separated by commas, nothing else.
  static std::optional<WindowPlacement> Parse(const std::string& text);
  std::string Format() const;
  // A non-zero show state counts as placed.
  bool Placed() const { return showState != kHidden; }

  // Of a window as it is now; show state 0 when there is no window.
  static WindowPlacement Of(const QWidget* window);
  // Moves and shows the window so.
  void ApplyTo(QWidget& window) const;

  static std::optional<WindowPlacement> Load(QSettings& profile);
  void Save(QSettings& profile) const;
};

}  // namespace ui
