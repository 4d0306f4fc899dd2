#include "model/item/VxItem.h"

#include "rpc/iface/DirCalls.h"

namespace model {

_VxItem::_VxItem() : lastScanTime(static_cast<int32_t>(std::time(nullptr))) {}

_VxItem::_VxItem(ItemServerLookup& lookup, const std::string& mailServerName, const std::string& mailboxName,
                 bool abonent, std::optional<std::time_t> scanTime)
    : _VxItemBase(lookup, mailServerName, mailboxName, abonent),
      monitored(1),
      lastScanTime(static_cast<int32_t>(scanTime.value_or(std::time(nullptr)))) {}

int32_t _VxItem::QueryQueueCounters(rpc::CallTarget& target, int32_t* status, int32_t* rpcErr, int32_t,
                                    const char* name, QueueCounters& counters) {
  int32_t words[counter::kCount] = {};
  const int32_t result = rpc::QMX_DirGetQueueCounters(
      target, status, rpcErr, name, &words[0], &words[1], &words[2], &words[3], &words[4], &words[5], &words[6],
      &words[7], &words[8], &words[9], &words[10]);
  if (*status != 0 || *rpcErr != 0) {
    counters = {};
  } else {
    for (size_t i = 0; i < counter::kCount; ++i) counters[i] = static_cast<uint32_t>(words[i]);
  }
  return result;
}

}  // namespace model
