#include "core/poll/CPopupWindowState.h"

namespace core {

void CPopupWindowState::Update(int64_t nowMs) {
  const PopupState popup = log_.Popup();
  // Only a show with a lifetime restarts the hide timer; one without leaves an
  // earlier message's deadline standing. A hide in between stopped the timer.
  if (popup.hideTimerMs == 0) {
    deadlineMs_ = -1;
  } else if (popup.hideTimerStarts != seenTimerStarts_ || deadlineMs_ < 0) {
    deadlineMs_ = nowMs + popup.hideTimerMs;
  }
  seenTimerStarts_ = popup.hideTimerStarts;
  if (popup.trayBlinking && !wasBlinking_) blinkStartMs_ = nowMs;
  wasBlinking_ = popup.trayBlinking;
}

void CPopupWindowState::Tick(int64_t nowMs) {
  Update(nowMs);
  if (Visible() && deadlineMs_ >= 0 && nowMs >= deadlineMs_) HideNow();
}

void CPopupWindowState::Click() { HideNow(); }

void CPopupWindowState::HideNow() {
  lastHideFaded_ = fade_ && Visible();
  log_.Hide();
  deadlineMs_ = -1;
  wasBlinking_ = false;
}

bool CPopupWindowState::AlertIconPhase(int64_t nowMs) const {
  if (!Blinking()) return false;
  return ((nowMs - blinkStartMs_) / kBlinkPeriodMs) % 2 == 0;
}

std::string CPopupWindowState::TrayTipUtf8() const {
  return Blinking() ? "Конфигурация Veltrane32 (см. окно сообщений)" : "Конфигурация Veltrane32";
}

}  // namespace core
