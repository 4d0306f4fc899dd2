#pragma once
// The pop-up message window's timers as state the window layer draws from:
// its lifetime (timer 765), the tray icon's blink (timer 766, 500 ms) and the
// tray tip. Whether the window shows at all after a message is the message
// list's rule (MessageLog::Add); this class follows the list's pop-up state
// and turns the passing of time into a hide and a blink phase.

#include <cstdint>
#include <string>

#include "core/MessageLog.h"

namespace core {

class CPopupWindowState {
 public:
  static constexpr int64_t kBlinkPeriodMs = 500;
  // The top and right distance of the window on its first show.
  static constexpr int kScreenMargin = 30;

  explicit CPopupWindowState(MessageLog& log) : log_(log) {}

  // Called after each message is logged and after each show: takes over the
  // hide timer (restarted by every show with a lifetime, left running by a show
  // without one) and the blink start.
  void Update(int64_t nowMs);
  // Timer 765 and timer 766: hides the window once its lifetime ran out.
  void Tick(int64_t nowMs);
  // The desktop's height as the window layer reports it sets how many lines
  // the message list keeps (headless, the list keeps its default).
  void SetDesktopHeight(int pixels) { log_.SetLineLimit(MessageLog::LineLimit(pixels)); }
  // A click on the window hides it, whatever its lifetime.
  void Click();

  bool Visible() const { return log_.Popup().visible; }
  // The tray shows the alert icon in this phase of the blink.
  bool AlertIconPhase(int64_t nowMs) const;
  bool Blinking() const { return log_.Popup().trayBlinking; }
  // The tray tip, UTF-8 (the window layer shows it as it is).
  std::string TrayTipUtf8() const;
  // Set when ENABLE_SPLASH_EFFECTS asks for a fade instead of a plain hide;
  // the last hide faded.
  void SetFadeOnHide(bool fade) { fade_ = fade; }
  bool LastHideFaded() const { return lastHideFaded_; }
  // When the window hides at the latest; -1 while it stays until clicked.
  int64_t HideDeadlineMs() const { return deadlineMs_; }

 private:
  void HideNow();

  MessageLog& log_;
  unsigned seenTimerStarts_ = 0;
  int64_t deadlineMs_ = -1;
  int64_t blinkStartMs_ = 0;
  bool wasBlinking_ = false;
  bool fade_ = false;
  bool lastHideFaded_ = false;
};

}  // namespace core
