#pragma once
// The alert reactions on the desktop: a sound file played by Qt, and a program
// started detached through /bin/sh -c in a session of its own, its output going
// to /dev/null. The window title has no console window to go to: the program
// finds it in the environment variable VT_ALERT_TITLE.

#include <QPointer>

#include <string>

#include "ports/AlertPort.h"

class QSoundEffect;

namespace ui {

class QtAlertPort : public ports::AlertPort {
 public:
  QtAlertPort() = default;
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
};

}  // namespace ui
