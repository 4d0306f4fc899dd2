#include "services/DirectoryListing.h"

#include <algorithm>

#include "core/net/NetworkServices.h"
#include "ports/DialogPort.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/DirCalls.h"
#include "rpc/report/QueueManagerReport.h"
#include "services/ConsoleServices.h"
#include "text/Strings.h"

namespace services {

namespace {

// A transport failure has no status word: its exception code stands in the
// place of the queue manager's access error, so that the box names it.
void ReportListFailure(ports::DialogPort* dialogs, int32_t status, int32_t rpcErr, const char* operation) {
  if (dialogs) rpc::ReportQueueManagerError(*dialogs, 0, status, rpcErr != 0 ? rpcErr : status, operation);
}

}  // namespace

std::string DirectoryEntryName(std::string_view listed) {
  return text::ToUpperAscii(text::Trim(listed, " \r\n\t"));
}

DirectoryListing ListDirectory(ConsoleServices& console, core::__RpcClientDescription& queue,
                               ports::DialogPort* dialogs, size_t stepsPerEntry, const DirectoryProgress& progress,
                               const char* reportName) {
  DirectoryListing listing;
  bool stopped = false;
  int32_t status = 0;
  int32_t rpcErr = 0;
  const char* failedOperation = "QMX_DirGetCount";
  const bool called = console.Net().Binding().CallOn(queue, [&](rpc::CallTarget& target) {
    int32_t count = 0;
    rpc::QMX_DirGetCount(target, &status, &rpcErr, &count);
    if (status != 0 || rpcErr != 0) return;
    count = std::max<int32_t>(count, 0);
    listing.total = stepsPerEntry * static_cast<size_t>(count) + 1;
    failedOperation = "QMX_DirGetAt";
    // Zero-filled and one longer than the capacity: the text always ends.
    std::vector<char> text(static_cast<size_t>(rpc::cap::kDirItemText) + 1);
    for (int32_t index = 0; index < count; ++index) {
      int32_t length = 0;
      ListedEntry entry;
      std::fill(text.begin(), text.end(), '\0');
      auto& v = entry.values;
      rpc::QMX_DirGetAt(target, &status, &rpcErr, index, rpc::cap::kDirItemText, &length, text.data(), &v[0], &v[1],
                        &v[2], &v[3], &v[4]);
      if (status != 0 || rpcErr != 0) return;
      entry.name = DirectoryEntryName(std::string_view(text.data()));
      if (!entry.name.empty()) listing.entries.push_back(std::move(entry));
      if (progress && !progress(listing.entries.size(), listing.total)) {
        stopped = true;
        return;
      }
    }
    failedOperation = nullptr;
  });
  // A failure after the window went (or while the program ends, which
  // breaks the calls off) is not told.
  if (stopped || ((!called || failedOperation != nullptr) && progress &&
                  !progress(listing.entries.size(), listing.total))) {
    listing.outcome = ListingOutcome::kStopped;
    return listing;
  }
  if (reportName != nullptr && failedOperation != nullptr) failedOperation = reportName;
  if (!called) {
    ReportListFailure(dialogs, 0, static_cast<int32_t>(queue.lastException), failedOperation);
    return listing;
  }
  if (failedOperation != nullptr) {
    ReportListFailure(dialogs, status, rpcErr, failedOperation);
    return listing;
  }
  listing.outcome = ListingOutcome::kListed;
  return listing;
}

}  // namespace services
