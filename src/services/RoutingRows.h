#pragma once
// The rows of one routing table level as the routing view lists them, from
// the level's cached table text: entries "key:value;" (or "key=value;"),
// where the value's first character is the entry type and the rest the
// target, one mailbox name or a list joined by ",". Text is CP1251.
//
//   auto rows = services::RoutingRowsOf(data.routingTable[2],
//                                       [&](const std::string& n) { return data.FindAbonentSection(n).has_value(); });

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace services {

// The picture of a row, by precedence: the any-address key, a target with
// abonent records in the cache, a local abonent entry ("L"), an "A" entry,
// any other route.
enum class RouteIcon { kAnyAddress, kAbonent, kLocal, kTypeA, kRoute };

struct RoutingRow {
  std::string key;     // trimmed, upper-cased; ".*" shown as "*"
  char type = 0;       // the entry type character (upper-cased)
  std::string target;  // the names joined by ","
  RouteIcon icon = RouteIcon::kRoute;
  bool operator==(const RoutingRow&) const = default;
};

// Tells whether the node's cache holds abonent records of a name.
using AbonentTest = std::function<bool(const std::string& name)>;

// Entries with an empty key or value are left out; CR, LF and tabs inside a
// target list are dropped, and each listed name is trimmed.
std::vector<RoutingRow> RoutingRowsOf(std::string_view tableText, const AbonentTest& isAbonent);

// A target list as the view shows it and the editor sends it: names
// trimmed, CR, LF and tabs dropped, empty names left out, joined by ",".
std::string NormalizedTargets(std::string_view targets);
// The names of a target list, in order.
std::vector<std::string> TargetNames(std::string_view targets);

}  // namespace services
