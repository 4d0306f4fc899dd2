#pragma once
// Writing the configuration text to a stream. The stream belongs to one
// writer for the whole write, so the unlocked calls are used: the text is
// written in many small pieces.

#include <cstdio>
#include <string_view>

namespace cfg {

// False when the stream refuses a byte.
inline bool PutText(std::FILE* stream, std::string_view bytes) {
  return bytes.empty() || ::fwrite_unlocked(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

}  // namespace cfg
