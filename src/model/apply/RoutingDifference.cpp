#include "model/apply/RoutingDifference.h"

#include <algorithm>

#include "text/Strings.h"

namespace model {

namespace {

std::string NameKey(const std::string& name) { return text::ToUpperAscii(text::TrimView(name)); }

bool Contains(const std::vector<std::string>& list, const std::string& address) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& a) { return text::EqualsNoCaseAscii(a, address); });
}

std::vector<std::string> Without(const std::vector<std::string>& list, const std::vector<std::string>& other) {
  std::vector<std::string> rest;
  for (const auto& a : list)
    if (!Contains(other, a)) rest.push_back(a);
  return rest;
}

}  // namespace

void SnapshotRoutingAddresses(_VxItemBase& entry) {
  entry.routingAddressesAsRead = {};
  if (entry.kindOnServer) entry.routingAddressesAsRead = entry.routingAddresses;
}

RoutingDifference DiffRouting(const _VxItemBase& work, const _VxItemBase& shown) {
  RoutingDifference d;
  if (work.kind != shown.kindOnServer) {
    d.added = work.routingAddresses;
    d.removed = shown.routingAddresses;
    d.changed = true;
    return d;
  }
  const bool renamed = !shown.mailboxName.empty() && NameKey(shown.mailboxName) != NameKey(work.mailboxName);
  for (size_t level = 0; level < d.added.size(); ++level) {
    const auto& now = work.routingAddresses[level];
    const auto& before = shown.routingAddresses[level];
    const auto fresh = Without(now, before);
    d.removed[level] = Without(before, now);
    d.added[level] = renamed ? now : fresh;
    if (!fresh.empty() || !d.removed[level].empty()) d.changed = true;
  }
  if (renamed) d.changed = true;
  return d;
}

}  // namespace model
