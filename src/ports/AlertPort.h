#pragma once
// Alert reactions: a sound file and an external program.

#include <string>

namespace ports {

class AlertPort {
 public:
  virtual ~AlertPort() = default;
  virtual void StopSound() = 0;
  // Plays asynchronously; never waits for a busy sound device.
  virtual void PlaySound(const std::string& path) = 0;
  // Starts a command line detached, in its own session, with a window title.
  virtual void StartProgram(const std::string& commandLine, const std::string& windowTitle) = 0;
};

}  // namespace ports
