#pragma once
// A directory entry watched by a favourite group: the entry with the results
// of its last threshold scan. Its queue counters come from the server.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "model/item/VxItemBase.h"

namespace model {

class _VxItem : public _VxItemBase {
 public:
  _VxItem();
  // Watched: `monitored` is set. The scan time is now when none is given.
  _VxItem(ItemServerLookup& lookup, const std::string& mailServerName, const std::string& mailboxName,
          bool abonent, std::optional<std::time_t> scanTime = std::nullopt);

  // QMX_DirGetQueueCounters; the counters are cleared when a status word is nonzero.
  int32_t QueryQueueCounters(rpc::CallTarget& target, int32_t* status, int32_t* rpcErr, int32_t nameSize,
                             const char* name, QueueCounters& counters) override;

  bool IsValid() const { return monitored != 0 && IsLoaded(); }
  // Every field equal, the entry's own included.
  bool operator==(const _VxItem&) const = default;

  int32_t monitored = 0;
  std::string alertText;  // the threshold messages of the last scan, one a line
  int32_t alertCount = 0;
  int32_t alertSevere = 0;
  int32_t lastScanTime = 0;
};

}  // namespace model
