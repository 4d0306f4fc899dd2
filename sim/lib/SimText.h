#pragma once
// Small text rules the node's tasks share: names compared ASCII
// case-insensitively, texts cut at their first NUL, answers cut to a capacity.

#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

// The text up to its first NUL (counted texts carry their terminator).
std::string UpToNul(std::string_view text);
// A name as the tasks key it: trimmed of blanks, upper case (ASCII only).
std::string NameKey(std::string_view name);
bool SameName(std::string_view a, std::string_view b);
// At most `capacity` bytes of `text` (none for a negative capacity).
std::string CutTo(std::string_view text, int32_t capacity);
// A 32-bit little-endian word at `offset` of a byte string, or 0 when it is short.
uint32_t WordAt(std::string_view bytes, size_t offset);
void PutWord(std::string& bytes, size_t offset, uint32_t value);

}  // namespace sim
