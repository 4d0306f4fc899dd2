#include "cfg/CSingleLockObject.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

#include "cfg/LockNames.h"
#include "cfg/SharedLockSegment.h"

namespace {

// A woken waiter re-checks at least this often, so that a wake-up lost with a
// process that died while signalling costs only a short delay.
constexpr long kWaitSliceMs = 100;

struct Deadline {
  bool infinite = true;
  timespec at{};
};

timespec Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts;
}

timespec AddMs(timespec ts, long ms) {
  ts.tv_sec += ms / 1000;
  ts.tv_nsec += (ms % 1000) * 1000000L;
  if (ts.tv_nsec >= 1000000000L) {
    ts.tv_sec += 1;
    ts.tv_nsec -= 1000000000L;
  }
  return ts;
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

Deadline DeadlineAfter(long timeoutMs) {
  Deadline d;
  if (timeoutMs >= 0) {
    d.infinite = false;
    d.at = AddMs(Now(), timeoutMs);
  }
  return d;
}

// Takes the writer mutex: 0, ETIMEDOUT, EOWNERDEAD or another error.
int LockWriter(cfg::SharedLockState& s, const Deadline& d) {
  if (d.infinite) return pthread_mutex_lock(&s.writer);
  return pthread_mutex_clocklock(&s.writer, CLOCK_MONOTONIC, &d.at);
}

// The wait result for a failed take of the writer mutex. An abandoned mutex
// is made consistent and released before the failure is returned, so that
// the next caller gets it normally.
int FailedTake(cfg::SharedLockState& s, int r) {
  if (r == ETIMEDOUT) return CGenLockObject::kWaitTimeout;
  if (r == EOWNERDEAD) {
    pthread_mutex_consistent(&s.writer);
    pthread_mutex_unlock(&s.writer);
    return CGenLockObject::kWaitAbandoned0;
  }
  return CGenLockObject::kWaitFailed;
}

// Waits, holding the guard, until no reader holds the lock. False on timeout.
bool WaitNoReaders(cfg::SharedLockState& s, const Deadline& d) {
  for (;;) {
    // A reader whose process died will never leave: its count goes with it.
    cfg::ForgetDeadProcesses(s);
    if (s.noReaders != 0) break;
    timespec until = AddMs(Now(), kWaitSliceMs);
    if (!d.infinite) {
      if (!Before(Now(), d.at)) return false;
      if (Before(d.at, until)) until = d.at;
    }
    const int r = pthread_cond_clockwait(&s.changed, &s.guard, CLOCK_MONOTONIC, &until);
    if (r == EOWNERDEAD) pthread_mutex_consistent(&s.guard);
  }
  return true;
}

}  // namespace

CSingleLockObject::CSingleLockObject() = default;

CSingleLockObject::CSingleLockObject(std::string_view text) { Create(cfg::LockName(text)); }

CSingleLockObject::CSingleLockObject(std::string_view text1, std::string_view text2) {
  Create(cfg::LockName(text1, text2));
}

CSingleLockObject::~CSingleLockObject() { DestroyOnce(); }

bool CSingleLockObject::Create(std::string_view name) { return Attach(name, true); }

bool CSingleLockObject::CreateUnnamed() { return Attach({}, false); }

bool CSingleLockObject::Attach(std::string_view name, bool named) {
  if (shared_ != nullptr) return false;
  if (named) {
    // Each of the three objects must have a full name shorter than the limit.
    const std::string mutexName = "sloMNW$" + std::string(name);
    const std::string eventName = "sloENR$" + std::string(name);
    const std::string countName = "sloSNR" + std::string(name);
    if (!cfg::FitsLockName(mutexName) || !cfg::FitsLockName(eventName) || !cfg::FitsLockName(countName)) {
      state_ = 0;
      return false;
    }
    shmName_ = cfg::SharedLockSegmentName(name);
  } else {
    shmName_.clear();
  }
  shared_ = cfg::AttachSharedLock(shmName_);
  if (shared_ == nullptr) {
    shmName_.clear();
    state_ = 0;
    return false;
  }
  name_.assign(name);
  state_ = kStateCreated;
  return true;
}

bool CSingleLockObject::IsCreated() const { return (state_ & kStateCreated) != 0; }

bool CSingleLockObject::IsReadLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) == 0;
}

bool CSingleLockObject::IsWriteLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) != 0;
}

int CSingleLockObject::WaitWrite(long timeoutMs) {
  if (IsBad()) return kWaitFailed;
  cfg::SharedLockState& s = *shared_;
  const Deadline deadline = DeadlineAfter(timeoutMs);
  for (;;) {
    const int r = LockWriter(s, deadline);
    if (r != 0) return FailedTake(s, r);
    if (!cfg::LockGuard(s)) {
      pthread_mutex_unlock(&s.writer);
      return kWaitFailed;
    }
    if (s.noReaders != 0) {
      cfg::UnlockGuard(s);
      break;
    }
    // Readers hold the lock. The writer must not keep the mutex while it
    // waits for them (it waits for the mutex and the event together, taking
    // neither until both are free): release it, wait for the event, retry.
    pthread_mutex_unlock(&s.writer);
    const bool noReaders = WaitNoReaders(s, deadline);
    cfg::UnlockGuard(s);
    if (!noReaders) return kWaitTimeout;
  }
  ++writeDepth_;
  state_ |= kStateLocked | kStateExclusive;
  return kWaitObject0;
}

int CSingleLockObject::WaitRead(long timeoutMs) {
  if (IsBad()) return kWaitFailed;
  cfg::SharedLockState& s = *shared_;
  const int r = LockWriter(s, DeadlineAfter(timeoutMs));
  // Only a reader whose wait succeeded is counted.
  if (r != 0) return FailedTake(s, r);
  if (!cfg::LockGuard(s)) {
    pthread_mutex_unlock(&s.writer);
    return kWaitFailed;
  }
  cfg::AddReader(s);
  cfg::UnlockGuard(s);
  pthread_mutex_unlock(&s.writer);
  ++readDepth_;
  state_ = static_cast<std::uint8_t>((state_ & ~kStateExclusive) | kStateLocked);
  return kWaitObject0;
}

void CSingleLockObject::UnlockRead() {
  if (IsBad()) return;
  cfg::SharedLockState& s = *shared_;
  // Only the count's guard is needed, not the writer mutex: a writer waiting
  // for the last reader must not keep that reader from leaving.
  if (!cfg::LockGuard(s)) return;
  cfg::RemoveReader(s);
  cfg::UnlockGuard(s);
  if (readDepth_ > 0) --readDepth_;
  state_ &= static_cast<std::uint8_t>(~kStateLocked);
}

void CSingleLockObject::UnlockWrite() {
  if (IsBad()) return;
  state_ &= static_cast<std::uint8_t>(~kStateLocked);
  // The mutex refuses (EPERM) a thread that does not own it.
  if (pthread_mutex_unlock(&shared_->writer) == 0 && writeDepth_ > 0) --writeDepth_;
}

bool CSingleLockObject::IsBad() const { return shared_ == nullptr || !IsCreated(); }

void CSingleLockObject::Destroy() {
  if (shared_ == nullptr) {
    state_ = 0;
    return;
  }
  // A mutex still held must not vanish from this process's view: the thread's
  // list of held robust mutexes points into it.
  while (writeDepth_ > 0 && pthread_mutex_unlock(&shared_->writer) == 0) --writeDepth_;
  for (long n = readDepth_; n > 0; --n) UnlockRead();
  cfg::DetachSharedLock(shared_, shmName_);
  shared_ = nullptr;
  shmName_.clear();
  name_.clear();
  writeDepth_ = 0;
  readDepth_ = 0;
  state_ = 0;
}

long CSingleLockObject::GetReaderCount() const {
  if (IsBad()) return -1;
  if (!cfg::LockGuard(*shared_)) return -1;
  const long count = shared_->readers;
  cfg::UnlockGuard(*shared_);
  return count;
}
