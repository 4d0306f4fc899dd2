#pragma once
// The alert reactions on the desktop: a sound file played by Qt, and a program
// started detached in a session of its own. With a terminal program on PATH
// the alert program runs in a terminal window titled as the alert says;
// without one it runs through /bin/sh -c with its output appended to a log
// file, named once through `logStarted`. The title is also in the environment
// variable VT_ALERT_TITLE.

#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <string>

#include "ports/AlertPort.h"

class QSoundEffect;

namespace ui {

struct AlertLaunch {
  // The terminal program's path, empty when there is none.
  std::function<QString()> findTerminal;
  // Where a program without a terminal writes; empty: its output is dropped.
  QString logFile;
  // Told the log file once, when the first program writes there; any thread.
  std::function<void(const QString& logFile)> logStarted;
};

class QtAlertPort : public ports::AlertPort {
 public:
  // The desktop's terminal: x-terminal-emulator on PATH.
  static QString DefaultTerminal();

  explicit QtAlertPort(AlertLaunch launch = {DefaultTerminal, {}, {}});
  ~QtAlertPort() override;
  QtAlertPort(const QtAlertPort&) = delete;
  QtAlertPort& operator=(const QtAlertPort&) = delete;

  void StopSound() override;
  // An empty path stops the sound and plays nothing.
  void PlaySound(const std::string& path) override;
  void StartProgram(const std::string& commandLine, const std::string& windowTitle) override;

  // The file being played (local path), empty when none is.
  QString PlayingFile() const;

 private:
  QPointer<QSoundEffect> effect_;
  AlertLaunch launch_;
  std::atomic<bool> logTold_{false};
};

}  // namespace ui
