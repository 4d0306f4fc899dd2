#pragma once
// Replacing a file without ever leaving it missing: the new content goes to a
// temporary file in the target's own folder, is flushed to the disk and then
// renamed over the target in one step.
//
// Failures are told in plain words (code page 1251): the step that failed and
// the system's error text, for the caller to show.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace cfg {

// "%08X%08X%08X%08X.Tmp" for a temporary of the file named `targetName` (its
// last path component): a 64-bit hash of that name in the first two words, so
// that a later save of the same file finds what an earlier one left; then the
// process id and a process-wide counter that grows on every call.
std::string TemporaryFileName(std::string_view targetName);

// True when `name` (a bare file name) is a temporary of `targetName`.
bool IsTemporaryOf(std::string_view name, std::string_view targetName);

// Follows `path` through symbolic links to the path they finally name (which
// need not exist yet); a path that is no link is its own target. False, with
// the reason in `error`, for a loop or a link that cannot be read.
bool ResolveLinks(const std::string& path, std::string& target, std::string* error = nullptr);

// Why `path` (already resolved) may not be replaced: a folder, a device or
// pipe, or a file that has no write permission bit at all. The mode bits
// decide, not access(): root passes every access check, yet a file its user
// made read-only must not be replaced behind that user's back. Empty when it
// may be replaced (a missing file may).
std::string RefusalToReplace(const std::string& path);

// Removes the temporaries of `path` that saves killed half way left beside
// it. A temporary that a running save holds (it keeps it locked) stays.
void RemoveLeftoverTemporaries(const std::string& path);

// Copies `path` to `path` + ".BAK", replacing an existing copy. False when
// the copy could not be made (the caller may ignore it).
bool CopyToBackup(const std::string& path);

// Writes through `write` into a temporary file beside the final target of
// `path` (links followed, the links kept), checks every step (the writer,
// flush, fsync, close) and renames it over that target. The new file keeps
// the permissions, owner and group of the one it replaces (the owner only
// where the process may set it). On any failure the temporary file is
// removed, the target is untouched, `error` (when given) names the failed
// step, and the result is false.
bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                           std::string* error = nullptr);

}  // namespace cfg
