#pragma once
// The pop-up message window: the newest lines of the message list, each with
// the picture of its code, in a borderless top-most window at the screen's
// top right that never takes the focus. The message list decides when it
// shows; CPopupWindowState turns time into its hide (timer 765). A click hides
// it; with the splash effects on, a hide of its own (lifetime or click) fades.
//
// The window reads the list only in Refresh(): whoever changes the list calls
// it (the list's change sink), and from any thread.

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

#include "core/MessageLog.h"
#include "core/poll/CPopupWindowState.h"
#include "ui/popup/PopupClock.h"

class QPropertyAnimation;

namespace ui {

class CMessageWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = core::MessageLog::kLineHeight + 3;
  static constexpr int kImageSize = 16;
  static constexpr int kMargin = 3;
  static constexpr int kImageGap = 4;
  static constexpr int kFadeMs = 600;

  // Also tells the list the screen's height, which sets how many lines it keeps.
  CMessageWindow(core::MessageLog& log, core::CPopupWindowState& state, QWidget* parent = nullptr);

  void SetClock(MsClock nowMs) { now_ = std::move(nowMs); }
  // ENABLE_SPLASH_EFFECTS.
  void SetFadeEffects(bool on);

  // Re-reads the list and shows, resizes or hides the window to match.
  void Refresh();
  // Timer 765: hides the window once its lifetime ran out.
  void Tick();
  // What a mouse click does.
  void ClickHide();

  bool Fading() const;
  // Milliseconds timer 765 was last started with; -1 while it does not run.
  int HideTimerMs() const { return hideTimer_.isActive() ? hideTimer_.interval() : -1; }
  // The window as drawn, at the size its lines need.
  QImage Render();
  QSize SizeForLines() const;

 signals:
  // The window hid itself (lifetime or click): the list's pop-up state changed.
  void HiddenByItself();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Line {
    int code = -1;
    QString text;
  };

  void Apply(bool ownHide);
  void ReadLines();
  void PlaceOnFirstShow();
  void StartFade();
  void StopFade();

  core::MessageLog& log_;
  core::CPopupWindowState& state_;
  MsClock now_ = SteadyNowMs;
  std::vector<Line> lines_;
  QTimer hideTimer_;
  QPointer<QPropertyAnimation> fade_;
  bool placed_ = false;
  int rightEdge_ = 0;
  bool hidingItself_ = false;
};

}  // namespace ui
