#include "cfg/CSingleLockObject.h"

#include "cfg/LockNames.h"

CSingleLockObject::CSingleLockObject() = default;

CSingleLockObject::CSingleLockObject(std::string_view text) { Create(cfg::LockName(text)); }

CSingleLockObject::CSingleLockObject(std::string_view text1, std::string_view text2) {
  Create(cfg::LockName(text1, text2));
}

CSingleLockObject::~CSingleLockObject() { DestroyOnce(); }

bool CSingleLockObject::Create(std::string_view name) { return Attach(name, true); }

bool CSingleLockObject::CreateUnnamed() { return Attach({}, false); }

bool CSingleLockObject::Attach(std::string_view, bool) { return false; }

bool CSingleLockObject::IsCreated() const { return (state_ & kStateCreated) != 0; }

bool CSingleLockObject::IsReadLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) == 0;
}

bool CSingleLockObject::IsWriteLocked() const {
  const std::uint8_t s = state_;
  return (s & kStateLocked) != 0 && (s & kStateExclusive) != 0;
}

int CSingleLockObject::WaitWrite(long) { return kWaitFailed; }

int CSingleLockObject::WaitRead(long) { return kWaitFailed; }

void CSingleLockObject::UnlockRead() {}

void CSingleLockObject::UnlockWrite() {}

bool CSingleLockObject::IsBad() const { return shared_ == nullptr || !IsCreated(); }

void CSingleLockObject::Destroy() {}

long CSingleLockObject::GetReaderCount() const { return -1; }
