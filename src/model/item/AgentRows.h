#pragma once
// The file transfer agents of a direction as rows (agent name, parameter) and
// back as the link parameter text: one "NAME=VALUE" line per agent, lines
// separated by a line feed, none after the last. CP1251 throughout; upper-
// casing what the user types is the grid's business, not these converters'.

#include <string>
#include <string_view>
#include <vector>

namespace model {

struct AgentRow {
  std::string name;
  std::string value;

  bool operator==(const AgentRow&) const = default;
};

// Lines end at LF, CR or the end of the text (so CR LF leaves an empty line,
// which gives no row). Name and value are trimmed; a line whose name is blank
// gives no row. A line without "=" is an agent with an empty value: reading
// its value from the next line would swallow that line's agent.
std::vector<AgentRow> LinkTextToAgentRows(std::string_view text);

// "NAME=VALUE" per row whose trimmed name is not blank, both trimmed, joined
// by line feeds.
std::string AgentRowsToLinkText(const std::vector<AgentRow>& rows);

}  // namespace model
