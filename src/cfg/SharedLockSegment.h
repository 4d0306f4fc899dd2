#pragma once
// The memory shared by every process that opens a cross-process lock of the
// same name: the writer mutex, the no-readers event and the reader count,
// each guarded so that a process that dies while holding one leaves it
// recoverable.

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace cfg {

// One process that has the lock open: how many objects, and how many of the
// readers counted are its own, so that a process that died holding a read
// lock does not keep writers out for ever.
struct SharedLockProcess {
  std::int32_t pid;
  std::uint32_t opens;
  std::uint32_t readers;
};

inline constexpr int kMaxLockProcesses = 64;

struct SharedLockState {
  std::atomic<std::uint32_t> magic;  // set once the rest is initialised
  // "sloMNW": owned by the writer while it holds the lock; recursive like the
  // system's named mutex, robust so that a dead owner shows as abandoned.
  pthread_mutex_t writer;
  // Serialises the registration of readers and guards the fields below.
  pthread_mutex_t guard;
  pthread_cond_t changed;        // broadcast when the reader count drops to 0
  std::uint32_t readers;         // "sloSNR": readers that hold the lock
  std::uint32_t noReaders;       // "sloENR": 1 (signalled) while readers is 0
  std::uint32_t unlinked;        // the name was removed: open a new segment instead
  std::uint32_t untrackedOpens;  // objects of processes beyond the table
  SharedLockProcess processes[kMaxLockProcesses];
};

// The shared-memory object name for a lock name: "/vtslo." and the name with
// '/' and '%' escaped; a long name is shortened and completed by its hash.
std::string SharedLockSegmentName(std::string_view lockName);

// Opens the segment of `segmentName`, creating and initialising it when it
// does not exist; an empty name gives a segment private to this process (and
// its children). Null on failure.
SharedLockState* AttachSharedLock(const std::string& segmentName);
// Closes this process's view; the last one open removes the name.
void DetachSharedLock(SharedLockState* state, const std::string& segmentName);

// Takes `guard`; a dead holder's mutex is made consistent and taken.
bool LockGuard(SharedLockState& state);
void UnlockGuard(SharedLockState& state);

// Under the guard: counts one more reader for this process, or one less.
void AddReader(SharedLockState& state);
void RemoveReader(SharedLockState& state);
// Under the guard: forgets the processes that no longer exist, with the
// readers they held.
void ForgetDeadProcesses(SharedLockState& state);

}  // namespace cfg
