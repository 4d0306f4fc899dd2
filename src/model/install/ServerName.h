#pragma once
// Names the server hands out (installations, diskettes, files) and the
// mailbox name become parts of local paths. A name that could lead a write
// out of the folder the administrator chose, or that names no file at all,
// is never used.

#include <string>
#include <string_view>
#include <vector>

namespace model {

// False for an empty name, "." or "..", and a name holding '/', '\\', ':'
// (a drive prefix), NUL or another control character (below 0x20, 0x7F).
bool IsSafeLocalName(std::string_view name);

// The name as a message shows it: control characters and NUL as \xNN.
std::string ShownName(std::string_view name);

// The lines of a listing (line feeds; a CR before one is dropped), empty
// lines left out. Bytes are kept as received, NUL included.
std::vector<std::string> ListingLines(std::string_view listing);

}  // namespace model
