#pragma once
// The notification-area icon (id 312): the program's icon with the tip
// "Конфигурация Veltrane32"; while the pop-up state asks for attention the tip
// points to the message window and the icon alternates with the alert icon
// every 500 ms (timer 766). Without a system tray (offscreen, a bare X server)
// nothing is shown, but the state is kept and can be read.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "core/poll/CPopupWindowState.h"
#include "ui/popup/PopupClock.h"

class QMenu;
class QSystemTrayIcon;

namespace ui {

class CTrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit CTrayIcon(core::CPopupWindowState& state, QObject* parent = nullptr);
  ~CTrayIcon() override;

  void SetClock(MsClock nowMs) { now_ = std::move(nowMs); }
  void SetMenu(QMenu* menu);

  // Adds the icon to the notification area (AddTrayIcon) and removes it.
  void Show();
  void Hide();
  bool Shown() const { return shown_; }

  // Re-reads the pop-up state: the tip, and the blink started or stopped.
  void Refresh();
  // Timer 766: the next phase of the blink.
  void Tick();

  QString Tip() const { return tip_; }
  // True while the alert icon is the one shown.
  bool AlertPhase() const { return alertPhase_; }
  bool BlinkTimerActive() const { return blinkTimer_.isActive(); }
  QSystemTrayIcon* TrayIcon() const { return tray_; }

 signals:
  // A click or double click on the icon: the main window shows itself.
  void Activated();

 private:
  void ApplyIcon();

  core::CPopupWindowState& state_;
  MsClock now_ = SteadyNowMs;
  QSystemTrayIcon* tray_;
  QTimer blinkTimer_;
  QString tip_;
  bool alertPhase_ = false;
  bool shown_ = false;
};

}  // namespace ui
