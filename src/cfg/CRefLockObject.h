#pragma once
// A reference that forwards every operation to another lock object (not
// owned). It must not outlive its target.

#include <cstdint>

#include "cfg/CGenLockObject.h"

class CRefLockObject : public CGenLockObject {
 public:
  explicit CRefLockObject(CGenLockObject* target = nullptr);
  ~CRefLockObject() override;

  bool IsCreated() const override;
  bool IsReadLocked() const override;
  bool IsWriteLocked() const override;
  int WaitWrite(long timeoutMs) override;   // kWaitFailed without target
  int WaitRead(long timeoutMs) override;    // kWaitFailed without target
  void UnlockRead() override;
  void UnlockWrite() override;
  bool IsBad() const override;
  CGenLockObject* GetReferenced() const override;
  void Destroy() override;  // detaches the target

  void SetTarget(CGenLockObject* target) { target_ = target; }

 private:
  CGenLockObject* target_ = nullptr;
};
