#include "model/item/VxItemRef.h"

#include "text/Strings.h"

namespace model {

_VxItemRef::_VxItemRef(const std::string& mailboxName_, const std::string& serverName_, int32_t itemIndex_,
                       int32_t serverIndex_)
    : mailboxName(text::ToUpperAscii(text::TrimView(mailboxName_))),
      serverName(text::Trim(serverName_)),
      itemIndex(itemIndex_),
      serverIndex(serverIndex_) {}

bool _VxItemRef::IsValid() const {
  return !mailboxName.empty() && !serverName.empty() && serverIndex >= -1 && serverIndex <= kMaxServerIndex;
}

bool _VxItemRef::operator==(const _VxItemRef& other) const {
  return mailboxName == other.mailboxName && serverName == other.serverName;
}

}  // namespace model
