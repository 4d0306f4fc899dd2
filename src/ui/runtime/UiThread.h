#pragma once
// Running a piece of work on the window thread from any thread. The ports
// that the services call from their worker (a message box in the middle of a
// poll, the logon dialog at start-up) hop over with it and wait for the
// answer; on the window thread itself the work runs at once.
//
// The window thread must never wait for the worker in a way that blocks its
// event loop, or a hop would wait for ever: it waits in local event loops.

#include <functional>

namespace ui {

// True on the thread that runs QApplication's event loop.
bool OnUiThread();

// Runs `work` on the window thread and returns once it has run.
void RunOnUiThread(const std::function<void()>& work);

// Queues `work` for the window thread and returns at once.
void PostToUiThread(std::function<void()> work);

// Runs `work` on the window thread and returns its result.
template <typename Result>
Result CallOnUiThread(const std::function<Result()>& work) {
  Result result{};
  RunOnUiThread([&] { result = work(); });
  return result;
}

}  // namespace ui
