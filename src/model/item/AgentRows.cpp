#include "model/item/AgentRows.h"

#include "text/Strings.h"

namespace model {

namespace {

bool LineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

std::vector<AgentRow> LinkTextToAgentRows(std::string_view text) {
  std::vector<AgentRow> rows;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t nameEnd = text.find_first_of("=\r\n", pos);
    const size_t stop = nameEnd == std::string_view::npos ? text.size() : nameEnd;
    std::string name = text::Trim(text.substr(pos, stop - pos));
    pos = stop;
    std::string value;
    if (pos < text.size() && text[pos] == '=') {
      ++pos;
      size_t end = pos;
      while (end < text.size() && !LineEnd(text[end])) ++end;
      value = text::Trim(text.substr(pos, end - pos));
      pos = end;
    }
    if (!name.empty()) rows.push_back({std::move(name), std::move(value)});
    if (pos < text.size()) ++pos;  // the line end
  }
  return rows;
}

std::string AgentRowsToLinkText(const std::vector<AgentRow>& rows) {
  std::string out;
  bool first = true;
  for (const auto& row : rows) {
    const std::string name = text::Trim(row.name);
    if (name.empty()) continue;
    if (!first) out += '\n';
    first = false;
    out += name;
    out += '=';
    out += text::Trim(row.value);
  }
  return out;
}

}  // namespace model
