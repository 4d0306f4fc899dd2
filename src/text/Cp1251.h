#pragma once
// Conversion between code page 1251 (the console's text everywhere: files, wire,
// archives) and UTF-8 (source literals, the terminal, the UI boundary).

#include <string>
#include <string_view>

namespace text {

// UTF-8 to CP1251. A character that CP1251 cannot hold becomes '?'.
// Malformed UTF-8 bytes are replaced by '?' one byte at a time.
std::string Utf8ToCp1251(std::string_view utf8);

// CP1251 to UTF-8. Byte 0x98, undefined in CP1251, maps to U+0098 and back,
// so that every byte string survives the round trip.
std::string Cp1251ToUtf8(std::string_view cp1251);

// Shorthand for literals written in UTF-8 in the source: Cp("Ошибка").
inline std::string Cp(std::string_view utf8) { return Utf8ToCp1251(utf8); }

}  // namespace text
