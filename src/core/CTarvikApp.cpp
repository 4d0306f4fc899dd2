#include "core/CTarvikApp.h"

#include "core/SettingWriters.h"

#include <algorithm>

#include "cfg/C_CFG_File.h"
#include "core/ConfigPath.h"
#include "core/CrashReport.h"
#include "core/LogTime.h"
#include "core/MachineIdentity.h"
#include "ports/Clock.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

using ports::MsgButtons;
using ports::MsgIcon;

}  // namespace

CTarvikApp::CTarvikApp(AppEnvironment environment)
    : env_(std::move(environment)),
      windows_(env_.windows ? *env_.windows : noWindows_),
      services_(env_.services ? *env_.services : noServices_),
      registries_(env_.registries ? *env_.registries : defaultRegistries_),
      log_(env_.logLineLimit) {}

CTarvikApp::~CTarvikApp() = default;

std::array<int, 4> CTarvikApp::ParseVersion(std::string_view version) {
  std::array<int, 4> numbers{};
  size_t pos = 0;
  for (int& n : numbers) {
    if (pos > version.size()) break;
    const size_t dot = version.find('.', pos);
    n = static_cast<int>(text::ParseLeadingUnsigned(version.substr(pos, dot - pos)) & 0x7FFFFFFF);
    if (dot == std::string_view::npos) break;
    pos = dot + 1;
  }
  return numbers;
}

void CTarvikApp::AddLogMessage(std::string_view message, uint32_t lifetimeMs, int image) {
  log_.Add(message, lifetimeMs, image);
}

void CTarvikApp::ShowLog(uint32_t lifetimeMs) { log_.Show(lifetimeMs); }

int CTarvikApp::LoadSettings(const std::string& path) {
  // Lines the reader had to cut are named in the message list, so that a
  // value the next save writes as several lines does not change unnoticed.
  std::vector<std::string> messages;
  const int result = LoadSettingsFile(path, file_, registries_, settings_, *env_.dialogs, &messages);
  for (const std::string& message : messages) AddLogMessage(message, 0, image::kFailed);
  return result;
}

void CTarvikApp::LogOk() { AddLogMessage("  OK.", 0, image::kOk); }

std::string CTarvikApp::TimeText() const { return FormatLogTime(env_.clock->LocalTime()); }

void CTarvikApp::SetSplashDisabled(bool disabled) {
  settings_.splashWindowDisable = disabled;
  log_.SetPopupDisabled(disabled);
}

bool CTarvikApp::WriteSplashDisabled(bool disabled, std::string& reason) {
  SetSplashDisabled(disabled);
  reason.clear();
  if (!file_ || file_->IsBad() || !file_->IsLoaded()) {
    reason = text::Cp("Конфигурационный файл не загружен.");
    return false;
  }
  SetSettingBool(*file_, "COMMON", "SPLASH_WINDOW_DISABLE", disabled);
  if (file_->Save(false)) return true;
  reason = file_->LastSaveError();
  return false;
}

void CTarvikApp::AddTrayIcon() {
  if (!mainWindow_ || trayShown_) return;
  windows_.ShowTrayIcon();
  trayShown_ = true;
}

void CTarvikApp::RemoveTrayIcon() {
  if (!trayShown_) return;
  windows_.HideTrayIcon();
  trayShown_ = false;
}

bool CTarvikApp::InitInstance() {
  using text::Cp;
  ports::DialogPort& dialogs = *env_.dialogs;
  log_.SetStartupOrShutdown(true);

  // The program's version and the localization library made for it.
  const auto version = ParseVersion(VT_VERSION_TEXT);
  if (windows_.LoadLocalization(version[2]) == LocalizationResult::VersionMismatch)
    dialogs.Message(Cp("CfgLocalization.Dll не соответствует данной версии конфигуратора"),
                    Cp("Ошибка локализации"), MsgIcon::Exclamation, MsgButtons::Ok, true);

  // The owner window and the message window.
  if (!windows_.CreateMessageWindow()) return false;
  messageWindow_ = true;

  AddLogMessage(Cp("Старт ...\n  ") + TimeText(), 0, image::kTime);

  // Sockets need no start-up here; the step keeps its line.
  AddLogMessage(Cp("Инициализация Sockets Library ..."), 0, image::kSockets);
  LogOk();

  const std::string identity = env_.machineIdentity ? env_.machineIdentity() : MachineIdentity();
  AddLogMessage(Cp("Идентификация в сети:\n  ") + text::ReplaceAll(identity, ";", "\n  "), 0, image::kNetwork);

  // Nothing to initialise on this system; the steps keep their lines.
  AddLogMessage(Cp("Инициализация OLE32 ..."), 0, image::kLibraries);
  LogOk();
  AddLogMessage(Cp("Инициализация RICHED32.DLL ..."), 0, image::kLibraries);
  LogOk();

  // Crash reporting.
  AddLogMessage(Cp("Инициализация подистемы обработки\nисключительных ситуаций ..."), 0, image::kCrashReporting);
  if (env_.installCrashHandlers && !InstallCrashHandlers(VT_VERSION_TEXT)) return false;
  LogOk();

  // The configuration file: from the command line, or chosen.
  AddLogMessage(Cp("Загрузка конфигурации ..."), 0, image::kPlain);
  configPath_ = ConfigPathFromCommandLine(env_.commandLine, env_.programPath);
  if (!ChooseConfigFile(configPath_)) return false;

  if (LoadSettings(configPath_) != load::kOk) {
    ports::RichText body;
    body.paragraphs = {{},
                       {{Cp("Ошибка открытия конфигурационного файла"), 0x800000, false}},
                       {},
                       {{"\t\"" + configPath_ + "\"", 0x000000, false}},
                       {}};
    body.font = "Arial";
    body.points = 10;
    // No caption is fixed for this box; it reports an error like the others.
    dialogs.ShowRichMessage(Cp("Ошибка"), body);
    return false;
  }
  AddLogMessage("  OK.", 0, image::kConfigLoaded);
  SetSplashDisabled(settings_.splashWindowDisable);

  // The main window object; the reduced interface of old systems never applies here.
  AddLogMessage(Cp("Инициализация основных компанент\nсреды приложения ..."), 0, image::kPlain);
  if (!windows_.CreateMainWindow(VT_VERSION_TEXT)) return false;
  LogOk();

  // The main window, hidden, with the progress control of its status bar.
  if (!windows_.CreateMainFrame()) return false;
  mainWindow_ = true;
  busy_.Attach(env_.progress);

  // One logon per computer of each mail server.
  if (!LogonToMailServers()) return false;

  // First poll and the favourite groups.
  AddLogMessage(Cp("Инициализация подсистемы сканирования\nпользовательских групп избранных\nнаправлений/абонентов ..."),
                0, image::kFavorites);
  services_.PollAll();
  windows_.ProcessPendingEvents();
  if (!services_.LoadFavorites()) {
    // No caption is fixed for this box either.
    dialogs.Message(Cp("Ошибка чтения параметров групп избранных направлений из конфгурационного файла."),
                    Cp("Ошибка"), MsgIcon::Exclamation);
    services_.RemoveAllGroups();
  }
  favoritesLoaded_ = true;
  windows_.RefillFavoritesGrid();
  LogOk();

  windows_.ShowComputerIdentification();

  // Second poll and the timers.
  AddLogMessage(Cp("Проверка подсистем сканирования\nданных ..."), 0, image::kTime);
  services_.PollAll();
  windows_.StartTimers(PollTimerMs(settings_.periodVerify), kFavoritesTimerMs);
  windows_.RestorePlacement();
  LogOk();

  // Start-up is over: the message window goes, the tray icon comes.
  log_.Hide();
  log_.SetStartupOrShutdown(false);
  AddTrayIcon();
  windows_.FocusNavigation();
  return true;
}

bool CTarvikApp::LogonToMailServers() {
  using text::Cp;
  ports::DialogPort& dialogs = *env_.dialogs;
  for (const MailServerEntry& server : services_.MailServers()) {
    if (server.computers.empty()) {
      dialogs.Message(text::Format(Cp("В файле конфигурации для узла \"%s\" не задано ни одного соединения.").c_str(),
                                   server.name.c_str()),
                      Cp("Ошибка"), MsgIcon::Error);
      return false;
    }
    for (const ComputerSlot& computer : server.computers) {
      if (!computer.exists) {
        dialogs.Message("INTERNAL ERROR -101 DURING Application::InitInstance().", Cp("Ошибка"), MsgIcon::Error);
        return false;
      }
      if (services_.LogonComputer(server, computer) == LogonOutcome::EndProgram) return false;
    }
  }
  return true;
}

int CTarvikApp::ExitInstance() {
  using text::Cp;
  log_.SetStartupOrShutdown(true);

  RemoveTrayIcon();
  ShowLog(0);

  AddLogMessage(Cp("\nСтоп ...\n  ") + TimeText() + "\n", 0, image::kTime);
  AddLogMessage(Cp("Деинициализация пользовательского\nинтервейса ..."), 0, image::kPlain);
  LogOk();

  // Log off every computer that was logged on.
  AddLogMessage(Cp("Деинициализация интерфейсов почтовых\nузлов:"), 0, image::kPlain);
  LogoffMailServers();
  LogOk();

  // Only the favourite groups are written at shutdown.
  AddLogMessage(Cp("Сохранение конфигурации ..."), 0, image::kPlain);
  saveError_.clear();
  if (file_ && file_->IsLoaded() && favoritesLoaded_) {
    std::string reason;
    if (!services_.SaveFavorites(reason)) saveError_ = reason.empty() ? Cp("неизвестная ошибка") : reason;
    favoritesLoaded_ = false;
  }
  if (saveError_.empty()) {
    LogOk();
  } else {
    // A save that did not happen must not read as done: the favourites and
    // every setting written since start-up are not in the file.
    AddLogMessage("  FAILED !!!", 0, image::kFailed);
    const std::string message =
        text::Format(Cp("Файл конфигурации \"%s\" не сохранён:\n%s").c_str(), configPath_.c_str(), saveError_.c_str());
    AddLogMessage(message, 0, image::kFailed);
    env_.dialogs->Message(message, Cp("Ошибка"), MsgIcon::Error);
  }

  AddLogMessage(Cp("Деинициализация подсистемы сканирования\nпользовательских групп избранных\nнаправлений/абонентов ..."),
                0, image::kFavorites);
  services_.RemoveAllGroups();
  LogOk();

  services_.ReleaseRegistries();
  busy_.Detach();

  AddLogMessage(Cp("Деинициализация Sockets Library ..."), 0, image::kSockets);
  LogOk();

  windows_.DestroyWindows();
  messageWindow_ = false;
  mainWindow_ = false;
  log_.Hide();
  log_.Clear();
  return env_.installCrashHandlers ? FinishCrashHandlers() : 0;
}

void CTarvikApp::LogoffMailServers() {
  using text::Cp;
  for (const MailServerEntry& server : services_.MailServers()) {
    AddLogMessage(text::Format(Cp("  Узел: \"%s\"").c_str(), server.name.c_str()), 0, image::kOk);
    for (const ComputerSlot& computer : server.computers) {
      if (!computer.exists) continue;
      AddLogMessage(text::Format(Cp("    Интерфейс: \"%s\"").c_str(), computer.name.c_str()), 0, image::kOk);
      LogoffOutcome outcome;
      // A failure of one log-off must not stop the shutdown (the favourites
      // are still to be saved).
      try {
        outcome = services_.Logoff(computer);
      } catch (...) {
        outcome = LogoffOutcome::Failed;
      }
      switch (outcome) {
        case LogoffOutcome::NotUsed: AddLogMessage(Cp("      Не использован."), 0, image::kOk); break;
        case LogoffOutcome::Done: AddLogMessage(Cp("      OK, деинициализирован."), 0, image::kOk); break;
        case LogoffOutcome::Failed: AddLogMessage("      FAILED !!!", 0, image::kFailed); break;
      }
    }
  }
}

}  // namespace core
