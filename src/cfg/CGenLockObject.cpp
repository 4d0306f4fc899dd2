#include "cfg/CGenLockObject.h"

CGenLockObject::~CGenLockObject() = default;

bool CGenLockObject::IsLocked() const { return IsWriteLocked() || IsReadLocked(); }

bool CGenLockObject::IsValid() const { return !IsBad(); }

CGenLockObject* CGenLockObject::GetReferenced() const { return nullptr; }

bool CGenLockObject::Lock(long timeoutMs) { return IsObtained(WaitWrite(timeoutMs)); }

bool CGenLockObject::LockShared(long timeoutMs) { return IsObtained(WaitRead(timeoutMs)); }

void CGenLockObject::Unlock() { UnlockWrite(); }

bool CGenLockObject::RefersTo(const CGenLockObject* other) const {
  // A chain of references is short; the bound only guards against a cycle.
  for (int steps = 0; other != nullptr && steps < 1024; ++steps) {
    if (other == this) return true;
    other = other->GetReferenced();
  }
  return false;
}

void CGenLockObject::DestroyOnce() {
  if (destroyed_ == 0) {
    destroyed_ = 1;
    Destroy();
  }
}
