#include "model/host/HostServices.h"

#include <utility>

#include "core/MessageImage.h"
#include "model/host/CommonSectionReader.h"
#include "ports/DialogPort.h"
#include "ports/ProgressPort.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/report/RouterReport.h"
#include "text/Cp1251.h"

namespace model {

namespace {

std::string Format(const std::string& pattern, const std::string& a, const std::string& b = {}) {
  std::string out;
  size_t arg = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
      out += arg++ == 0 ? a : b;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

HostServices::HostServices(core::NetworkServices& net, core::NetLogFn log) : net_(net), log_(std::move(log)) {}

core::__RpcClientDescription* HostServices::TaskComputer(core::__VtHostDescription& host, const char* task) {
  VtHostData& data = VtHostData::Of(host);
  core::__RpcClientDescription* computer = net_.FindTaskComputer(host.name, task);
  const int index = computer ? computer->index : -1;
  if (std::string(task) == kQueueTask) data.queueTaskIndex = index;
  if (std::string(task) == kRouterTask) data.routerTaskIndex = index;
  return computer;
}

int HostServices::EnsureLoaded(core::__VtHostDescription& host, bool force, const std::string& task) {
  VtHostData& data = VtHostData::Of(host);
  if (!force && data.HasIdentity()) return 1;
  core::__RpcClientDescription* computer = TaskComputer(host, task.c_str());
  if (!computer) return 0;
  const int read = ReadHostDescription(host, *computer);
  return read == 1 || (!data.HostName().empty() && !data.NodeAddress().empty()) ? 1 : 0;
}

int HostServices::ReadHostDescription(core::__VtHostDescription& host, core::__RpcClientDescription& queue) {
  VtHostData& data = VtHostData::Of(host);
  // The texts are emptied inside the call: a computer that cannot be bound
  // leaves what was read before.
  bool read = false;
  const bool done =
      net_.Binding().CallOn(queue, [&](rpc::CallTarget& target) { read = ReadCommonSection(target, data); });
  return done && read ? 1 : 0;
}

int HostServices::AreComputersReady(const core::__VtHostDescription& host) const {
  if (host.computers.empty()) return 0;
  for (int index : host.computers) {
    const core::__RpcClientDescription* computer = net_.Computers().At(index);
    // Usable: registered and not switched to work without a connection.
    if (!computer || computer->connectionNotUsed) return 0;
  }
  return 1;
}

bool HostServices::Progress(const LoadWindow* window, const std::string& line) {
  // The progress port cannot refuse a line; a missing one just shows nothing.
  if (window && window->progress) window->progress->Text(line);
  return true;
}

void HostServices::ReportRouter(const LoadWindow* window, const rpc::CallFailure& failure) {
  if (window && window->dialogs) {
    rpc::ReportRouterError(*window->dialogs, failure);
    return;
  }
  // Without a window the Router's wording goes to the message list.
  const std::string line = rpc::RouterReportText(failure.returnValue, failure.rpcErr, failure.operation);
  if (!line.empty() && log_) log_(line, core::image::kFailed);
}

int HostServices::Fetch(core::__VtHostDescription& host, core::__RpcClientDescription& router, bool tables,
                        bool abonents, const LoadWindow* window) {
  VtHostData& data = VtHostData::Of(host);
  bool ok = true;
  std::optional<rpc::CallFailure> failure;
  const bool done = net_.Binding().CallOn(router, [&](rpc::CallTarget& target) {
    if (abonents) {
      if (!Progress(window, text::Cp("Получение информации по абонентам ..."))) {
        ok = false;
        return;
      }
      // The abonent request and the six-level run each may enlarge the buffer once.
      rpc::RoutingFetch fetch;
      const auto info = fetch.AbonentInfo(target, rpc::level::kAbonent, "");
      if (!info) {
        failure = fetch.Failure();
        ok = false;
        return;
      }
      data.ParseAbonentSections(*info);
      data.UpdateValidMask(0, hostvalid::kAbonents);
    }
    if (tables) {
      rpc::RoutingFetch fetch;
      for (int level = 0; level < kLevelCount; ++level) {
        const uint32_t bit = 1u << level;
        if (data.TestValidMask(bit)) continue;
        if (!Progress(window, Format(text::Cp("Получечие маршрутной таблицы для уровня %s ..."),
                                     std::string(LevelName(level))))) {
          ok = false;
          return;
        }
        const auto table = fetch.RoutList(target, level);
        if (!table) {
          failure = fetch.Failure();
          ok = false;
          return;
        }
        data.routingTable[level] = *table;
        data.UpdateValidMask(0, bit);
      }
    }
  });
  if (failure) ReportRouter(window, *failure);
  return done && ok ? 1 : 0;
}

int HostServices::LoadRoutingData(core::__VtHostDescription& host, bool tables, bool abonents,
                                  const LoadWindow* window) {
  VtHostData& data = VtHostData::Of(host);
  if (data.TestValidMask(hostvalid::kTables) == hostvalid::kTables) tables = false;
  if (data.TestValidMask(hostvalid::kAbonents)) abonents = false;
  if (!tables && !abonents) return 1;

  auto clearInvalidTables = [&] {
    for (int level = 0; level < kLevelCount; ++level)
      if (!data.TestValidMask(1u << level)) data.routingTable[level].clear();
  };
  if (tables) clearInvalidTables();
  if (abonents) data.abonentSections.clear();

  core::__RpcClientDescription* router = TaskComputer(host, kRouterTask);
  if (!router) return 0;

  int fetched = 0;
  if (window && window->progress) {
    window->progress->Begin({}, 0);
    if (Progress(window, text::Cp("Инициализация сетевого соединения ...")))
      fetched = Fetch(host, *router, tables, abonents, window);
    window->progress->End();
  } else {
    fetched = Fetch(host, *router, tables, abonents, window);
  }

  if (!fetched) {
    clearInvalidTables();
    if (window && window->dialogs) {
      window->dialogs->Message(
          Format(text::Cp("Ошибка получения маршрутных таблиц.\n\nУзел: \"%s\"\nКомпьютер: \"%s\"\n\n"), host.name,
                 router->name),
          text::Cp("Ошибка"));
    }
    return 0;
  }
  if (abonents) {
    for (auto& item : data.watched) {
      for (auto& list : item->routingAddresses) list.clear();
      for (int level = 0; level < kLevelCount; ++level) item->MergeRoutingTable(data.routingTable[level], level, true);
    }
  }
  return 1;
}

bool HostServices::Find(const std::string& mailServerName, ItemServerNames& names) {
  core::__VtHostDescription* host = net_.FindMailServer(mailServerName);
  if (!host) return false;
  core::__RpcClientDescription* queue = TaskComputer(*host, kQueueTask);
  core::__RpcClientDescription* router = TaskComputer(*host, kRouterTask);
  names.queueTaskName = queue ? queue->name : std::string(kNoData);
  names.routerTaskName = router ? router->name : std::string(kNoData);
  names.nodeAddress = std::string(kNoData);
  if (queue && EnsureLoaded(*host, false, kQueueTask) && !VtHostData::Of(*host).NodeAddress().empty())
    names.nodeAddress = VtHostData::Of(*host).NodeAddress();
  return true;
}

int HostServices::RefreshItem(_VxItemBase& item) {
  auto resolve = [&](std::string& taskName, const char* task) -> core::__RpcClientDescription* {
    if (core::__RpcClientDescription* known = net_.FindComputer(taskName)) return known;
    core::__RpcClientDescription* found = net_.FindTaskComputer(item.mailServerName, task);
    if (found) taskName = found->name;
    return found;
  };
  core::__RpcClientDescription* queue = resolve(item.queueTaskName, kQueueTask);
  // Looked up again on every refresh; while missing the refresh fails, and the
  // entry is marked so that it is not applied from data that was never read.
  if (!queue) {
    item.lastRefreshFailed = 1;
    return 0;
  }
  return RefreshOn(item, queue, resolve(item.routerTaskName, kRouterTask));
}

int HostServices::RefreshEntry(_VxItemBase& entry, ports::DialogPort* window) {
  const int ok = RefreshOn(entry, net_.FindComputer(entry.queueTaskName), net_.FindComputer(entry.routerTaskName));
  if (!ok && window) entry.ShowRefreshFailure(*window);
  return ok;
}

int HostServices::RefreshOn(_VxItemBase& item, core::__RpcClientDescription* queue,
                            core::__RpcClientDescription* router) {
  const auto half = [&](core::__RpcClientDescription* computer, auto run) {
    if (!computer) return run(nullptr);
    int done = 0;
    if (!net_.Binding().CallOn(*computer, [&](rpc::CallTarget& target) { done = run(&target); })) {
      item.lastRefreshFailed = 1;
      return 0;
    }
    return done;
  };
  if (!half(queue, [&](rpc::CallTarget* target) { return item.RefreshQueueManager(target); })) return 0;
  return half(router, [&](rpc::CallTarget* target) { return item.RefreshRouter(target); });
}

}  // namespace model
