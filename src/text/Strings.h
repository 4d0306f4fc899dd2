#pragma once
// Small string helpers shared by every layer. Texts are byte strings (CP1251);
// case conversion is ASCII-only, bytes >= 0x80 stay as they are.

#include <string>
#include <string_view>

namespace text {

// The blank set used by most readers of the configuration text.
inline constexpr std::string_view kBlanks = " \r\n\t";

std::string_view TrimView(std::string_view s, std::string_view chars = kBlanks);
std::string Trim(std::string_view s, std::string_view chars = kBlanks);
std::string TrimLeft(std::string_view s, std::string_view chars = kBlanks);
std::string TrimRight(std::string_view s, std::string_view chars = kBlanks);

std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// printf-style formatting into a std::string of any length.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces every occurrence of `from` (non-empty) by `to`.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

// Leading decimal digits as unsigned 32-bit (wrapping like the C runtime's
// strtoul would not: values above 2^32-1 saturate). No digits gives 0.
unsigned long ParseLeadingUnsigned(std::string_view s);

}  // namespace text
