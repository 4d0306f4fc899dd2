#include "core/net/NetworkAppHooks.h"

#include "core/net/NetworkServices.h"
#include "ports/DialogPort.h"
#include "ports/ViewNotifier.h"

namespace core {

NetworkAppHooks::NetworkAppHooks(NetworkServices& services, AppHooks* next)
    : ChainedAppHooks(next), services_(services) {}

std::vector<MailServerEntry> NetworkAppHooks::MailServers() {
  std::vector<MailServerEntry> out;
  const MailServerRegistry& servers = services_.MailServers();
  for (int i = 0; i < MailServerRegistry::kSlots; ++i) {
    const __VtHostDescription* server = servers.At(i);
    if (!server) continue;
    MailServerEntry entry;
    entry.name = server->name;
    for (const int index : server->computers) {
      ComputerSlot slot;
      slot.index = index;
      const __RpcClientDescription* computer = services_.Computers().At(index);
      slot.exists = computer != nullptr;
      if (computer) slot.name = computer->name;
      entry.computers.push_back(std::move(slot));
    }
    out.push_back(std::move(entry));
  }
  return out;
}

LogonOutcome NetworkAppHooks::LogonComputer(const MailServerEntry& server, const ComputerSlot& slot) {
  LogonState& state = services_.Logon();
  __RpcClientDescription* computer = services_.Computers().At(slot.index);
  ports::DialogPort* dialogs = services_.Dialogs();
  if (!computer || !dialogs) return LogonOutcome::EndProgram;

  state.connectionNotUsed = false;
  const std::optional<ports::LogonAnswer> answer = dialogs->Logon({server.name, computer->name, state.userName});
  if (!answer) return LogonOutcome::EndProgram;
  if (answer->quit) {
    state.quitRequest = true;
    return LogonOutcome::EndProgram;
  }
  state.userName = answer->userName;
  state.password = answer->password;
  state.connectionNotUsed = answer->noConnection;
  state.logonComputer = computer->name;

  const bool wasAdministrator = computer->Administrator();
  const int result = services_.Sessions().Logon(true);
  if (state.quitRequest) return LogonOutcome::EndProgram;
  // A refused logon or a lost channel goes on to the next computer without
  // storing a session for this one.
  if (result != 1) return LogonOutcome::Continue;
  services_.Sessions().SetLogonData(*computer, state.userName, state.password,
                                    state.accessLevel == access::kAdministrator, state.connectionNotUsed);
  if (computer->Administrator() != wasAdministrator && services_.Notifier())
    services_.Notifier()->RightsChanged(computer->index);
  return LogonOutcome::Continue;
}

LogoffOutcome NetworkAppHooks::Logoff(const ComputerSlot& slot) {
  __RpcClientDescription* computer = services_.Computers().At(slot.index);
  if (!computer) return LogoffOutcome::NotUsed;
  return services_.Sessions().Logoff(*computer);
}

void NetworkAppHooks::ReleaseRegistries() {
  services_.Teardown();
  ChainedAppHooks::ReleaseRegistries();
}

}  // namespace core
