#pragma once
// The start-up and shutdown steps that belong to the registries and the
// logon: the mail servers with their computers, the logon dialog and logon of
// each computer, the logoff of each, and the release of the registries. Every
// other step goes on to `next` (or does nothing without one).

#include "core/ChainedAppHooks.h"

namespace core {

class NetworkServices;

class NetworkAppHooks : public ChainedAppHooks {
 public:
  explicit NetworkAppHooks(NetworkServices& services, AppHooks* next = nullptr);

  // Ours.
  std::vector<MailServerEntry> MailServers() override;
  LogonOutcome LogonComputer(const MailServerEntry& server, const ComputerSlot& computer) override;
  LogoffOutcome Logoff(const ComputerSlot& computer) override;
  void ReleaseRegistries() override;

 private:
  NetworkServices& services_;
};

}  // namespace core
