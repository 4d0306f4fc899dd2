#pragma once
// A favourite group: its settings (name, comment, scan period, thresholds,
// alert actions), the time of its last scan and its member references.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/GroupRecord.h"
#include "model/item/VxItemRef.h"

namespace model {

struct _VxGroup {
  // The index of the reference: an equal one already present keeps its place;
  // an invalid one, or one whose names hold '"', ';', CR, LF or NUL (they
  // would break the group's text form), is refused with -1.
  int AddReference(const _VxItemRef& reference);
  // The index of an equal reference, or -1.
  int FindReference(const _VxItemRef& reference) const;

  // Whether a name can go into the group's text form.
  static bool IsStorableName(std::string_view name);

  core::GroupRecord settings = core::GroupRecord::InternalDefaults();
  int32_t lastScanTime = 0;
  std::vector<_VxItemRef> references;
};

}  // namespace model
