#pragma once
// Replacing a file without ever leaving it missing: the new content goes to a
// temporary file in the target's own folder, is flushed to the disk and then
// renamed over the target in one step.

#include <cstdio>
#include <functional>
#include <string>

namespace cfg {

// "%08X%08X%08X%08X.Tmp" from the process id, the thread id, the time in
// seconds and a process-wide counter that grows on every call.
std::string TemporaryFileName();

// Copies `path` to `path` + ".BAK", replacing an existing copy. False when
// the copy could not be made (the caller may ignore it).
bool CopyToBackup(const std::string& path);

// Writes through `write` into a temporary file next to `path`, checks every
// step (the writer, flush, fsync, close) and renames it over `path`. On any
// failure the temporary file is removed, `path` is untouched, and the result
// is false.
bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write);

}  // namespace cfg
