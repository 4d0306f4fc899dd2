#include "ui/runtime/ServiceRunner.h"

#include <QEventLoop>
#include <QMetaObject>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <exception>

#include "ui/runtime/UiThread.h"

namespace ui {

ServiceRunner::ServiceRunner(QObject* parent) : QObject(parent), worker_([this] { WorkerLoop(); }) {}

ServiceRunner::~ServiceRunner() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void ServiceRunner::Post(Kind kind, Job job, Done done, QObject* context) {
  // Only the window thread queues: that is how it knows when the worker is idle.
  assert(OnUiThread());
  ++pending_;
  kinds_.push_back(kind);
  if (pending_ == 1) emit busyChanged(true);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(Entry{std::move(job), std::move(done), QPointer<QObject>(context), context != nullptr});
  }
  wake_.notify_one();
}

bool ServiceRunner::HasUserJob() const {
  return std::any_of(kinds_.begin(), kinds_.end(), [](Kind kind) { return kind == Kind::User; });
}

void ServiceRunner::WaitIdle() {
  assert(OnUiThread());
  if (Idle()) return;
  QEventLoop loop;
  QMetaObject::Connection connection = connect(this, &ServiceRunner::becameIdle, &loop, &QEventLoop::quit);
  loop.exec();
  disconnect(connection);
}

void ServiceRunner::WorkerLoop() {
  for (;;) {
    Entry entry;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;
      entry = std::move(queue_.front());
      queue_.pop_front();
    }
    try {
      if (entry.job) entry.job();
    } catch (const std::exception& error) {
      // The core's envelopes catch the call failures; what gets here is a
      // fault of ours. The console goes on; the job's window learns nothing new.
      std::fprintf(stderr, "vtconsole: a background job failed: %s\n", error.what());
    } catch (...) {
      std::fprintf(stderr, "vtconsole: a background job failed\n");
    }
    entry.job = nullptr;
    QMetaObject::invokeMethod(
        this, [this, entry = std::move(entry)]() mutable { Finished(std::move(entry)); }, Qt::QueuedConnection);
  }
}

void ServiceRunner::Finished(Entry entry) {
  --pending_;
  kinds_.pop_front();
  if (entry.done && (!entry.hasContext || entry.context)) entry.done();
  if (pending_ == 0) {
    emit busyChanged(false);
    emit becameIdle();
  }
}

}  // namespace ui
