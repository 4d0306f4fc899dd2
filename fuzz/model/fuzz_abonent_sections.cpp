// The Router's abonent text split into sections: every section has a name
// without brackets or outer blanks, every text line ends with a line feed and
// holds no line break, comment or outer blank, and nothing reads out of bounds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/host/VtHostData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  model::VtHostData host;
  host.ParseAbonentSections(input);
  for (const auto& section : host.abonentSections) {
    const std::string_view name = section.name;
    if (name.empty() || name.front() == '[' || name.front() == ' ' || name.back() == ']' || name.back() == ' ')
      std::abort();
    if (name.find_first_of("\n\r;") != std::string_view::npos) std::abort();
    std::string_view text = section.text;
    if (!text.empty() && text.back() != '\n') std::abort();
    while (!text.empty()) {
      const size_t end = text.find('\n');
      const std::string_view line = text.substr(0, end);
      if (line.empty() || line.find_first_of("\r;") != std::string_view::npos) std::abort();
      if (line.front() == ' ' || line.front() == '\t' || line.back() == ' ' || line.back() == '\t') std::abort();
      text.remove_prefix(end + 1);
    }
    if (!host.FindAbonentSection(section.name)) std::abort();
  }
  // Parsing again replaces, never appends.
  const size_t count = host.abonentSections.size();
  host.ParseAbonentSections(input);
  if (host.abonentSections.size() != count) std::abort();
  return 0;
}
