#include "ui/popup/CTrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/icons/Icons.h"

namespace ui {

CTrayIcon::CTrayIcon(core::CPopupWindowState& state, QObject* parent)
    : QObject(parent), state_(state), tray_(new QSystemTrayIcon(this)) {
  blinkTimer_.setInterval(static_cast<int>(core::CPopupWindowState::kBlinkPeriodMs));
  connect(&blinkTimer_, &QTimer::timeout, this, &CTrayIcon::Tick);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) emit Activated();
  });
  tip_ = QString::fromStdString(state_.TrayTipUtf8());
  ApplyIcon();
}

CTrayIcon::~CTrayIcon() { tray_->hide(); }

void CTrayIcon::SetMenu(QMenu* menu) { tray_->setContextMenu(menu); }

void CTrayIcon::Show() {
  if (shown_) return;
  shown_ = true;
  // Without a tray Qt only warns; the state above goes on regardless.
  if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void CTrayIcon::Hide() {
  shown_ = false;
  tray_->hide();
}

void CTrayIcon::Refresh() {
  const int64_t now = now_();
  state_.Update(now);
  tip_ = QString::fromStdString(state_.TrayTipUtf8());
  if (state_.Blinking()) {
    if (!blinkTimer_.isActive()) blinkTimer_.start();
  } else {
    blinkTimer_.stop();
  }
  alertPhase_ = state_.AlertIconPhase(now);
  ApplyIcon();
}

void CTrayIcon::Tick() {
  if (!state_.Blinking()) {
    Refresh();
    return;
  }
  alertPhase_ = state_.AlertIconPhase(now_());
  ApplyIcon();
}

void CTrayIcon::ApplyIcon() {
  tray_->setIcon(alertPhase_ ? AlertIcon() : AppIcon());
  tray_->setToolTip(tip_);
}

}  // namespace ui
