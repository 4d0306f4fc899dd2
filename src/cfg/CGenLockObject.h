#pragma once
// The common interface of the lock family: a cross-process readers-writer lock
// (CSingleLockObject), an in-process recursive lock (CInternalLockObject) and a
// reference that forwards to another lock (CRefLockObject).

#include <cstdint>

class CGenLockObject {
 public:
  // Wait results, in the system's convention.
  static constexpr int kWaitObject0 = 0;      // 0..63: obtained
  static constexpr int kWaitAbandoned0 = 128; // 128..191: the owner died holding it
  static constexpr int kWaitTimeout = 258;
  static constexpr int kWaitFailed = -1;
  // Any negative timeout waits without limit.
  static constexpr long kInfinite = -1;

  // Bits of the state byte of the concrete classes.
  static constexpr std::uint8_t kStateCreated = 0x01;
  static constexpr std::uint8_t kStateLocked = 0x02;
  static constexpr std::uint8_t kStateExclusive = 0x04;

  CGenLockObject() = default;
  CGenLockObject(const CGenLockObject&) = delete;
  CGenLockObject& operator=(const CGenLockObject&) = delete;
  virtual ~CGenLockObject();

  virtual bool IsCreated() const = 0;
  virtual bool IsLocked() const;
  virtual bool IsReadLocked() const = 0;
  virtual bool IsWriteLocked() const = 0;
  virtual int WaitWrite(long timeoutMs) = 0;
  virtual int WaitRead(long timeoutMs) = 0;
  virtual void UnlockRead() = 0;
  virtual void UnlockWrite() = 0;
  virtual bool IsBad() const = 0;
  virtual bool IsValid() const;
  virtual CGenLockObject* GetReferenced() const;
  // Releases the object's resources; called once through DestroyOnce by the
  // destructor of the most derived class. Safe to call more than once.
  virtual void Destroy() = 0;

  // WaitWrite; true only when the lock was obtained (an abandoned or failed
  // wait and a timeout give false).
  bool Lock(long timeoutMs = kInfinite);
  // The same over WaitRead.
  bool LockShared(long timeoutMs = kInfinite);
  void Unlock();
  // True when this object is met following GetReferenced from `other` on.
  bool RefersTo(const CGenLockObject* other) const;
  void DestroyOnce();

  static bool IsObtained(int waitResult) { return waitResult >= 0 && waitResult <= 63; }
  static bool IsAbandoned(int waitResult) { return waitResult >= 128 && waitResult <= 191; }

 private:
  std::int32_t destroyed_ = 0;
};
