#pragma once
// The installation page's messages and captions, CP1251.

#include <string>

#include "text/Cp1251.h"

namespace model::installtext {

inline std::string ErrorCaption() { return text::Cp("Ошибка"); }
inline std::string MessageCaption() { return text::Cp("Сообщение"); }

// "%d": 0 no abonent, 1 its mail server, 2 the name of the MQUEUE computer, 3 that computer.
inline std::string RebuildInternalError() { return text::Cp("__ReBuildInstallationsList():\ninternal error (%d)"); }
inline std::string NoInstallDirectory() {
  return text::Cp("Не удалось определить расположение каталога инсталляции на сервере.");
}
inline std::string ListFailed() {
  return text::Cp("Не удается получить список инсталляций на сервере:\nошибка канала связи.");
}

inline std::string EmptyList() {
  return text::Cp("Не возможно выполнить команду:\nсписок доступных инсталляций пуст.");
}
inline std::string NoSelection() { return text::Cp("Не возможно выполнить команду:\nвыберите инсталляцию из списка."); }
inline std::string NoDiskettes() {
  return text::Cp("Не возможно выполнить команду:\nинсталляция не содержит ни одной дискеты.");
}
inline std::string ScanRunning() {
  return text::Cp("Не возможно выполнить команду во время сканирования данных с почтового сервера.");
}
inline std::string BindFailed() { return text::Cp("Ошибка установки канала связи с почтовым сервером \"%s\"."); }
inline std::string DiskettesFailed() {
  return text::Cp("Не удается получить информацию об инсталляциях на сервере:\nошибка канала связи.");
}
inline std::string SettingsFailed() { return text::Cp("Не удалось создать файл конфигурации для инсталляции."); }
inline std::string Copied() { return text::Cp("Инсталляция скопирована успешно."); }

inline std::string GuidFailed() { return "stat_GenGuidStr():\ninternal error (0)"; }
inline std::string TempCreateFailed() { return text::Cp("Не удалось создать временный каталог."); }
inline std::string TempPrepareFailed() { return text::Cp("Не удалось подготовить временный каталог."); }
inline std::string DisketteListFailed() { return text::Cp("Не удалось получить содержимое инсталляционной дискеты."); }
inline std::string NoMemory() { return text::Cp("Ошибка менеджера распределения памями (не хватает памяти)."); }
inline std::string FetchFailed() { return text::Cp("Ошибка получения файла."); }
inline std::string ServerFetchError() {
  return text::Cp(
      "Ошибка %ld:%ld (0x%lX:0x%lX) сервера Veltrane32 при пересылке файла \"%s\" в локальный файл \"%s\".");
}
inline std::string CreateFailed() { return text::Cp("Ошибка создания файла \"%s\"."); }
inline std::string WriteFailed() { return text::Cp("Ошибка записи данных (%lu байт) в локальный файл \"%s\"."); }
inline std::string BrowseTitle() { return text::Cp("Инсталляция \"%s\""); }
inline std::string RetryWrite() {
  return text::Cp("Ошибка записи файла:\n   \"%s\"\nПовторить попытку записи файла?\n");
}
inline std::string TempEmptyFailed() { return text::Cp("Не удалось очистить временный каталог:\n\"%s\""); }

inline std::string SettingsCreateFailed() { return text::Cp("Ошибка создания файла настроек абонента:\n   \"%s\""); }
inline std::string SettingsWriteFailed() { return text::Cp("Ошибка записи файла настроек абонента:\n   \"%s\""); }

// Names that could lead a write out of the chosen folder ("%s": the name).
inline std::string BadInstallationName() {
  return text::Cp("Недопустимое имя инсталляции с сервера: \"%s\". Инсталляция пропущена.");
}
inline std::string BadDisketteName() {
  return text::Cp("Недопустимое имя дискеты с сервера: \"%s\". Дискета пропущена.");
}
inline std::string BadFileName() { return text::Cp("Недопустимое имя файла с сервера: \"%s\". Файл пропущен."); }
inline std::string BadMailboxName() {
  return text::Cp("Недопустимое имя абонента для файла настроек: \"%s\". Файл настроек не создан.");
}

}  // namespace model::installtext
