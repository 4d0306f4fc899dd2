#include "core/poll/Alert.h"

#include "ports/AlertPort.h"
#include "text/Strings.h"

namespace core {

std::string AlertProgramTitle(const std::tm& startTime, const std::string& commandLine) {
  // Not "%s" with the command line: a NUL in it must not cut the title short.
  return text::Format("Started from Veltrane32 configuration program : %d:%d:%d - [", startTime.tm_hour,
                      startTime.tm_min, startTime.tm_sec) +
         commandLine + "]";
}

void RaiseAlert(ports::AlertPort& port, const AlertSettings& settings, bool playSound, bool startProgram,
                const std::tm& startTime) {
  if (playSound && !settings.soundFile.empty()) {
    port.StopSound();
    port.PlaySound(settings.soundFile);
  }
  if (startProgram && !settings.commandLine.empty())
    port.StartProgram(settings.commandLine, AlertProgramTitle(startTime, settings.commandLine));
}

}  // namespace core
