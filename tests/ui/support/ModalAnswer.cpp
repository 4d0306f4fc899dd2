#include "support/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace testsupport {

QString PlainButtonText(const QString& text) { return QString(text).remove(QLatin1Char('&')); }

ModalAnswer::ModalAnswer(Action action) : action_(std::move(action)) {
  timer_.setInterval(10);
  connect(&timer_, &QTimer::timeout, this, &ModalAnswer::Poll);
  timer_.start();
}

namespace {

// The modal window once it is up and has become the active window. Until
// then its focus, and with it its default button and what its fields accept
// from the program, are still changing; a test acting on it earlier would
// find one state or the other depending on how loaded the machine is.
QWidget* SettledModal() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible()) return nullptr;
  if (!window->isActiveWindow()) {
    window->activateWindow();
    return nullptr;
  }
  return window;
}

// Clicks the window's button of that text, or closes the window when it has none.
void ClickOrClose(QWidget* window, const QString& text) {
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
    if (PlainButtonText(button->text()) == text) {
      button->click();
      return;
    }
  qWarning("no button \"%s\": closing the window", qPrintable(text));
  window->close();
}

}  // namespace

std::unique_ptr<ModalAnswer> ModalAnswer::Click(const QString& text) {
  return std::make_unique<ModalAnswer>([text](QWidget* window) { ClickOrClose(window, text); });
}

std::unique_ptr<ModalAnswer> ModalAnswer::Close() {
  return std::make_unique<ModalAnswer>([](QWidget* window) { window->close(); });
}

std::unique_ptr<ModalAnswer> ModalAnswer::Escape() {
  return std::make_unique<ModalAnswer>([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
}

ModalScript::ModalScript(QStringList buttons) : buttons_(std::move(buttons)) {
  timer_.setInterval(10);
  connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
  timer_.start();
}

void ModalScript::Poll() {
  if (Done()) return;
  QWidget* window = SettledModal();
  if (window == nullptr || window == last_) return;
  last_ = window;
  auto* box = qobject_cast<QMessageBox*>(window);
  seen_ << window->windowTitle() + ": " + (box ? box->text() : QString());
  ClickOrClose(window, buttons_[next_++]);
}

namespace {
constexpr int kGuardPollMs = 500;
constexpr int kGuardPatiencePolls = 60;  // half a minute: far beyond any answer of a test
}  // namespace

UnansweredModalGuard::UnansweredModalGuard() {
  timer_.setInterval(kGuardPollMs);
  connect(&timer_, &QTimer::timeout, this, &UnansweredModalGuard::Poll);
  timer_.start();
}

void UnansweredModalGuard::Poll() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible()) {
    window_ = nullptr;
    return;
  }
  if (window != window_) {
    window_ = window;
    polls_ = 0;
    return;
  }
  if (++polls_ < kGuardPatiencePolls) return;
  auto* box = qobject_cast<QMessageBox*>(window);
  qWarning("unanswered modal window %s \"%s\": %s; closing it", window->metaObject()->className(),
           qPrintable(window->windowTitle()), qPrintable(box ? box->text() : QString()));
  window_ = nullptr;
  window->close();
}

void ModalAnswer::Poll() {
  QWidget* window = SettledModal();
  if (window == nullptr) return;
  timer_.stop();
  seen_.className = QString::fromLatin1(window->metaObject()->className());
  seen_.title = window->windowTitle();
  seen_.staysOnTop = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  seen_.modality = window->windowModality();
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    seen_.text = box->text();
    seen_.icon = box->icon();
    if (box->defaultButton()) seen_.defaultButton = PlainButtonText(box->defaultButton()->text());
    if (auto* buttonBox = box->findChild<QDialogButtonBox*>())
      for (QAbstractButton* button : buttonBox->buttons()) seen_.buttons << PlainButtonText(button->text());
  } else {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      seen_.buttons << PlainButtonText(button->text());
      if (auto* push = qobject_cast<QPushButton*>(button); push && push->isDefault())
        seen_.defaultButton = PlainButtonText(push->text());
    }
  }
  action_(window);
  answered_ = true;
}

}  // namespace testsupport
