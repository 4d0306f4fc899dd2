#include "rpc/iface/DirAttributes.h"

#include "rpc/runtime/Ndr.h"

namespace rpc {

void DirAttributes::WriteIn(NdrWriter& w) const {
  for (int32_t v : {Priority, Blocked, CallAtInterval, NoCallOnArrival, ExtraOption}) w.Long(v);
}

void DirAttributes::ReadIn(NdrReader& r) {
  for (int32_t* v : {&Priority, &Blocked, &CallAtInterval, &NoCallOnArrival, &ExtraOption}) *v = r.Long();
}

void DirAttributes::WriteOut(NdrWriter& w) const {
  for (int32_t v : {Priority, Blocked, CallAtInterval, NoCallOnArrival, ExtraOption}) w.LongArray1(v);
}

void DirAttributes::ReadOut(NdrReader& r) {
  for (int32_t* v : {&Priority, &Blocked, &CallAtInterval, &NoCallOnArrival, &ExtraOption}) {
    *v = r.LongArray1();
  }
}

}  // namespace rpc
