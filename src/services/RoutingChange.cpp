#include "services/RoutingChange.h"

#include <optional>

#include "core/OperationGate.h"
#include "core/net/NetworkServices.h"
#include "model/host/VtHostData.h"
#include "ports/DialogPort.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RouterCalls.h"
#include "rpc/report/RouterReport.h"
#include "services/ConsoleServices.h"
#include "services/DirectoryLoad.h"
#include "services/RoutingRows.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

using text::Cp;

constexpr int32_t kDeleteBit = 128;  // a table address is deleted with bit 7 set on its level

void Tell(ports::DialogPort& dialogs, const std::string& message) {
  dialogs.Message(message, Cp("Сообщение"), ports::MsgIcon::Information);
}

bool IsLevel(int level) { return level >= 0 && level < model::kLevelCount; }

// The scan state runs while the view's data is read.
struct ScanState {
  explicit ScanState(ConsoleServices& console) : console(console) { console.SetDataScan(true); }
  ~ScanState() { console.SetDataScan(false); }
  ConsoleServices& console;
};

core::__RpcClientDescription* RouterComputer(ConsoleServices& console, const std::string& mailServer) {
  model::ItemServerNames names;
  if (!console.Hosts().Find(mailServer, names) || names.routerTaskName == model::kNoData) return nullptr;
  return console.Net().FindComputer(names.routerTaskName);
}

// The node and the computer of its Router, as a change reaches them.
struct RouterTarget {
  core::__VtHostDescription* host = nullptr;
  core::__RpcClientDescription* router = nullptr;
};

// The checks of every change before any call: the operation held (`hold`),
// no scan, the rights, the node, its Router and the level. What refuses is
// told; an unknown node or level refuses silently.
std::optional<RouterTarget> ChangeTarget(ConsoleServices& console, const core::OperationGate::Hold& hold,
                                         const std::string& mailServer, int level, bool hasAdministratorRights,
                                         ports::DialogPort& dialogs) {
  if (!hold || console.ScanRunning()) {
    Tell(dialogs, core::ChannelBusyText());
    return std::nullopt;
  }
  if (!hasAdministratorRights) {
    Tell(dialogs, RoutingNoRightsText(mailServer));
    return std::nullopt;
  }
  RouterTarget target{console.Net().FindMailServer(mailServer), RouterComputer(console, mailServer)};
  if (target.host == nullptr || target.router == nullptr || !IsLevel(level)) return std::nullopt;
  return target;
}

// The view's load of the node's tables and abonent records, with the scan state running.
RoutingOutcome LoadWithScanState(ConsoleServices& console, core::__VtHostDescription& host,
                                 const model::LoadWindow* window) {
  const ScanState scan(console);
  return console.Hosts().LoadRoutingData(host, true, true, window) ? RoutingOutcome::kDone : RoutingOutcome::kFailed;
}

// Why a call sequence did not complete: a failed bind never reaches the
// computer's last exception, which may still hold an older call's code.
int32_t FailureStatus(uint32_t bindStatus, const core::__RpcClientDescription& router) {
  return static_cast<int32_t>(bindStatus != 0 ? bindStatus : router.lastException);
}

// One Router answer: the return value and both status words.
struct Answer {
  int32_t code = 0;
  int32_t status = 0;
  int32_t rpcErr = 0;
  bool Failed() const { return code != 0 || status != 0 || rpcErr != 0; }
};

}  // namespace

std::string RoutingNoRightsText(const std::string& mailServer) {
  return Cp("Не возможно выполнить операцию.\nДля узла \"") + mailServer + Cp("\" отсутствуют права администратора.");
}

std::string RoutingChangeErrorText(int32_t code) {
  return text::Format(Cp("Ошибка корректировки маршрутной таблицы:\nКод завершения операции: %d (0x%X)\n\n").c_str(),
                      code, static_cast<unsigned>(code));
}

std::string RouterKey(const std::string& shownKey) { return shownKey == "*" ? ".*" : shownKey; }

RoutingOutcome LoadRouting(ConsoleServices& console, const std::string& mailServer, const model::LoadWindow* window) {
  if (console.ScanRunning()) {
    if (window && window->dialogs) Tell(*window->dialogs, DirectoryBusyText());
    return RoutingOutcome::kRefused;
  }
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServer);
  if (host == nullptr) return RoutingOutcome::kRefused;
  return LoadWithScanState(console, *host, window);
}

RoutingOutcome RescanRouting(ConsoleServices& console, const std::string& mailServer, uint32_t clearMask,
                             const model::LoadWindow* window) {
  if (console.ScanRunning() || console.Gate().Busy()) {
    if (window && window->dialogs) Tell(*window->dialogs, core::ChannelBusyText());
    return RoutingOutcome::kRefused;
  }
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServer);
  if (host == nullptr) return RoutingOutcome::kRefused;
  model::VtHostData::Of(*host).UpdateValidMask(clearMask, 0);
  return LoadWithScanState(console, *host, window);
}

RoutingOutcome ChangeRoutingEntry(ConsoleServices& console, const RouteEdit& edit, ports::DialogPort& dialogs) {
  const core::OperationGate::Hold hold = console.Gate().Enter(core::Operation::Apply);
  const std::optional<RouterTarget> reached =
      ChangeTarget(console, hold, edit.mailServer, edit.level, edit.hasAdministratorRights, dialogs);
  if (!reached) return RoutingOutcome::kRefused;
  core::__RpcClientDescription* router = reached->router;

  const std::string newKey = RouterKey(text::ToUpperAscii(text::Trim(edit.newKey)));
  const std::string oldKey = RouterKey(text::ToUpperAscii(text::Trim(edit.oldKey)));
  const std::string target = NormalizedTargets(text::ToUpperAscii(edit.newTarget));
  const std::string oldTarget = NormalizedTargets(text::ToUpperAscii(edit.oldTarget));
  enum class Send { kNothing, kRedirect, kReplace } send = Send::kNothing;
  if (!edit.existingRow)
    send = newKey.empty() ? Send::kNothing : Send::kReplace;
  else if (oldKey.empty() || newKey.empty())
    send = Send::kNothing;
  else if (newKey == oldKey)
    send = target == oldTarget ? Send::kNothing : Send::kRedirect;
  else
    send = Send::kReplace;
  if (send == Send::kNothing) return RoutingOutcome::kNothing;

  const int32_t level = edit.level;
  const int32_t flag = !target.empty() && edit.abonentTarget ? 1 : 0;
  model::VtHostData& data = model::VtHostData::Of(*reached->host);
  Answer answer;
  uint32_t bindStatus = 0;
  const bool called = console.Net().Binding().CallOn(*router, [&](rpc::CallTarget& call) {
    // Marked before the call: a call that breaks off may still have changed the table.
    data.UpdateValidMask(1u << level, 0);
    if (send == Send::kRedirect) {
      answer.code = rpc::RedirRoutItem(call, &answer.status, &answer.rpcErr, level, newKey.c_str(), target.c_str(), flag);
      return;
    }
    if (edit.existingRow) {
      answer.code = rpc::DelRoutItem(call, &answer.status, &answer.rpcErr, level + kDeleteBit, oldKey.c_str(), flag);
      if (answer.Failed()) return;
    }
    answer.code = rpc::AddRoutItem(call, &answer.status, &answer.rpcErr, level, newKey.c_str(), target.c_str(), flag);
  }, &bindStatus);
  if (!called) {
    rpc::ReportRouterError(dialogs, 0, 0, FailureStatus(bindStatus, *router), "RedirRoutItem");
    return RoutingOutcome::kFailed;
  }
  if (!answer.Failed()) return RoutingOutcome::kDone;
  rpc::ReportRouterError(dialogs, answer.code, answer.status, answer.rpcErr, "RedirRoutItem");
  if (answer.code != 0) dialogs.Message(RoutingChangeErrorText(answer.code), Cp("Ошибка"), ports::MsgIcon::Error);
  return RoutingOutcome::kFailed;
}

RoutingOutcome DeleteRoutingEntries(ConsoleServices& console, const RouteDeletion& deletion,
                                    ports::DialogPort& dialogs) {
  if (deletion.rows.empty()) return RoutingOutcome::kNothing;
  if (dialogs.Message(Cp("Удалить выделенные элементы маршрутной таблицы?"), Cp("Вопрос"), ports::MsgIcon::Question,
                      ports::MsgButtons::YesNo) != ports::MsgAnswer::Yes)
    return RoutingOutcome::kNothing;
  const core::OperationGate::Hold hold = console.Gate().Enter(core::Operation::Deletion);
  const std::optional<RouterTarget> reached =
      ChangeTarget(console, hold, deletion.mailServer, deletion.level, deletion.hasAdministratorRights, dialogs);
  if (!reached) return RoutingOutcome::kRefused;
  core::__RpcClientDescription* router = reached->router;

  // The questions come before the calls, so no box is open while the
  // binding is held.
  std::vector<std::string> keys;
  for (const RouteRowRef& row : deletion.rows) {
    if (row.key.empty()) continue;
    if (text::ToUpperAscii(text::Trim(row.target)) == "SYSOP" &&
        dialogs.Message(Cp("Операция удаления элемента маршрутной таблицы, соответствующего почтовому ящику \"SYSOP\", "
                           "не является корректной поскольку задача \"Маршрутизатор\" использует этот ящик для "
                           "отправки сообщений об ошибках в работе почтового узла.\nПродолжить?"),
                        Cp("Вопрос"), ports::MsgIcon::Question, ports::MsgButtons::YesNo) != ports::MsgAnswer::Yes)
      continue;
    keys.push_back(RouterKey(row.key));
  }
  if (keys.empty()) return RoutingOutcome::kNothing;

  const int32_t level = deletion.level;
  model::VtHostData& data = model::VtHostData::Of(*reached->host);
  std::vector<Answer> failures;
  uint32_t bindStatus = 0;
  const bool called = console.Net().Binding().CallOn(*router, [&](rpc::CallTarget& call) {
    for (const std::string& key : keys) {
      data.UpdateValidMask(1u << level, 0);
      Answer answer;
      answer.code = rpc::DelRoutItem(call, &answer.status, &answer.rpcErr, level + kDeleteBit, key.c_str(), 0);
      if (answer.Failed()) failures.push_back(answer);
    }
  }, &bindStatus);
  for (const Answer& answer : failures) rpc::ReportRouterError(dialogs, answer.code, answer.status, answer.rpcErr);
  if (!called) {
    rpc::ReportRouterError(dialogs, 0, 0, FailureStatus(bindStatus, *router));
    return RoutingOutcome::kFailed;
  }
  return failures.empty() ? RoutingOutcome::kDone : RoutingOutcome::kFailed;
}

RoutingDirections ListRoutingDirections(ConsoleServices& console, const std::string& mailServer,
                                        ports::DialogPort* dialogs) {
  RoutingDirections list;
  model::ItemServerNames names;
  if (!console.Hosts().Find(mailServer, names) || names.queueTaskName == model::kNoData) return list;
  core::__RpcClientDescription* queue = console.Net().FindComputer(names.queueTaskName);
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServer);
  if (queue == nullptr || host == nullptr) return list;
  const DirectoryListing listing = ListDirectory(console, *queue, dialogs, 1, {}, "DirGetCount");
  const model::VtHostData& data = model::VtHostData::Of(*host);
  for (const ListedEntry& listed : listing.entries)
    list.entries.push_back({listed.name, data.FindAbonentSection(listed.name).has_value(), listed.values[1] == 0});
  list.ok = listing.outcome == ListingOutcome::kListed;
  return list;
}

}  // namespace services
