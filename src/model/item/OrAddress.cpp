#include "model/item/OrAddress.h"

#include <algorithm>

#include "text/Strings.h"

namespace model {

namespace {
constexpr std::array<std::string_view, kLevelCount> kLevelNames{"C", "ADMD", "PRMD", "ORG", "OU", "PN"};
}  // namespace

std::string_view LevelName(int level) {
  if (level < 0 || level >= kLevelCount) return {};
  return kLevelNames[static_cast<size_t>(level)];
}

int LevelFromName(std::string_view name) {
  for (int level = 0; level < kLevelCount; ++level) {
    if (kLevelNames[static_cast<size_t>(level)] == name) return level;
  }
  return -1;
}

bool SplitNamedOrAddress(std::string_view text, LevelValues& values) {
  values = {};
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = std::min(text.find_first_of("/\\", pos), text.size());
    const std::string_view group = text.substr(pos, end - pos);
    pos = end + 1;
    if (text::TrimView(group).empty()) continue;
    const size_t colon = group.find(':');
    const int level = colon == std::string_view::npos
                          ? -1
                          : LevelFromName(text::ToUpperAscii(text::TrimView(group.substr(0, colon))));
    if (level < 0) {
      values = {};
      return false;
    }
    values[static_cast<size_t>(level)] = text::ToUpperAscii(text::TrimView(group.substr(colon + 1)));
  }
  return true;
}

int ParseOrAddress(std::string_view text, bool strict, LevelValues& values) {
  values = {};
  LevelValues read;
  int count = 0;
  size_t pos = 0;
  // A text that is empty, or blank after a '/', has no further group.
  while (count < kLevelCount && !text::TrimView(text.substr(pos)).empty()) {
    const size_t colon = text.find(':', pos);
    const size_t slash = text.find('/', pos);
    if (colon == std::string_view::npos || (slash != std::string_view::npos && slash < colon)) {
      values = {};
      return 0;
    }
    if (text::ToUpperAscii(text::TrimView(text.substr(pos, colon - pos))) != kLevelNames[static_cast<size_t>(count)]) {
      values = {};
      return 0;
    }
    const size_t end = slash == std::string_view::npos ? text.size() : slash;
    read[static_cast<size_t>(count)] = text::ToUpperAscii(text::TrimView(text.substr(colon + 1, end - colon - 1)));
    ++count;
    if (strict && count < kLevelCount && slash == std::string_view::npos) {
      values = {};
      return 0;
    }
    if (slash == std::string_view::npos) break;
    pos = slash + 1;
  }
  if (strict && count != kLevelCount) {
    values = {};
    return 0;
  }
  if (count == 0) return 0;
  values = read;
  return count;
}

std::string BuildOrAddress(const LevelValues& values) {
  std::string address;
  for (int level = 0; level < kLevelCount; ++level) {
    const std::string& value = values[static_cast<size_t>(level)];
    if (value.empty()) continue;
    if (!address.empty()) address += '/';
    address += kLevelNames[static_cast<size_t>(level)];
    address += ':';
    address += value;
  }
  return address;
}

}  // namespace model
