#include "model/schedule/TempModeText.h"

#include <array>

#include "text/Strings.h"

namespace model {
namespace {

constexpr size_t kFieldBudget = 20;
// The from part is worked on in an area of this size: the part, its "&" and a
// terminator. A longer part is refused.
constexpr size_t kFromPartArea = 256;
// The decoder takes modes up to 6, beyond the five it can name.
constexpr uint32_t kHighestMode = 6;

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

// A point's seven fields from `text`: six ended by ",", the seventh by "&".
bool ReadPoint(std::string_view text, CTempModePoint& point) {
  size_t pos = 0;
  for (size_t i = 0; i < CTempModePoint::kFieldCount; ++i) {
    const char separator = i + 1 < CTempModePoint::kFieldCount ? ',' : '&';
    const auto taken = ReadNumberField(text.substr(pos), separator, point.Field(i));
    if (!taken) return false;
    pos += *taken;
  }
  return true;
}

bool InRange(int32_t value, int32_t highest) { return value == kAny || (value >= 0 && value <= highest); }

bool PointInRange(const CTempModePoint& p) {
  return InRange(p.second, 59) && InRange(p.minute, 59) && InRange(p.hour, 23) && InRange(p.weekday, 6) &&
         InRange(p.day, 31) && InRange(p.month, 11);
}

}  // namespace

std::optional<size_t> ReadNumberField(std::string_view text, char separator, int32_t& value) {
  const auto at = [&](size_t i) -> int { return i < text.size() ? static_cast<unsigned char>(text[i]) : -1; };
  size_t i = 0;
  while (i < kFieldBudget && IsBlank(at(i))) ++i;
  bool negative = false;
  if (i < kFieldBudget && (at(i) == '-' || at(i) == '+')) {
    negative = at(i) == '-';
    ++i;
  }
  while (i < kFieldBudget && IsBlank(at(i))) ++i;
  uint64_t magnitude = 0;
  while (i < kFieldBudget) {
    const int c = at(i);
    if (c == separator || IsBlank(c)) break;
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    ++i;
  }
  while (i < kFieldBudget && IsBlank(at(i))) ++i;
  if (at(i) != static_cast<unsigned char>(separator)) return std::nullopt;
  const auto bits = static_cast<uint32_t>(magnitude);
  value = static_cast<int32_t>(negative ? 0u - bits : bits);
  return i + 1;
}

std::string FormatText(const CTempModeFrame& frame) {
  std::string out = text::Format("%u,%u,%u,%u&", frame.mode, frame.interval, frame.reserved1, frame.reserved2);
  for (const CTempModePoint* point : {&frame.from, &frame.to}) {
    out += text::Format("%d,%d,%d,%d,%d,%d,%d&", point->second, point->minute, point->hour, point->weekday,
                        point->day, point->month, point->year);
  }
  return out;
}

bool ParseText(std::string_view text, CTempModeFrame& frame) {
  // Decoded into a copy: a failure half way must not leave a half-changed frame.
  CTempModeFrame decoded = frame;
  size_t pos = 0;
  std::array<uint32_t*, 4> header = {&decoded.mode, &decoded.interval, &decoded.reserved1, &decoded.reserved2};
  for (size_t i = 0; i < header.size(); ++i) {
    int32_t value = 0;
    const auto taken = ReadNumberField(text.substr(pos), i + 1 < header.size() ? ',' : '&', value);
    if (!taken) return false;
    pos += *taken;
    *header[i] = static_cast<uint32_t>(value);
    if (i == 0 && decoded.mode > kHighestMode) return false;
  }

  const size_t fromEnd = text.find('&', pos);
  if (fromEnd == std::string_view::npos) return false;
  const std::string_view fromPart = text.substr(pos, fromEnd - pos);
  if (fromPart.size() + 2 > kFromPartArea) return false;
  // The part with its "&", the way the fields are read.
  const std::string_view fromWithEnd = text.substr(pos, fromPart.size() + 1);
  if (!ReadPoint(fromWithEnd, decoded.from) || !PointInRange(decoded.from)) return false;
  if (!ReadPoint(text.substr(fromEnd + 1), decoded.to) || !PointInRange(decoded.to)) return false;

  frame = decoded;
  return true;
}

}  // namespace model
