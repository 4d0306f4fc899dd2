#pragma once
// The alert reactions: a sound file and a program started on this machine,
// each only when asked for and set.

#include <ctime>
#include <string>

namespace ports {
class AlertPort;
}

namespace core {

struct AlertSettings {
  std::string soundFile;    // empty: no sound
  std::string commandLine;  // empty: no program
};

// The window title a started program gets: "... : H:M:S - [command line]".
std::string AlertProgramTitle(const std::tm& startTime, const std::string& commandLine);

// Stops the sound being played and plays the file without waiting; starts the
// program detached. `startTime` names the program's start in its title.
void RaiseAlert(ports::AlertPort& port, const AlertSettings& settings, bool playSound, bool startProgram,
                const std::tm& startTime);

}  // namespace core
