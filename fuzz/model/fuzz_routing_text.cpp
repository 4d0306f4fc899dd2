// Routing texts from the Router: the entry's own address list and a level's
// routing table merged into the entry, then the addresses built from them.
// Lists are whole or empty, keys are kept once, nothing reads out of bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/item/OrAddress.h"
#include "model/item/VxItemBase.h"
#include "text/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 65536) return 0;
  const int level = data[0] % 8 - 1;  // -1 and 6 are outside the levels
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

  model::_VxItemBase item;
  item.Init("NODE", "NAME", "MQUEUE", "ROUTER", "C:RU/ADMD:A/PRMD:B", false);
  item.ParseOwnRoutingAddresses(input);
  for (const auto& list : item.routingAddresses) {
    for (const auto& value : list) {
      if (value.empty() || value.find(',') != std::string::npos) std::abort();
    }
  }

  const model::RoutingLists own = item.routingAddresses;
  item.MergeRoutingTable(input, level, true);
  for (int l = 0; l < model::kLevelCount; ++l) {
    const auto& list = item.routingAddresses[static_cast<size_t>(l)];
    const auto& was = own[static_cast<size_t>(l)];
    if (l != level && list != was) std::abort();
    if (list.size() < was.size() || !std::equal(was.begin(), was.end(), list.begin())) std::abort();
    for (size_t i = was.size(); i < list.size(); ++i) {
      const std::string& key = list[i];
      if (key.empty() || key.find(';') != std::string::npos || text::ToUpperAscii(key) != key) std::abort();
      if (std::count(list.begin() + static_cast<long>(was.size()), list.end(), key) != 1) std::abort();
    }
  }

  // The node address has levels above PN, so a built address always ends in a PN group.
  if (item.ComputeMailboxAddress() && item.mailboxAddress.find("/PN:") == std::string::npos) std::abort();
  for (bool strict : {false, true}) {
    model::LevelValues values;
    const int count = model::ParseOrAddress(input, strict, values);
    if (count < 0 || count > model::kLevelCount || (strict && count != 0 && count != model::kLevelCount)) std::abort();
  }
  return 0;
}
