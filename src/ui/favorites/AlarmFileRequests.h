#pragma once
// The open-file requests for the two alarm reactions, a sound file and an
// application, shared by the group grid and the settings dialog.

#include <string>

#include "ports/DialogPort.h"

namespace ui {

// Starts at `initialPath` (CP1251); filter and default extension "Wav".
ports::FileDialogRequest SoundFileRequest(const std::string& initialPath);
// Starts at `initialPath` (CP1251); filter and default extension "Exe".
ports::FileDialogRequest ApplicationFileRequest(const std::string& initialPath);

}  // namespace ui
