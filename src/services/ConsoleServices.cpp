#include "services/ConsoleServices.h"

#include <algorithm>

#include "cfg/C_CFG_File.h"

namespace services {

ConsoleServices::ConsoleServices(const ConsolePorts& ports, ConsoleOptions options)
    : ports_(ports),
      options_(std::move(options)),
      tasks_(net_.Computers(), net_.MailServers()),
      app_(AppEnvironment()),
      poller_(PollEnvironment()),
      hosts_(net_, [this](const std::string& text, int code) { app_.AddLogMessage(text, 0, code); }),
      favoriteServers_(net_, hosts_),
      favorites_(FavoritesEnvironment()) {
  net_.SetTimeouts(options_.connectTimeout, options_.callTimeout);
  net_.SetTaskCarrierLookup(&tasks_);
  net_.Attach(app_, *ports_.dialogs, ports_.views);
  if (options_.machineIdentity) net_.SetIdentity(options_.machineIdentity);
  if (options_.localTest) net_.Computers().SetLocalTest(options_.localTest);
  poller_.SetConnectProbe(options_.connectProbe, options_.connectTimeout);
}

ConsoleServices::~ConsoleServices() = default;

core::AppEnvironment ConsoleServices::AppEnvironment() {
  core::AppEnvironment env;
  env.dialogs = ports_.dialogs;
  env.clock = ports_.clock;
  env.progress = ports_.progress;
  env.windows = ports_.windows;
  env.services = this;
  env.registries = &net_;
  env.commandLine = options_.commandLine;
  env.programPath = options_.programPath;
  env.machineIdentity = options_.machineIdentity;
  env.installCrashHandlers = options_.installCrashHandlers;
  env.logLineLimit = options_.logLineLimit;
  return env;
}

core::PollEnvironment ConsoleServices::PollEnvironment() {
  core::PollEnvironment env;
  env.net = &net_;
  env.tasks = &tasks_;
  env.log = &app_.Log();
  env.settings = &app_.Settings();
  env.clock = ports_.clock;
  env.dialogs = ports_.dialogs;
  env.alerts = ports_.alerts;
  env.views = ports_.views;
  env.gate = &gate_;
  return env;
}

model::FavoritesEnvironment ConsoleServices::FavoritesEnvironment() {
  model::FavoritesEnvironment env;
  env.servers = &favoriteServers_;
  env.clock = ports_.clock;
  env.progress = ports_.progress;
  env.alerts = ports_.alerts;
  env.messages = &app_.Log();
  env.settings = &app_.Settings();
  env.gate = &gate_;
  env.views = ports_.favoritesViews;
  return env;
}

bool ConsoleServices::Start() { return app_.InitInstance(); }

int ConsoleServices::Stop() { return app_.ExitInstance(); }

void ConsoleServices::PrepareFastStop() {
  net_.SkipUnreachableLogoffs();
  net_.SetTimeouts(options_.connectTimeout, std::min(options_.connectTimeout, options_.callTimeout));
}

bool ConsoleServices::AnySessionOpen() const {
  const core::ComputerRegistry& computers = net_.Computers();
  for (int slot = 0; slot < core::ComputerRegistry::kSlots; ++slot)
    if (const core::__RpcClientDescription* computer = computers.At(slot); computer && computer->SessionOpen()) return true;
  return false;
}

// Both take the gate themselves and do nothing while another sequence holds it.
void ConsoleServices::OnPollTimer() { poller_.PollAll(); }

void ConsoleServices::OnFavoritesTimer() { favorites_.ScanFavorites(); }

std::vector<core::MailServerEntry> ConsoleServices::MailServers() { return net_.MailServerEntries(); }

core::LogonOutcome ConsoleServices::LogonComputer(const core::MailServerEntry& server, const core::ComputerSlot& slot) {
  const core::LogonOutcome outcome = net_.LogonAtStartup(server, slot);
  // A computer that took the logon shows its tasks from the start.
  core::__RpcClientDescription* computer = net_.Computers().At(slot.index);
  if (outcome == core::LogonOutcome::Continue && computer &&
      computer->startupLogon == core::StartupLogon::Accepted)
    poller_.RefreshTasks(*computer);
  return outcome;
}

void ConsoleServices::PollAll() { poller_.PollAll(); }

bool ConsoleServices::LoadFavorites() {
  C_CFG_File* file = app_.SettingsFile();
  if (!file) {
    favorites_.RemoveAllGroups();
    return false;
  }
  return favorites_.LoadFavorites(*file);
}

void ConsoleServices::RemoveAllGroups() { favorites_.RemoveAllGroups(); }

core::LogoffOutcome ConsoleServices::Logoff(const core::ComputerSlot& slot) { return net_.LogoffAtShutdown(slot); }

bool ConsoleServices::SaveFavorites(std::string& reason) {
  C_CFG_File* file = app_.SettingsFile();
  if (!file) {
    reason = "no configuration file is open";
    return false;
  }
  if (favorites_.SaveFavorites(*file)) return true;
  reason = file->LastSaveError();
  return false;
}

void ConsoleServices::ReleaseRegistries() { net_.Teardown(); }

}  // namespace services
