#include "cfg/CInternalLockObject.h"

#include <utility>

#include "cfg/LockNames.h"

CInternalLockObject::CInternalLockObject() = default;

CInternalLockObject::CInternalLockObject(std::string_view text) { Create(cfg::LockName(text)); }

CInternalLockObject::CInternalLockObject(std::string_view text1, std::string_view text2) {
  Create(cfg::LockName(text1, text2));
}

CInternalLockObject::~CInternalLockObject() { DestroyOnce(); }

bool CInternalLockObject::Create(std::string_view name) {
  if (IsCreated()) return false;
  std::string full = "iloCS$";
  full += name;
  if (!cfg::FitsLockName(full)) return false;
  pthread_mutexattr_t attr;
  if (pthread_mutexattr_init(&attr) != 0) return false;
  // A recursive mutex also refuses (EPERM) an unlock by a thread that does
  // not hold it, where a plain one would be undefined.
  bool ok = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 &&
            pthread_mutex_init(&mutex_, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  if (!ok) return false;
  name_ = std::move(full);
  state_ = kStateCreated;
  return true;
}

bool CInternalLockObject::IsCreated() const { return (state_ & kStateCreated) != 0; }

bool CInternalLockObject::IsReadLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) == 0;
}

bool CInternalLockObject::IsWriteLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) != 0;
}

int CInternalLockObject::WaitWrite(long /*timeoutMs: the wait lasts as long as the holder keeps it*/) {
  if (!IsCreated()) return kWaitFailed;
  if (pthread_mutex_lock(&mutex_) != 0) return kWaitFailed;
  state_ |= kStateLocked | kStateExclusive;
  return kWaitObject0;
}

int CInternalLockObject::WaitRead(long timeoutMs) { return WaitWrite(timeoutMs); }

void CInternalLockObject::UnlockRead() { UnlockWrite(); }

void CInternalLockObject::UnlockWrite() {
  if (!IsCreated()) return;
  // An unlock by a thread that does not hold the lock changes nothing.
  if (pthread_mutex_unlock(&mutex_) == 0) state_ &= static_cast<std::uint8_t>(~kStateLocked);
}

bool CInternalLockObject::IsBad() const { return !IsCreated(); }

void CInternalLockObject::Destroy() {
  if (!IsCreated()) return;
  name_.clear();
  name_.shrink_to_fit();
  pthread_mutex_destroy(&mutex_);
  state_ = 0;
}
