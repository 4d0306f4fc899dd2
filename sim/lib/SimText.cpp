#include "sim/lib/SimText.h"

#include "text/Strings.h"

namespace sim {

std::string UpToNul(std::string_view text) {
  const size_t nul = text.find('\0');
  return std::string(nul == std::string_view::npos ? text : text.substr(0, nul));
}

std::string NameKey(std::string_view name) { return text::ToUpperAscii(text::TrimView(UpToNul(name))); }

bool SameName(std::string_view a, std::string_view b) { return NameKey(a) == NameKey(b); }

std::string CutTo(std::string_view text, int32_t capacity) {
  if (capacity <= 0) return {};
  return std::string(text.substr(0, static_cast<size_t>(capacity)));
}

uint32_t WordAt(std::string_view bytes, size_t offset) {
  if (bytes.size() < offset + 4) return 0;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

void PutWord(std::string& bytes, size_t offset, uint32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4, '\0');
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace sim
