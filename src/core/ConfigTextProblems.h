#pragma once
// Problems in the configuration text that start-up would pass over quietly:
// a mail server naming a computer that is not described, a computer whose
// port falls back to the default, and names described twice. The text editor
// marks them; they never stop a save.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

enum class ConfigProblemKind {
  kUnknownComputer,      // a [Hosts] value names a computer missing from [Remote interfaces]
  kFallbackPort,         // a [Remote interfaces] value whose port becomes kFallbackPort
  kDuplicateComputer,    // a [Remote interfaces] name already described above
  kDuplicateMailServer,  // a [Hosts] name already described above
};

struct ConfigProblem {
  std::size_t line = 0;    // from 1; lines end at a line feed, as the file reader reads them
  std::size_t column = 0;  // byte column in that line, from 0
  std::size_t offset = 0;  // byte offset of the marked text in the whole text
  std::size_t length = 0;  // bytes marked, at least 1
  ConfigProblemKind kind = ConfigProblemKind::kUnknownComputer;
  std::string tooltip;     // CP1251
  bool operator==(const ConfigProblem&) const = default;
};

// Reads the text with the grammar of the configuration file (sections
// "[Name]", "key=value", ';' comments, names compared exactly, the first
// section of a name being the one start-up reads) and lists what it finds,
// in text order.
std::vector<ConfigProblem> FindConfigProblems(std::string_view cp1251Text);

}  // namespace core
