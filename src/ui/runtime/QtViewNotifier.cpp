#include "ui/runtime/QtViewNotifier.h"

#include <QMetaObject>

namespace ui {

// Queued even on the window thread, so that a receiver never runs inside a
// sequence of calls.
void QtViewNotifier::ComputerStateChanged(int computerIndex, bool online) {
  QMetaObject::invokeMethod(this, [=, this] { emit computerStateChanged(computerIndex, online); }, Qt::QueuedConnection);
}
void QtViewNotifier::RightsChanged(int computerIndex) {
  QMetaObject::invokeMethod(this, [=, this] { emit rightsChanged(computerIndex); }, Qt::QueuedConnection);
}
void QtViewNotifier::DisksChanged(int computerIndex) {
  QMetaObject::invokeMethod(this, [=, this] { emit disksChanged(computerIndex); }, Qt::QueuedConnection);
}
void QtViewNotifier::FoldersChanged(int computerIndex) {
  QMetaObject::invokeMethod(this, [=, this] { emit foldersChanged(computerIndex); }, Qt::QueuedConnection);
}
void QtViewNotifier::ReplicationChanged(int computerIndex) {
  QMetaObject::invokeMethod(this, [=, this] { emit replicationChanged(computerIndex); }, Qt::QueuedConnection);
}
void QtViewNotifier::TasksChanged(int computerIndex) {
  QMetaObject::invokeMethod(this, [=, this] { emit tasksChanged(computerIndex); }, Qt::QueuedConnection);
}

}  // namespace ui
