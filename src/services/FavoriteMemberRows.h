#pragma once
// What the members view of a favourite group shows: its column titles, one
// row of texts per member, and the threshold bar of a counter cell. Pure
// functions of the watched entry, the group and the local wall-clock time,
// so that the window only draws. CP1251 text.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/GroupRecord.h"

namespace model {
class _VxItem;
}

namespace services {

namespace member_column {
enum : int {
  kImage = 0,
  kType,
  kName,
  kPriority,
  kLinkParameters,
  kBlocked,
  kCallAtInterval,
  kCallOnArrival,
  kAbsoluteFiles,
  kHighFiles,
  kNormalFiles,
  kLowFiles,
  kReportFiles,
  kTotalFiles,
  kLastLinkTime,
  kLastLinkInterval,
  kPasswordSet,
  kComment,
  kNode,
  kAbsoluteOldestTime,  // then interval, and the same pair for high, normal, low, reports
  kAbsoluteOldestInterval,
  kHighOldestTime,
  kHighOldestInterval,
  kNormalOldestTime,
  kNormalOldestInterval,
  kLowOldestTime,
  kLowOldestInterval,
  kReportOldestTime,
  kReportOldestInterval,
  kLinkState,
  kErrors,
  kForcedConnection,
  kCount
};
}  // namespace member_column

const std::vector<std::string>& MemberColumnTitles();

// The texts of one member's row, one per column (the image column is empty).
// `localNow`: the local wall-clock time in seconds since 1970, as the
// server's time stamps are.
std::vector<std::string> MemberRowTexts(const model::_VxItem& item, int64_t localNow);
// A member whose reference names no watched entry: its name and node only.
std::vector<std::string> UnresolvedMemberRowTexts(const std::string& serverName, const std::string& itemName);

// "%lu дн. %lu час. %lu мин. %lu сек.", each part only when it or a larger
// unit is non-zero.
std::string IntervalText(uint64_t seconds);
// A time stamp as "%Y/%m/%d   %H:%M:%S"; 0 is " --- ".
std::string StampText(uint32_t stamp);
// The interval since a time stamp; " --- " for none, and for a stamp that
// lies in the future (the server's clock is ahead: there is no interval).
std::string SinceText(uint32_t stamp, int64_t localNow);
// States 0..5 by name, anything else empty.
std::string LinkStateText(int32_t state);

// The bar of a counter cell: the value against the group's dangerous (D) and
// critical (C) counts for that counter.
struct ThresholdBar {
  int width = 0;         // of the bar, pixels from the left of the cell
  int dangerMark = 0;    // where green-to-yellow turns to yellow-to-red
  uint32_t percent = 0;  // value * 100 / C
  bool withText = false; // the cell is wide enough for "%lu %%"
};
inline constexpr int kBarMinCellWidth = 20;
inline constexpr int kBarTextMinCellWidth = 40;

// The counter of a counter column and the group's two counts for it; none
// for any other column.
struct CounterLimits {
  uint32_t value = 0;
  uint32_t dangerous = 0;
  uint32_t critical = 0;
};
std::optional<CounterLimits> CounterOfColumn(int column, const model::_VxItem& item, const core::GroupRecord& group);
// The time stamp an interval column counts from; none for other columns.
std::optional<uint32_t> IntervalStampOfColumn(int column, const model::_VxItem& item);
// No bar for a cell narrower than 20 pixels, a value of 0, a count that is
// 0, or C < D.
std::optional<ThresholdBar> BarFor(const CounterLimits& counter, int cellWidth);

}  // namespace services
