#pragma once
// The in-process lock: recursive for the thread that holds it; a timeout is
// ignored (the wait lasts as long as the holder keeps it). Two objects made on
// the same name are independent: the name identifies, it does not share.

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "cfg/CGenLockObject.h"

class CInternalLockObject : public CGenLockObject {
 public:
  CInternalLockObject();                          // not created
  explicit CInternalLockObject(std::string_view text);  // Create("$" + text)
  CInternalLockObject(std::string_view text1, std::string_view text2);  // Create("$" + text1 + "$" + text2)
  ~CInternalLockObject() override;

  bool IsCreated() const override;
  bool IsReadLocked() const override;
  bool IsWriteLocked() const override;
  int WaitWrite(long timeoutMs) override;
  int WaitRead(long timeoutMs) override;
  void UnlockRead() override;
  void UnlockWrite() override;
  bool IsBad() const override;
  void Destroy() override;

  // Builds "iloCS$" + name; false (not created) when that is 1024 characters
  // or more, or when the object is already created.
  bool Create(std::string_view name);
  // The full name "iloCS$..."; empty when not created.
  const std::string& GetName() const { return name_; }

 private:
  std::atomic<std::uint8_t> state_{0};
  pthread_mutex_t mutex_;
  std::string name_;
};
