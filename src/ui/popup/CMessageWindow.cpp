#include "ui/popup/CMessageWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string_view>

#include "ui/icons/Icons.h"
#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

QFont PopupFont() {
  // A monospace face with Cyrillic; 12 pixels give lines of about 14.
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(12);
  return font;
}

QScreen* ScreenOf(const QWidget* widget) {
  QScreen* screen = widget->screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

CMessageWindow::CMessageWindow(core::MessageLog& log, core::CPopupWindowState& state, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      log_(log),
      state_(state) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setFont(PopupFont());
  setCursor(Qt::PointingHandCursor);
  hideTimer_.setSingleShot(true);
  hideTimer_.setTimerType(Qt::PreciseTimer);
  connect(&hideTimer_, &QTimer::timeout, this, &CMessageWindow::Tick);
  if (QScreen* screen = ScreenOf(this)) state_.SetDesktopHeight(screen->geometry().height());
}

void CMessageWindow::SetFadeEffects(bool on) { state_.SetFadeOnHide(on); }

void CMessageWindow::Refresh() {
  if (!OnUiThread()) {
    QPointer<CMessageWindow> self(this);
    PostToUiThread([self] {
      if (self) self->Refresh();
    });
    return;
  }
  // The list tells of the window's own hide while it happens; the window
  // finishes that hide itself.
  if (hidingItself_) return;
  state_.Update(now_());
  Apply(false);
}

void CMessageWindow::Tick() {
  hidingItself_ = true;
  const bool wasVisible = state_.Visible();
  state_.Tick(now_());
  hidingItself_ = false;
  Apply(wasVisible && !state_.Visible());
  if (wasVisible && !state_.Visible()) emit HiddenByItself();
}

void CMessageWindow::ClickHide() {
  hidingItself_ = true;
  state_.Click();
  hidingItself_ = false;
  Apply(true);
  emit HiddenByItself();
}

void CMessageWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  ClickHide();
}

void CMessageWindow::Apply(bool ownHide) {
  // A copy: the list may be changed by the worker right after.
  const core::PopupState popup = log_.Popup();
  ReadLines();

  if (!popup.visible) {
    hideTimer_.stop();
    if (!isVisible() || Fading()) return;
    if (ownHide && state_.LastHideFaded())
      StartFade();
    else
      hide();
    return;
  }

  StopFade();
  resize(SizeForLines());
  if (!placed_)
    PlaceOnFirstShow();
  else
    move(rightEdge_ - width() + 1, y());
  if (!isVisible()) show();
  raise();
  update();
  const int64_t deadline = state_.HideDeadlineMs();
  if (deadline < 0)
    hideTimer_.stop();
  else
    hideTimer_.start(static_cast<int>(std::clamp<int64_t>(deadline - now_(), 0, int64_t{INT32_MAX})));
}

void CMessageWindow::ReadLines() {
  const auto lines = log_.Lines();
  lines_.clear();
  for (const std::string& line : lines) {
    Line parsed;
    std::string_view rest(line);
    // BEL and the two digits of the picture; anything else is drawn as text.
    if (rest.size() >= 3 && rest[0] == core::MessageLog::kBel && std::isdigit(static_cast<unsigned char>(rest[1])) &&
        std::isdigit(static_cast<unsigned char>(rest[2]))) {
      parsed.code = (rest[1] - '0') * 10 + (rest[2] - '0');
      rest.remove_prefix(3);
    }
    parsed.text = FromCp(rest);
    lines_.push_back(std::move(parsed));
  }
}

void CMessageWindow::PlaceOnFirstShow() {
  QScreen* screen = ScreenOf(this);
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  const int margin = core::CPopupWindowState::kScreenMargin;
  rightEdge_ = area.right() - margin;
  move(rightEdge_ - width() + 1, area.top() + margin);
  placed_ = true;
}

QSize CMessageWindow::SizeForLines() const {
  const QFontMetrics metrics(font());
  int textWidth = 0;
  for (const Line& line : lines_) textWidth = std::max(textWidth, metrics.horizontalAdvance(line.text));
  const int rows = std::max<int>(1, static_cast<int>(lines_.size()));
  return {2 * kMargin + kImageSize + kImageGap + textWidth, 2 * kMargin + rows * kRowHeight};
}

void CMessageWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(255, 255, 225));
  painter.setPen(QColor(90, 90, 90));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(font());
  painter.setPen(Qt::black);
  for (size_t i = 0; i < lines_.size(); ++i) {
    const int top = kMargin + static_cast<int>(i) * kRowHeight;
    if (lines_[i].code >= 0)
      painter.drawPixmap(kMargin, top + (kRowHeight - kImageSize) / 2, MessageImage(lines_[i].code));
    const int left = kMargin + kImageSize + kImageGap;
    const QRect textRect(left, top, width() - left - kMargin, kRowHeight);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, lines_[i].text);
  }
}

QImage CMessageWindow::Render() {
  ReadLines();
  resize(SizeForLines());
  return grab().toImage();
}

bool CMessageWindow::Fading() const { return fade_ && fade_->state() == QAbstractAnimation::Running; }

void CMessageWindow::StartFade() {
  auto* animation = new QPropertyAnimation(this, "windowOpacity", this);
  animation->setDuration(kFadeMs);
  animation->setStartValue(1.0);
  animation->setEndValue(0.0);
  connect(animation, &QPropertyAnimation::finished, this, [this] {
    hide();
    setWindowOpacity(1.0);
  });
  fade_ = animation;
  animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void CMessageWindow::StopFade() {
  if (fade_) {
    // Stopped by a show: the window stays, fully opaque.
    disconnect(fade_, &QPropertyAnimation::finished, this, nullptr);
    fade_->stop();
  }
  setWindowOpacity(1.0);
}

}  // namespace ui
