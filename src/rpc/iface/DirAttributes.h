#pragma once
// The five directory attributes that QMX_DirAdd and QMX_DirModify send and
// QMX_DirGetAttrs reads back, in their wire order. Blocked is the server's own
// flag: the item's active flag inverted.

#include <cstdint>

namespace rpc {

class NdrWriter;
class NdrReader;

struct DirAttributes {
  int32_t Priority = 0;
  int32_t Blocked = 0;
  int32_t CallAtInterval = 0;
  int32_t NoCallOnArrival = 0;
  int32_t ExtraOption = 0;

  // As five [in] L.
  void WriteIn(NdrWriter& w) const;
  void ReadIn(NdrReader& r);
  // As five [out] L[1].
  void WriteOut(NdrWriter& w) const;
  void ReadOut(NdrReader& r);

  bool operator==(const DirAttributes&) const = default;
};

}  // namespace rpc
