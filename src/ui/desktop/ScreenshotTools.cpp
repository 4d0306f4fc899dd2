#include "ui/desktop/ScreenshotTools.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPixmap>
#include <QTextDocumentFragment>
#include <QWidget>

#include <cstdio>

#include "ui/runtime/ModalWindows.h"

namespace ui::screenshots {

namespace {

// A box is pictured on the second look, once it has been laid out and painted.
constexpr int kBoxLookMs = 50;

QByteArray Local(const QString& text) { return text.toLocal8Bit(); }

// A box's text on one line, without the markup of a rich one.
QString PlainText(QWidget* window) {
  auto* box = qobject_cast<QMessageBox*>(window);
  if (box == nullptr) return {};
  const bool rich = box->textFormat() == Qt::RichText ||
                    (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(box->text()));
  return (rich ? QTextDocumentFragment::fromHtml(box->text()).toPlainText() : box->text()).simplified();
}

}  // namespace

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void Shooter::Take(QWidget* widget, const QString& name) {
  if (widget == nullptr) return;
  widget->ensurePolished();
  widget->adjustSize();
  TakeAsIs(widget, name);
}

void Shooter::TakeAsIs(QWidget* widget, const QString& name) {
  if (widget == nullptr) return;
  Settle(50);
  Save(widget->grab(), name);
}

void Shooter::Save(const QPixmap& picture, const QString& name) {
  const QString path = QDir(folder_).filePath(name + ".png");
  if (picture.save(path)) {
    written_.append(path);
    std::fprintf(stdout, "vtconsole: screenshot %s\n", Local(path).constData());
    std::fflush(stdout);
  } else {
    std::fprintf(stderr, "vtconsole: cannot write %s\n", Local(path).constData());
  }
}

BoxCatcher::BoxCatcher(Shooter& shot) : shot_(shot) {
  timer_.setInterval(kBoxLookMs);
  connect(&timer_, &QTimer::timeout, this, &BoxCatcher::Look);
  timer_.start();
}

void BoxCatcher::BeginStep(const QString& step) {
  step_ = step;
  boxes_ = 0;
}

void BoxCatcher::Look() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible()) {
    seen_ = nullptr;
    return;
  }
  if (window != seen_) {
    seen_ = window;
    return;
  }
  seen_ = nullptr;
  const QString name = step_ + (++boxes_ == 1 ? QStringLiteral("-box") : QStringLiteral("-box-%1").arg(boxes_));
  shot_.Save(window->grab(), name);
  std::fprintf(stderr, "vtconsole: screenshot %s: a box came up and was cancelled: \"%s\" %s\n",
               Local(step_).constData(), Local(window->windowTitle()).constData(), Local(PlainText(window)).constData());
  CancelModalWindow(window);
}

}  // namespace ui::screenshots
