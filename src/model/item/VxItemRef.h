#pragma once
// The persistent name of an entry inside a favourite group.

#include <cstdint>
#include <string>

namespace model {

struct _VxItemRef {
  static constexpr int32_t kMaxServerIndex = 99;

  _VxItemRef() = default;
  // The mailbox name is kept trimmed and upper-cased, the server name trimmed.
  _VxItemRef(const std::string& mailboxName, const std::string& serverName, int32_t itemIndex = -1,
             int32_t serverIndex = -1);

  // Both names non-empty and the server index -1 or 0..99.
  bool IsValid() const;
  // Equal when both names are.
  bool operator==(const _VxItemRef& other) const;

  std::string mailboxName;
  std::string serverName;
  int32_t itemIndex = -1;    // in the server's list of watched entries; -1 while unresolved
  int32_t serverIndex = -1;  // in the server registry
};

}  // namespace model
