#pragma once
// Messages about the favourite groups shown by the windows and by start-up (CP1251).

#include <string>

#include "text/Cp1251.h"

namespace model::favorites_text {

// A group command refused while a scan runs; caption MessageCaption().
inline std::string BusyScanning() {
  return text::Cp("Невозможно выполнить операцию во время сканирования данных с почтового сервера");
}
inline std::string MessageCaption() { return text::Cp("Сообщение"); }
// Start-up could not read the section.
inline std::string LoadFailed() {
  return text::Cp("Ошибка чтения параметров групп избранных направлений из конфгурационного файла.");
}

}  // namespace model::favorites_text
