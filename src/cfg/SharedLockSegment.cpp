#include "cfg/SharedLockSegment.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "text/Strings.h"

namespace cfg {

namespace {

constexpr std::uint32_t kMagic = 0x564C4B31;  // "VLK1"
constexpr std::size_t kMaxPlainName = 200;    // the system allows 255 bytes
constexpr int kOpenAttempts = 50;

std::uint64_t Fnv1a(std::string_view s, std::uint64_t seed) {
  std::uint64_t h = seed;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

void SleepMs(long ms) {
  timespec ts{0, ms * 1000000L};
  ::nanosleep(&ts, nullptr);
}

bool InitMutex(pthread_mutex_t* mutex, int type) {
  pthread_mutexattr_t attr;
  if (pthread_mutexattr_init(&attr) != 0) return false;
  const bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
                  pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
                  pthread_mutexattr_settype(&attr, type) == 0 && pthread_mutex_init(mutex, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  return ok;
}

bool InitState(SharedLockState* state) {
  pthread_condattr_t attr;
  if (pthread_condattr_init(&attr) != 0) return false;
  const bool condOk = pthread_condattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
                      pthread_condattr_setclock(&attr, CLOCK_MONOTONIC) == 0 &&
                      pthread_cond_init(&state->changed, &attr) == 0;
  pthread_condattr_destroy(&attr);
  if (!condOk || !InitMutex(&state->writer, PTHREAD_MUTEX_RECURSIVE) ||
      !InitMutex(&state->guard, PTHREAD_MUTEX_NORMAL)) {
    return false;
  }
  state->readers = 0;
  state->noReaders = 1;
  state->unlinked = 0;
  state->untrackedOpens = 0;
  for (SharedLockProcess& p : state->processes) p = SharedLockProcess{0, 0, 0};
  state->processes[0] = SharedLockProcess{::getpid(), 1, 0};  // its creator
  state->magic.store(kMagic, std::memory_order_release);
  return true;
}

SharedLockProcess* SlotOf(SharedLockState& state, pid_t pid) {
  for (SharedLockProcess& p : state.processes) {
    if (p.pid == pid) return &p;
  }
  return nullptr;
}

// Under the guard: one more object open in this process.
void AddOpen(SharedLockState& state) {
  ForgetDeadProcesses(state);
  const pid_t self = ::getpid();
  SharedLockProcess* slot = SlotOf(state, self);
  if (slot == nullptr) {
    slot = SlotOf(state, 0);
    if (slot != nullptr) *slot = SharedLockProcess{self, 0, 0};
  }
  if (slot != nullptr) {
    ++slot->opens;
  } else {
    ++state.untrackedOpens;
  }
}

// Under the guard: one object less; true when no process has it open now.
bool RemoveOpen(SharedLockState& state) {
  SharedLockProcess* slot = SlotOf(state, ::getpid());
  if (slot != nullptr && slot->opens > 0) {
    if (--slot->opens == 0 && slot->readers == 0) *slot = SharedLockProcess{0, 0, 0};
  } else if (state.untrackedOpens > 0) {
    --state.untrackedOpens;
  }
  ForgetDeadProcesses(state);
  if (state.untrackedOpens > 0) return false;
  for (const SharedLockProcess& p : state.processes) {
    if (p.pid != 0) return false;
  }
  return true;
}

void SetReaders(SharedLockState& state, std::uint32_t readers) {
  state.readers = readers;
  if (readers == 0 && state.noReaders == 0) {
    state.noReaders = 1;
    pthread_cond_broadcast(&state.changed);
  } else if (readers != 0) {
    state.noReaders = 0;
  }
}

SharedLockState* Map(int fd) {
  void* p = ::mmap(nullptr, sizeof(SharedLockState), PROT_READ | PROT_WRITE,
                   fd < 0 ? MAP_SHARED | MAP_ANONYMOUS : MAP_SHARED, fd, 0);
  return p == MAP_FAILED ? nullptr : static_cast<SharedLockState*>(p);
}

void Unmap(SharedLockState* state) { ::munmap(state, sizeof(SharedLockState)); }

// Creates the segment; null with errno EEXIST when another process has.
SharedLockState* CreateNamed(const std::string& name) {
  const int fd = ::shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  SharedLockState* state = nullptr;
  if (::ftruncate(fd, sizeof(SharedLockState)) == 0) state = Map(fd);
  ::close(fd);
  if (state != nullptr && InitState(state)) return state;
  if (state != nullptr) Unmap(state);
  ::shm_unlink(name.c_str());
  errno = EIO;
  return nullptr;
}

// Opens a segment another process created, once it is initialised. Null with
// errno ENOENT when it disappeared meanwhile.
SharedLockState* OpenNamed(const std::string& name) {
  const int fd = ::shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  // The creator may still be sizing and initialising it.
  SharedLockState* state = nullptr;
  for (int i = 0; i < 200 && state == nullptr; ++i) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) break;
    if (static_cast<std::size_t>(st.st_size) >= sizeof(SharedLockState)) {
      state = Map(fd);
      break;
    }
    SleepMs(5);
  }
  ::close(fd);
  if (state == nullptr) {
    errno = EIO;
    return nullptr;
  }
  for (int i = 0; i < 200; ++i) {
    if (state->magic.load(std::memory_order_acquire) == kMagic) return state;
    SleepMs(5);
  }
  // A creator that died half-way leaves a segment nobody can use.
  Unmap(state);
  errno = EIO;
  return nullptr;
}

}  // namespace

std::string SharedLockSegmentName(std::string_view lockName) {
  std::string escaped;
  for (char c : lockName) {
    if (c == '/') {
      escaped += "%2F";
    } else if (c == '%') {
      escaped += "%25";
    } else {
      escaped += c;
    }
  }
  if (escaped.size() > kMaxPlainName) {
    escaped = text::Format("%s.%016llX%016llX", escaped.substr(0, 100).c_str(),
                           static_cast<unsigned long long>(Fnv1a(lockName, 14695981039346656037ull)),
                           static_cast<unsigned long long>(Fnv1a(lockName, 0x9E3779B97F4A7C15ull)));
  }
  return "/vtslo." + escaped;
}

SharedLockState* AttachSharedLock(const std::string& segmentName) {
  if (segmentName.empty()) {
    SharedLockState* state = Map(-1);
    if (state != nullptr && !InitState(state)) {
      Unmap(state);
      return nullptr;
    }
    return state;
  }
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (SharedLockState* state = CreateNamed(segmentName)) return state;
    if (errno != EEXIST) return nullptr;
    SharedLockState* state = OpenNamed(segmentName);
    if (state == nullptr) {
      if (errno == ENOENT) continue;  // removed between the two opens
      return nullptr;
    }
    if (!LockGuard(*state)) {
      Unmap(state);
      return nullptr;
    }
    const bool stale = state->unlinked != 0;
    if (!stale) AddOpen(*state);
    UnlockGuard(*state);
    if (!stale) return state;
    Unmap(state);  // its last user removed it: the next attempt makes a new one
  }
  return nullptr;
}

void DetachSharedLock(SharedLockState* state, const std::string& segmentName) {
  if (state == nullptr) return;
  if (!segmentName.empty() && LockGuard(*state)) {
    if (RemoveOpen(*state)) {
      state->unlinked = 1;
      ::shm_unlink(segmentName.c_str());
    }
    UnlockGuard(*state);
  }
  Unmap(state);
}

bool LockGuard(SharedLockState& state) {
  const int r = pthread_mutex_lock(&state.guard);
  if (r == EOWNERDEAD) {
    // Its holder died inside a short update of the counts; they stay usable.
    pthread_mutex_consistent(&state.guard);
    return true;
  }
  return r == 0;
}

void UnlockGuard(SharedLockState& state) { pthread_mutex_unlock(&state.guard); }

void AddReader(SharedLockState& state) {
  if (SharedLockProcess* slot = SlotOf(state, ::getpid())) ++slot->readers;
  SetReaders(state, state.readers + 1);
}

void RemoveReader(SharedLockState& state) {
  // Without a reader there is nothing to release: the count never goes below 0.
  if (state.readers == 0) return;
  if (SharedLockProcess* slot = SlotOf(state, ::getpid()); slot != nullptr && slot->readers > 0) --slot->readers;
  SetReaders(state, state.readers - 1);
}

void ForgetDeadProcesses(SharedLockState& state) {
  const pid_t self = ::getpid();
  for (SharedLockProcess& p : state.processes) {
    if (p.pid == 0 || p.pid == self) continue;
    // A process of another user answers EPERM: it exists.
    if (::kill(p.pid, 0) == 0 || errno != ESRCH) continue;
    SetReaders(state, state.readers > p.readers ? state.readers - p.readers : 0);
    p = SharedLockProcess{0, 0, 0};
  }
}

}  // namespace cfg
