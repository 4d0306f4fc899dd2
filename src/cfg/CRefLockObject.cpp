#include "cfg/CRefLockObject.h"

CRefLockObject::CRefLockObject(CGenLockObject* target) : target_(target) {}

CRefLockObject::~CRefLockObject() { DestroyOnce(); }

bool CRefLockObject::IsCreated() const { return target_ != nullptr && target_->IsCreated(); }

bool CRefLockObject::IsReadLocked() const { return target_ != nullptr && target_->IsReadLocked(); }

bool CRefLockObject::IsWriteLocked() const { return target_ != nullptr && target_->IsWriteLocked(); }

int CRefLockObject::WaitWrite(long timeoutMs) {
  return target_ != nullptr ? target_->WaitWrite(timeoutMs) : kWaitFailed;
}

int CRefLockObject::WaitRead(long timeoutMs) {
  return target_ != nullptr ? target_->WaitRead(timeoutMs) : kWaitFailed;
}

void CRefLockObject::UnlockRead() {
  if (target_ != nullptr) target_->UnlockRead();
}

void CRefLockObject::UnlockWrite() {
  if (target_ != nullptr) target_->UnlockWrite();
}

bool CRefLockObject::IsBad() const { return target_ == nullptr || target_->IsBad(); }

CGenLockObject* CRefLockObject::GetReferenced() const { return target_; }

void CRefLockObject::Destroy() { target_ = nullptr; }
