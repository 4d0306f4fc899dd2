#include "ui/favorites/AlarmFileRequests.h"

#include "text/Cp1251.h"

namespace ui {

namespace {

ports::FileDialogRequest Request(const char* filter, const char* extension, const std::string& initialPath) {
  ports::FileDialogRequest request;
  request.filter = text::Cp(filter);
  request.defaultExtension = extension;
  request.initialPath = initialPath;
  return request;
}

}  // namespace

ports::FileDialogRequest SoundFileRequest(const std::string& initialPath) {
  return Request("Звуковые файлы (*.Wav)|*.Wav|MIDI файлы (*.Mid)|*.Mid|Все файлы (*.*)|*.*||", "Wav", initialPath);
}

ports::FileDialogRequest ApplicationFileRequest(const std::string& initialPath) {
  return Request("EXE файлы (*.Exe)|*.Exe|Командные файлы (*.Bat)|*.Bat|Все файлы (*.*)|*.*||", "Exe", initialPath);
}

}  // namespace ui
