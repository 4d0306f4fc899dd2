#include "ui/runtime/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace ui {

bool OnUiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

void RunOnUiThread(const std::function<void()>& work) {
  if (OnUiThread() || QCoreApplication::instance() == nullptr) {
    work();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&work] { work(); }, Qt::BlockingQueuedConnection);
}

void PostToUiThread(std::function<void()> work) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    work();
    return;
  }
  QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

}  // namespace ui
