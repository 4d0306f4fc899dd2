// The Router half of an apply.

#include <algorithm>
#include <new>
#include <string>

#include "core/net/NetworkServices.h"
#include "model/apply/ApplyHalves.h"
#include "model/host/VtHostData.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "ports/ProgressPort.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RouterCalls.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/report/AbonentDeletion.h"
#include "rpc/report/RouterReport.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

namespace {

bool SetRoutItemSucceeded(int32_t result, int32_t status, int32_t rpcErr) {
  if (status != 0 || rpcErr != 0) return false;
  return result == 0 || (static_cast<uint32_t>(result) & 0xFFFFu) == kRouterUnchanged;
}

// The Router's wording; a failure seen only in a status word is passed as code 0.
void ReportSetRoutItem(ports::DialogPort& dialogs, int32_t result, int32_t status, int32_t rpcErr) {
  const bool resultOk = result == 0 || (static_cast<uint32_t>(result) & 0xFFFFu) == kRouterUnchanged;
  rpc::ReportRouterError(dialogs, resultOk ? 0 : result, status, rpcErr);
}

uint32_t LevelBit(size_t level) { return 1u << level; }

}  // namespace

int ApplyToRouter(_VxItemBase& work, const _VxItemBase& shown, const ApplyServices& services) {
  // 1. What the half needs to know of the node.
  if (work.routerTaskName.empty()) return 0;
  core::__VtHostDescription* host = services.net.FindMailServer(work.mailServerName);
  if (!host) return 0;
  core::__RpcClientDescription* router = services.net.FindComputer(work.routerTaskName);
  if (!router) return 0;
  VtHostData& cache = VtHostData::Of(*host);

  // 2. The parameter text, and a buffer for the table re-reads of at least 2 MiB.
  std::string params;
  size_t bufferSize = 0;
  try {
    bufferSize = std::max(work.EstimateParameterTextSize(), kApplyRouterBuffer);
    if (work.kind) params = work.BuildParameterText(false);
  } catch (const std::bad_alloc&) {
    return 0;
  }

  // 3. A changed kind replaces the record rather than editing it.
  const bool kindChanged = work.kind != shown.kindOnServer;
  const std::string mailbox = text::ToUpperAscii(text::TrimView(work.mailboxName));
  // The record to replace carries the name it was read under.
  const std::string previousMailbox =
      shown.mailboxName.empty() ? mailbox : text::ToUpperAscii(text::TrimView(shown.mailboxName));

  int result = 0;
  bool progressOpen = false;
  auto progressLine = [&](const std::string& line) {
    if (services.progress) services.progress->Text(line);
  };
  const bool done = services.net.Binding().CallOn(*router, [&](rpc::CallTarget& target) {
    // 4. Bound: the progress window opens.
    if (services.progress) {
      services.progress->Begin({}, 0);
      progressOpen = true;
    }
    progressLine(text::Cp(work.kind ? "Применение настроек абонента ..." : "Применение настроек направления ..."));

    // 5. A change of kind retypes the entry's routes on every level it has
    // them: the whole cache is re-read. An abonent that becomes a direction
    // loses its record.
    if (kindChanged) cache.UpdateValidMask(hostvalid::kAll, 0);
    if (kindChanged && shown.kindOnServer) {
      const auto calls = rpc::AbonentDeletionCalls::To(target);
      if (!rpc::DeleteAbonentFromRouter(services.dialogs, calls.delRoutItem, previousMailbox, 1)) return;
    }

    // 6. The new routing addresses, pointing at the entry.
    const std::string& text = work.kind ? params : std::string();
    for (size_t level = 0; level < work.routingAddresses.size(); ++level) {
      for (const auto& address : work.routingAddresses[level]) {
        cache.UpdateValidMask(LevelBit(level), 0);
        work.callStatus = work.callError = 0;
        const int32_t r = rpc::SetRoutItem(target, &work.callStatus, &work.callError, static_cast<int32_t>(level),
                                           address.c_str(), mailbox.c_str(), text.c_str(), work.kind ? 1 : 0);
        if (!SetRoutItemSucceeded(r, work.callStatus, work.callError)) {
          ReportSetRoutItem(services.dialogs, r, work.callStatus, work.callError);
          return;
        }
      }
    }

    // 7. The addresses removed in the editor; the Router's answers do not matter.
    if (!kindChanged) {
      for (size_t level = 0; level < shown.routingAddresses.size(); ++level) {
        for (const auto& address : shown.routingAddresses[level]) {
          // The table changes here too: its cached text is no longer current.
          cache.UpdateValidMask(LevelBit(level), 0);
          int32_t status = 0, rpcErr = 0;
          rpc::DelRoutItem(target, &status, &rpcErr, rpc::DeleteLevel(static_cast<int32_t>(level)),
                           address.c_str(), 1);
        }
      }
    }

    // 8. The abonent record.
    if (work.kind) {
      cache.UpdateValidMask(hostvalid::kAbonents, 0);
      work.callStatus = work.callError = 0;
      const int32_t r = rpc::SetRoutItem(target, &work.callStatus, &work.callError, rpc::level::kAbonent, "",
                                         mailbox.c_str(), params.c_str(), 1);
      if (!SetRoutItemSucceeded(r, work.callStatus, work.callError)) {
        ReportSetRoutItem(services.dialogs, r, work.callStatus, work.callError);
        return;
      }
    }
    result = 1;

    // 9. Re-read every table this apply made stale. A failure is reported and
    // leaves the level stale for the next load; the half still succeeded.
    rpc::RoutingFetch fetch(static_cast<int32_t>(bufferSize));
    for (size_t level = 0; level < cache.routingTable.size(); ++level) {
      if (cache.TestValidMask(LevelBit(level))) continue;
      progressLine(text::Cp("Получечие маршрутной таблицы для уровня ") +
                   std::string(LevelName(static_cast<int>(level))) + " ...");
      cache.routingTable[level].clear();
      const auto table = fetch.RoutList(target, static_cast<int32_t>(level));
      if (fetch.Enlarged()) work.routerReplyWord = fetch.Capacity() - 1;
      if (!table) {
        rpc::ReportRouterError(services.dialogs, fetch.Failure());
        break;
      }
      cache.routingTable[level] = *table;
      cache.UpdateValidMask(0, LevelBit(level));
    }
  });
  // 10. The bracket is closed; the progress window goes. Once the writes went
  // through, a computer lost during the re-read fails only the re-read.
  if (progressOpen && services.progress) services.progress->End();
  return done || result ? result : 0;
}

}  // namespace model
