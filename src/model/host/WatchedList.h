#pragma once
// The directions and abonents that favourite groups watch on one mail server:
// kept by the server's host description, so that the routing load reaches
// them, and filled and emptied by the favourite groups.

#include <memory>
#include <vector>

#include "model/item/VxItem.h"

namespace model {

using WatchedList = std::vector<std::unique_ptr<_VxItem>>;

}  // namespace model
