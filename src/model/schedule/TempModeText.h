#pragma once
// The text form of a schedule frame:
//   "mode,interval,reserved,reserved&s,m,h,wd,d,mo,y&s,m,h,wd,d,mo,y&"
// e.g. "3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&" (daily 09:00-18:30,
// a call every 30 minutes). Numbers may carry blanks around them and a sign.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/schedule/TempModeFrame.h"

namespace model {

// One number ended by `separator`: blanks, an optional sign, blanks, digits,
// blanks, then the separator. At most 20 characters before the separator; an
// empty field (or a sign alone) is 0. Returns the count of characters taken,
// the separator included, or nothing when the field is malformed. A magnitude
// above 2^32 - 1 fails the field instead of wrapping; a value is stored in 32
// bits, so an unsigned word above 2^31 - 1 reads back as its signed image.
std::optional<size_t> ReadNumberField(std::string_view text, char separator, int32_t& value);

std::string FormatText(const CTempModeFrame& frame);

// Decodes the text form into `frame`. A mode above 6 (read unsigned), a point
// field out of its range (-1 is always allowed; the year is not checked), a
// missing "&" or any malformed field fails. Text after the closing "&" is not
// looked at. On failure `frame` is left exactly as it was.
bool ParseText(std::string_view text, CTempModeFrame& frame);

}  // namespace model
