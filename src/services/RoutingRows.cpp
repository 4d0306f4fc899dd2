#include "services/RoutingRows.h"

#include "text/Strings.h"

namespace services {

std::vector<std::string> TargetNames(std::string_view targets) {
  std::string flat;
  for (char c : targets)
    if (c != '\r' && c != '\n' && c != '\t') flat += c;
  std::vector<std::string> names;
  std::string_view rest = flat;
  while (true) {
    const size_t comma = rest.find(',');
    std::string name = text::Trim(rest.substr(0, comma), " ");
    if (!name.empty()) names.push_back(std::move(name));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return names;
}

std::string NormalizedTargets(std::string_view targets) {
  std::string out;
  for (const std::string& name : TargetNames(targets)) out += (out.empty() ? "" : ",") + name;
  return out;
}

std::vector<RoutingRow> RoutingRowsOf(std::string_view tableText, const AbonentTest& isAbonent) {
  std::vector<RoutingRow> rows;
  std::string_view rest = tableText;
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    const std::string_view entry = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const size_t split = entry.find_first_of(":=");
    if (split == std::string_view::npos) continue;
    std::string key = text::ToUpperAscii(text::Trim(entry.substr(0, split)));
    const std::string value = text::ToUpperAscii(text::Trim(entry.substr(split + 1)));
    if (key.empty() || value.empty()) continue;
    RoutingRow row;
    const bool anyAddress = key == ".*";
    row.key = anyAddress ? "*" : std::move(key);
    row.type = value[0];
    row.target = NormalizedTargets(std::string_view(value).substr(1));
    if (anyAddress)
      row.icon = RouteIcon::kAnyAddress;
    else if (!row.target.empty() && isAbonent && isAbonent(row.target))
      row.icon = RouteIcon::kAbonent;
    else if (row.type == 'L')
      row.icon = RouteIcon::kLocal;
    else if (row.type == 'A')
      row.icon = RouteIcon::kTypeA;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace services
