#pragma once
// What an apply changes in the routing tables: the addresses of the edited
// entry against those of the entry as last read.

#include "model/item/VxItemBase.h"

namespace model {

// Clears the snapshot lists and, for an entry that is an abonent on the
// server, copies its routing lists into them.
void SnapshotRoutingAddresses(_VxItemBase& entry);

struct RoutingDifference {
  RoutingLists added;    // to be set (SetRoutItem)
  RoutingLists removed;  // to be deleted one by one (DelRoutItem)
  bool changed = false;  // the routing lists differ
};

// With the same kind as on the server, an address at the same level on both
// sides (compared without regard to ASCII case) needs nothing; the rest is
// added or removed. A changed kind re-adds every address of `work`: the old
// routing entries go with the old record. A renamed entry re-adds every
// address too, so that each points at the new name, and removes only the
// addresses dropped in the editor.
RoutingDifference DiffRouting(const _VxItemBase& work, const _VxItemBase& shown);

}  // namespace model
