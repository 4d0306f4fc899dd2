#pragma once
// What the directions table shows of an entry: its cells and the lines of
// its row preview. Pure functions of the entry; CP1251 text.

#include <string>
#include <vector>

namespace model {
class _VxItemBase;
}

namespace services {

namespace direction_column {
enum : int {
  kImage = 0,
  kType,
  kName,
  kPriority,
  kLinkParameters,
  kBlocked,
  kCallAtInterval,
  kCallOnArrival,
  kPasswordSet,
  kForcedConnection,
  kComment,
  kCount
};
}  // namespace direction_column

const std::vector<std::string>& DirectionColumnTitles();
std::vector<std::string> DirectionRowTexts(const model::_VxItemBase& entry);
// The preview: the routing parameters by level, the X.400 address, the
// address book line, then the parameters but "#ABSADDRESS" and "#LEVEL".
std::vector<std::string> DirectionPreviewLines(const model::_VxItemBase& entry);

}  // namespace services
