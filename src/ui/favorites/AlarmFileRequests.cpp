#include "ui/favorites/AlarmFileRequests.h"

#include "text/Cp1251.h"

namespace ui {

ports::FileDialogRequest SoundFileRequest(const std::string& initialPath) {
  ports::FileDialogRequest request;
  request.filter = text::Cp("Звуковые файлы (*.Wav)|*.Wav|MIDI файлы (*.Mid)|*.Mid|Все файлы (*.*)|*.*||");
  request.defaultExtension = "Wav";
  request.initialPath = initialPath;
  return request;
}

ports::FileDialogRequest ApplicationFileRequest(const std::string& initialPath) {
  ports::FileDialogRequest request;
  request.filter = text::Cp("EXE файлы (*.Exe)|*.Exe|Командные файлы (*.Bat)|*.Bat|Все файлы (*.*)|*.*||");
  request.defaultExtension = "Exe";
  request.initialPath = initialPath;
  return request;
}

}  // namespace ui
