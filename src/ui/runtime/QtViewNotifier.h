#pragma once
// The services' notifications (computer on-line, rights, disks, folders,
// replication, task list), called on the worker, delivered as signals on the
// window thread. Receivers do not read the services from them; they mark
// what to redraw once the runner is idle.

#include <QObject>

#include "ports/ViewNotifier.h"

namespace ui {

class QtViewNotifier : public QObject, public ports::ViewNotifier {
  Q_OBJECT

 public:
  explicit QtViewNotifier(QObject* parent = nullptr) : QObject(parent) {}

  void ComputerStateChanged(int computerIndex, bool online) override;
  void RightsChanged(int computerIndex) override;
  void DisksChanged(int computerIndex) override;
  void FoldersChanged(int computerIndex) override;
  void ReplicationChanged(int computerIndex) override;
  void TasksChanged(int computerIndex) override;

 signals:
  void computerStateChanged(int computerIndex, bool online);
  void rightsChanged(int computerIndex);
  void disksChanged(int computerIndex);
  void foldersChanged(int computerIndex);
  void replicationChanged(int computerIndex);
  void tasksChanged(int computerIndex);
};

}  // namespace ui
