#include "model/item/VxGroup.h"

namespace model {

bool _VxGroup::IsStorableName(std::string_view name) {
  return name.find_first_of(std::string_view("\";\r\n\0", 5)) == std::string_view::npos;
}

int _VxGroup::FindReference(const _VxItemRef& reference) const {
  for (size_t i = 0; i < references.size(); ++i) {
    if (references[i] == reference) return static_cast<int>(i);
  }
  return -1;
}

int _VxGroup::AddReference(const _VxItemRef& reference) {
  if (!reference.IsValid() || !IsStorableName(reference.mailboxName) || !IsStorableName(reference.serverName)) {
    return -1;
  }
  const int found = FindReference(reference);
  if (found >= 0) return found;
  references.push_back(reference);
  return static_cast<int>(references.size() - 1);
}

}  // namespace model
