#include "core/net/NetworkServices.h"

#include "core/CTarvikApp.h"

namespace core {

NetworkServices::NetworkServices()
    : mailServers_(computers_), binding_(computers_, nullptr), sessions_(computers_, binding_, logon_) {}

NetworkServices::~NetworkServices() { Teardown(); }

void NetworkServices::Attach(CTarvikApp& app, ports::DialogPort& dialogs, ports::ViewNotifier* notifier) {
  SetLog([&app](const std::string& text, int code) { app.AddLogMessage(text, 0, code); });
  SetDialogs(&dialogs);
  SetNotifier(notifier);
}

void NetworkServices::SetLog(NetLogFn log) {
  computers_.SetLog(log);
  mailServers_.SetLog(log);
  sessions_.SetLog(std::move(log));
}

void NetworkServices::SetDialogs(ports::DialogPort* dialogs) {
  dialogs_ = dialogs;
  sessions_.SetDialogs(dialogs);
}

void NetworkServices::SetNotifier(ports::ViewNotifier* notifier) {
  notifier_ = notifier;
  binding_.SetNotifier(notifier);
}

void NetworkServices::SetIdentity(std::function<std::string()> identity) { sessions_.SetIdentity(std::move(identity)); }

void NetworkServices::SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds call) {
  binding_.SetTimeouts(connect, call);
}

void NetworkServices::Clear() { Teardown(); }

int NetworkServices::RegisterComputer(const std::string& name, const std::string& value) {
  return computers_.Register(name, value);
}

int NetworkServices::RegisterMailServer(const std::string& name, const std::string& value) {
  return mailServers_.Register(name, value);
}

__RpcClientDescription* NetworkServices::FindTaskComputer(const std::string& mailServer,
                                                          const std::string& task) const {
  if (!taskLookup_) return nullptr;
  const std::string name = taskLookup_->FindTaskComputer(mailServer, task);
  return name.empty() ? nullptr : computers_.Find(name);
}

void NetworkServices::Teardown() {
  binding_.UnbindCurrent();
  computers_.Clear();
  mailServers_.Clear();
}

}  // namespace core
