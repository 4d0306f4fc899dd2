#include "model/install/ServerName.h"

#include "text/Strings.h"

namespace model {

namespace {
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
}  // namespace

bool IsSafeLocalName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (c == '/' || c == '\\' || c == ':' || IsControl(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string ShownName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (IsControl(static_cast<unsigned char>(c)))
      out += text::Format("\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    else
      out += c;
  }
  return out;
}

std::vector<std::string> ListingLines(std::string_view listing) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos <= listing.size()) {
    size_t end = listing.find('\n', pos);
    if (end == std::string_view::npos) end = listing.size();
    std::string_view line = listing.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    pos = end + 1;
  }
  return lines;
}

}  // namespace model
