#pragma once
// SIGINT and SIGTERM for the desktop program. The handler does only what is
// safe in a handler: it stops the calls under way (their waits end at once)
// and writes a byte to a pipe; the window thread reads the pipe through its
// event loop, also the nested loop of an open box, and runs `onStop` there.
//
//   ui::StopSignals stops([&console] { console.StopFromSignal(); });

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace ui {

class StopSignals : public QObject {
 public:
  // Installs the handlers; one object at a time in a process.
  explicit StopSignals(std::function<void()> onStop, QObject* parent = nullptr);
  // Puts back the handlers that were there before.
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool Installed() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void()> onStop_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ui
