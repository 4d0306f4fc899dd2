#pragma once
// The one worker thread on which every sequence of calls runs: polls, the
// favourites scan, task commands, the start-up and the shutdown, and every
// sequence a window starts. The window thread never waits on the network; it
// queues a job here and goes on drawing.
//
// Threads. The services are touched by the worker while a job runs, and by
// the window thread only while the runner is idle (no job queued or
// running): the window thread queues every job itself and learns of its end
// through its own event queue, so "idle" as the window thread sees it means
// that the worker is not inside the services. Windows draw from a snapshot
// taken when the runner becomes idle. A job that needs the user (a message
// box, the logon dialog) hops to the window thread and waits there.
//
//   runner.Post(ServiceRunner::Kind::User, [&] { services.OnPollTimer(); },
//               [&] { RefreshWindows(); }, window);

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace ui {

class ServiceRunner : public QObject {
  Q_OBJECT

 public:
  // What a job is, so that a second action can be told apart: a timer's job
  // waits behind whatever runs (the console keeps at most one of each timer
  // waiting); a user's action is refused while another user's action runs
  // and waits behind a timer's job.
  enum class Kind { None, Timer, User, Lifecycle };
  using Job = std::function<void()>;   // on the worker
  using Done = std::function<void()>;  // on the window thread, after the job

  explicit ServiceRunner(QObject* parent = nullptr);
  // Ends the worker once its queue is empty; call WaitIdle() first.
  ~ServiceRunner() override;
  ServiceRunner(const ServiceRunner&) = delete;
  ServiceRunner& operator=(const ServiceRunner&) = delete;

  // Window thread. `done` runs unless `context` is gone by then.
  void Post(Kind kind, Job job, Done done = {}, QObject* context = nullptr);
  // True when no job is queued or running.
  bool Idle() const { return pending_ == 0; }
  // The kind of the oldest job not yet finished (None when idle).
  Kind Current() const { return pending_ == 0 ? Kind::None : kinds_.front(); }
  bool HasUserJob() const;
  // Runs a local event loop until the runner is idle.
  void WaitIdle();

 signals:
  // Window thread: the runner became idle after a job (the services may be read).
  void becameIdle();
  void busyChanged(bool busy);

 private:
  struct Entry {
    Job job;
    Done done;
    QPointer<QObject> context;
    bool hasContext = false;
  };
  void WorkerLoop();
  void Finished(Entry entry);

  // Window thread only.
  int pending_ = 0;
  std::deque<Kind> kinds_;

  // Shared with the worker.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Entry> queue_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace ui
