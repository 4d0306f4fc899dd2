#include "text/Strings.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace text {

std::string_view TrimView(std::string_view s, std::string_view chars) {
  const size_t first = s.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(chars);
  return s.substr(first, last - first + 1);
}

std::string Trim(std::string_view s, std::string_view chars) { return std::string(TrimView(s, chars)); }

std::string TrimLeft(std::string_view s, std::string_view chars) {
  const size_t first = s.find_first_not_of(chars);
  return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string TrimRight(std::string_view s, std::string_view chars) {
  const size_t last = s.find_last_not_of(chars);
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (needed > 0) {
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    out.assign(buffer.data(), static_cast<size_t>(needed));
  }
  va_end(args);
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  if (from.empty()) return std::string(s);
  size_t pos = 0;
  while (true) {
    const size_t hit = s.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(s.substr(pos));
  return out;
}

unsigned long ParseLeadingUnsigned(std::string_view s) {
  uint64_t value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<unsigned long>(value);
}

}  // namespace text
