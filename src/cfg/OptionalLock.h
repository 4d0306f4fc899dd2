#pragma once
// Takes an object's exclusive lock for a scope when asked to, so that an
// operation called with lock = false runs inside a caller's own lock.

#include "cfg/CGenLockObject.h"

namespace cfg {

class OptionalLock {
 public:
  OptionalLock(CGenLockObject& object, bool take)
      : object_(take ? &object : nullptr), held_(take && object.Lock(CGenLockObject::kInfinite)) {}
  ~OptionalLock() {
    if (held_) object_->Unlock();
  }
  OptionalLock(const OptionalLock&) = delete;
  OptionalLock& operator=(const OptionalLock&) = delete;

  // False when the lock was asked for and could not be taken.
  bool Ok() const { return object_ == nullptr || held_; }

 private:
  CGenLockObject* object_;
  bool held_;
};

}  // namespace cfg
