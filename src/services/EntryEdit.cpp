#include "services/EntryEdit.h"

#include <algorithm>

#include "core/CTarvikApp.h"
#include "core/LogTime.h"
#include "core/MessageImage.h"
#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "model/host/VtHostData.h"
#include "ports/Clock.h"
#include "ports/DialogPort.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"

namespace services {

namespace {

// The apply's questions about the view, answered from what the window
// thread gathered before the job was queued.
class GatheredView : public model::ApplyView {
 public:
  GatheredView(ConsoleServices& console, const EntryApplyRequest& request, EntryApplyResult& result)
      : console_(console), request_(request), result_(result) {}

  model::_VxItemBase* ShownEntry() override { return request_.shown.get(); }
  void TakePendingInput() override {}  // the window thread ended every edit before gathering
  void GatherInto(model::_VxItemBase& work) override { work = request_.gathered; }
  bool ScanRunning() const override { return console_.ScanRunning(); }
  bool HasAdministratorRights() const override {
    return HasNodeRights(console_, request_.shown->mailServerName);
  }
  std::string NodeName() const override { return request_.shown->mailServerName; }
  bool CheckAddressField(bool withMessage) override {
    return !request_.checkAddress || request_.checkAddress(withMessage);
  }
  void ShowAddressPage() override { result_.showAddressPage = true; }
  void SetRoutingChanged(bool changed) override { result_.routingChanged = changed; }
  void ShowWorkCopy(const model::_VxItemBase& work) override { result_.keptInEditor = work; }
  void Redisplay() override { result_.redisplay = true; }
  ports::DialogPort& Dialogs() override { return *request_.dialogs; }
  ports::ProgressPort* Progress() override { return request_.progress; }
  void OpenExisting(const std::string& mailboxName) override { result_.openExisting = mailboxName; }

 private:
  ConsoleServices& console_;
  const EntryApplyRequest& request_;
  EntryApplyResult& result_;
};

std::string LocalFolderPrefix(ConsoleServices& console, const std::string& mailServer) {
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServer);
  if (host == nullptr) return {};
  console.Hosts().EnsureLoaded(*host, false);
  return model::VtHostData::Of(*host).Directory("#LOCAL_BOX_DIR");
}

}  // namespace

bool HasNodeRights(ConsoleServices& console, const std::string& mailServer) {
  core::NetworkServices& net = console.Net();
  const core::__VtHostDescription* host = net.MailServers().Find(mailServer);
  if (host == nullptr || host->computers.empty()) return false;
  for (int index : host->computers) {
    const core::__RpcClientDescription* computer = net.Computers().At(index);
    if (computer == nullptr || !computer->Administrator()) return false;
  }
  return true;
}

std::string EntryRescanBusyText() {
  return text::Cp("Не возможно выполнить операцию обновления данных во время сканирования информации с почтового "
                  "сервера");
}

EntryRead ReadEntry(ConsoleServices& console, const std::string& mailServer, const std::string& mailboxName,
                    ports::DialogPort* dialogs) {
  EntryRead read;
  if (console.ScanRunning()) {
    if (dialogs) dialogs->Message(EntryRescanBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
    read.busy = true;
    return read;
  }
  read.localFolderPrefix = LocalFolderPrefix(console, mailServer);
  read.entry = model::_VxItemBase(console.Hosts(), mailServer, mailboxName, false);
  read.ok = console.Hosts().RefreshEntry(read.entry, dialogs) != 0;
  return read;
}

EntryRead MakeNewEntry(ConsoleServices& console, const std::string& mailServer, bool abonent) {
  EntryRead read;
  read.localFolderPrefix = LocalFolderPrefix(console, mailServer);
  read.entry = model::_VxItemBase(console.Hosts(), mailServer, std::string(), abonent);
  read.ok = read.entry.IsLoaded();
  return read;
}

bool RescanEntry(ConsoleServices& console, model::_VxItemBase& entry, ports::DialogPort* dialogs) {
  if (console.ScanRunning()) {
    if (dialogs) dialogs->Message(EntryRescanBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
    return false;
  }
  return console.Hosts().RefreshEntry(entry, dialogs) != 0;
}

std::string EntryAppliedText(const model::_VxItemBase& entry) {
  return entry.kind ? text::Cp("Абонент \"") + entry.mailboxName + text::Cp("\" применён")
                    : text::Cp("Направление \"") + entry.mailboxName + text::Cp("\" применено");
}

EntryApplyResult ApplyEntry(ConsoleServices& console, const EntryApplyRequest& request) {
  EntryApplyResult result;
  GatheredView view(console, request, result);
  result.outcome = model::ApplyChanges(view, console.Net(), console.Hosts(), console.Gate());
  if (result.outcome == model::ApplyOutcome::kApplied) {
    // Said like the other sequences' results: a line of the message list.
    result.appliedText = EntryAppliedText(*request.shown);
    const ports::SystemClock clock;
    const uint64_t lifetime = uint64_t{console.App().Settings().splashWindowTtl} * 1000;
    console.App().Log().Add(core::FormatLogTime(clock.LocalTime()) + "\n" + result.appliedText,
                            static_cast<uint32_t>(std::min<uint64_t>(lifetime, 0x7FFFFFFF)), core::image::kOk);
  }
  return result;
}

}  // namespace services
