#pragma once
// The alert reactions without a desktop: a sound file is handed to a player
// program (settable; paplay or aplay when one is installed), a program is
// started with /bin/sh -c in a session of its own, detached, its output going
// to /dev/null. Nothing is waited for.

#include <sys/types.h>

#include <string>

#include "ports/AlertPort.h"

namespace app {

class HeadlessAlertPort : public ports::AlertPort {
 public:
  // `player` empty: the first of paplay and aplay found on PATH, else no sound.
  explicit HeadlessAlertPort(std::string player = {});
  ~HeadlessAlertPort() override;
  HeadlessAlertPort(const HeadlessAlertPort&) = delete;
  HeadlessAlertPort& operator=(const HeadlessAlertPort&) = delete;

  const std::string& Player() const { return player_; }

  void StopSound() override;
  void PlaySound(const std::string& path) override;
  // The title goes to the program as the environment variable VT_ALERT_TITLE:
  // there is no console window to carry it.
  void StartProgram(const std::string& commandLine, const std::string& windowTitle) override;

  // A program name found in a folder of PATH, or empty.
  static std::string FindOnPath(const std::string& program);

 private:
  void Reap();

  std::string player_;
  pid_t playing_ = -1;
};

}  // namespace app
