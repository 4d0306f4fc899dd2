#pragma once
// The cross-process readers-writer lock. Any number of readers hold it
// together; a writer excludes other writers and waits until no reader holds
// it. Every process that opens the same name shares it. Its three objects are
// the writer mutex "sloMNW$<name>", the no-readers event "sloENR$<name>"
// (signalled while no reader holds the lock) and the reader count
// "sloSNR<name>" (the name begins with its own "$").

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "cfg/CGenLockObject.h"

namespace cfg {
struct SharedLockState;
}

class CSingleLockObject : public CGenLockObject {
 public:
  CSingleLockObject();  // creates nothing
  explicit CSingleLockObject(std::string_view text);  // Create("$" + text)
  CSingleLockObject(std::string_view text1, std::string_view text2);  // Create("$" + text1 + "$" + text2)
  ~CSingleLockObject() override;

  bool IsCreated() const override;
  bool IsReadLocked() const override;
  bool IsWriteLocked() const override;
  int WaitWrite(long timeoutMs) override;
  int WaitRead(long timeoutMs) override;
  void UnlockRead() override;
  void UnlockWrite() override;
  bool IsBad() const override;
  void Destroy() override;

  // Creates or opens the objects of `name`; false (not created) when a full
  // name is 1024 characters or more or the system refuses.
  bool Create(std::string_view name);
  // Creates the objects private to this process (no name).
  bool CreateUnnamed();

  // The number of readers that hold the lock now (for diagnostics and tests);
  // -1 when not created.
  long GetReaderCount() const;
  // The name given to Create; empty for an unnamed or not created object.
  const std::string& GetName() const { return name_; }

 private:
  bool Attach(std::string_view name, bool named);

  std::atomic<std::uint8_t> state_{0};
  cfg::SharedLockState* shared_ = nullptr;  // the mapped objects
  // What this object holds now, released by Destroy so that nothing stays
  // held in the shared objects after it is gone.
  std::atomic<long> writeDepth_{0};
  std::atomic<long> readDepth_{0};
  std::string name_;
  std::string shmName_;  // empty when unnamed
};
