// The missing-file loop of start-up: create the configuration file from the
// default text, or choose another.

#include <cstdio>
#include <unistd.h>

#include "core/CTarvikApp.h"
#include "core/ConfigPath.h"
#include "core/DefaultConfigText.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

using ports::MsgAnswer;
using ports::MsgButtons;
using ports::MsgIcon;

// Writes the whole text; false on any error (the close included).
bool WriteNewFile(const std::string& path, const std::string& content) {
  // unlink, not remove: a directory chosen by mistake is never deleted.
  unlink(path.c_str());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  const bool closed = std::fclose(f) == 0;
  return written && closed;
}

}  // namespace

bool CTarvikApp::ChooseConfigFile(std::string& path) {
  using text::Cp;
  ports::DialogPort& dialogs = *env_.dialogs;
  const std::string filter = Cp("Конфигурационные файлы (*.Cfg)|*.Cfg|Все файлы (*.*)|*.*||");

  while (!IsExistingRegularFile(path)) {
    // The question says "not found" whatever stands there; a folder, a pipe
    // or an unreachable path is named in the message list, which shows again
    // with the next start-up line.
    if (const std::string note = PathKindNote(path); !note.empty()) AddLogMessage(note, 0, image::kFailed);
    log_.Hide();
    const MsgAnswer create = dialogs.Message(
        text::Format(Cp("\nНе найден конфигурационный файл \"%s\"!\n\nСоздать новый конфигурационный файл?\n\n").c_str(),
                     path.c_str()),
        Cp("Вопрос"), MsgIcon::Question, MsgButtons::YesNo, true);

    if (create == MsgAnswer::Yes) {
      const auto chosen = dialogs.SaveFile({Cp("Новый конфигурационный файл"), filter, "Cfg", path, false});
      if (!chosen) return false;
      path = *chosen;
      if (access(path.c_str(), F_OK) == 0) {
        const MsgAnswer overwrite = dialogs.Message(
            text::Format(Cp("\nПерезаписать конфигурационный файл \"%s\"!\n\n").c_str(), path.c_str()), Cp("Вопрос"),
            MsgIcon::Question, MsgButtons::YesNoCancel, true);
        if (overwrite == MsgAnswer::No) continue;  // the existing file is used
        if (overwrite != MsgAnswer::Yes) return false;
      }
      // A short write counts like a file that could not be created: a cut
      // default text must not be taken for a configuration.
      if (!WriteNewFile(path, DefaultConfigText())) {
        dialogs.Message(text::Format(Cp("\nНе удалось перезаписать конфигурационный файл \"%s\"!\n\n").c_str(),
                                     path.c_str()),
                        Cp("Ошибка"), MsgIcon::Error, MsgButtons::YesNo, true);
        return false;
      }
      windows_.EditConfigFile(path);
    } else {
      const auto chosen = dialogs.OpenFile({Cp("Укажите конфигурационный файл"), filter, "Cfg", path, true});
      if (!chosen) return false;
      path = *chosen;
    }
  }
  return true;
}

}  // namespace core
