// The in-process lock, references and the common operations of the family.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "cfg/CGenLockObject.h"
#include "cfg/CInternalLockObject.h"
#include "cfg/CRefLockObject.h"

namespace {

// A lock whose wait answers a prepared result; counts its Destroy calls.
class ScriptedLock : public CGenLockObject {
 public:
  explicit ScriptedLock(int result, int* destroyCount = nullptr) : result_(result), destroyCount_(destroyCount) {}
  ~ScriptedLock() override { DestroyOnce(); }
  bool IsCreated() const override { return true; }
  bool IsReadLocked() const override { return false; }
  bool IsWriteLocked() const override { return false; }
  int WaitWrite(long) override { return result_; }
  int WaitRead(long) override { return result_; }
  void UnlockRead() override {}
  void UnlockWrite() override {}
  bool IsBad() const override { return false; }
  void Destroy() override {
    if (destroyCount_ != nullptr) ++*destroyCount_;
  }

 private:
  int result_;
  int* destroyCount_;
};

TEST(GenLockObject, LockIsTrueOnlyForObtainedResults) {
  struct Case {
    int result;
    bool locked;
  } cases[] = {{0, true}, {63, true}, {64, false}, {128, false}, {191, false}, {258, false}, {-1, false}};
  for (const Case& c : cases) {
    ScriptedLock lock(c.result);
    EXPECT_EQ(lock.Lock(100), c.locked) << c.result;
    EXPECT_EQ(lock.LockShared(100), c.locked) << c.result;
  }
}

TEST(GenLockObject, DestroyRunsOnceThroughDestroyOnceAndTheDestructor) {
  int count = 0;
  {
    ScriptedLock lock(0, &count);
    lock.DestroyOnce();
    lock.DestroyOnce();
  }
  EXPECT_EQ(count, 1);
}

TEST(InternalLockObject, IsRecursiveForItsThreadAndExcludesOthers) {
  CInternalLockObject lock("file");
  ASSERT_TRUE(lock.IsCreated());
  EXPECT_EQ(lock.GetName(), "iloCS$$file");
  EXPECT_EQ(lock.WaitWrite(0), 0);
  EXPECT_EQ(lock.WaitRead(0), 0);  // again, on the same thread
  EXPECT_TRUE(lock.IsWriteLocked());

  std::atomic<bool> otherGotIt{false};
  std::thread other([&] {
    lock.Lock(5000);  // the timeout is ignored: this waits for the holder
    otherGotIt = true;
    lock.Unlock();
  });
  lock.Unlock();
  // Still held once: the other thread cannot have it yet.
  EXPECT_FALSE(otherGotIt.load());
  lock.Unlock();
  other.join();
  EXPECT_TRUE(otherGotIt.load());
  EXPECT_FALSE(lock.IsLocked());
}

TEST(InternalLockObject, TwoObjectsOnTheSameNameAreIndependent) {
  CInternalLockObject a("same");
  CInternalLockObject b("same");
  ASSERT_TRUE(a.Lock());
  bool bTaken = false;
  std::thread other([&] {
    bTaken = b.Lock();
    if (bTaken) b.Unlock();
  });
  other.join();  // would hang if the name shared the lock
  EXPECT_TRUE(bTaken);
  a.Unlock();
}

TEST(InternalLockObject, UnlockByAThreadThatDoesNotHoldItChangesNothing) {
  CInternalLockObject lock("x");
  ASSERT_TRUE(lock.Lock());
  std::thread([&] { lock.Unlock(); }).join();
  EXPECT_TRUE(lock.IsWriteLocked());
  lock.Unlock();
  EXPECT_FALSE(lock.IsLocked());
  bool taken = false;
  std::thread([&] {
    taken = lock.Lock();
    if (taken) lock.Unlock();
  }).join();
  EXPECT_TRUE(taken);
}

TEST(InternalLockObject, NameLimit) {
  // "iloCS$" + "$" + text must stay below 1024 characters.
  CInternalLockObject fits(std::string(1016, 'a'));
  CInternalLockObject tooLong(std::string(1017, 'a'));
  EXPECT_TRUE(fits.IsCreated());
  EXPECT_FALSE(tooLong.IsCreated());
  EXPECT_TRUE(tooLong.IsBad());
  EXPECT_FALSE(tooLong.Lock());
  CInternalLockObject two("a", "b");
  EXPECT_EQ(two.GetName(), "iloCS$$a$b");
  CInternalLockObject none;
  EXPECT_TRUE(none.IsBad());
}

TEST(RefLockObject, WithoutTargetIsBadAndNotCreated) {
  CRefLockObject ref;
  EXPECT_TRUE(ref.IsBad());
  EXPECT_FALSE(ref.IsCreated());
  EXPECT_FALSE(ref.IsValid());
  EXPECT_FALSE(ref.Lock());
  EXPECT_EQ(ref.WaitRead(0), CGenLockObject::kWaitFailed);
  ref.Unlock();  // harmless
}

TEST(RefLockObject, ForwardsToItsTargetAndDetachesOnDestroy) {
  CInternalLockObject target("t");
  CRefLockObject ref(&target);
  EXPECT_TRUE(ref.IsCreated());
  ASSERT_TRUE(ref.Lock());
  EXPECT_TRUE(target.IsWriteLocked());
  EXPECT_TRUE(ref.IsWriteLocked());
  ref.Unlock();
  EXPECT_FALSE(target.IsLocked());
  ref.Destroy();
  EXPECT_EQ(ref.GetReferenced(), nullptr);
  EXPECT_TRUE(ref.IsBad());
}

TEST(RefLockObject, RefersToFollowsTheChain) {
  CInternalLockObject base("b");
  CRefLockObject first(&base);
  CRefLockObject second(&first);
  CInternalLockObject other("o");
  EXPECT_TRUE(base.RefersTo(&second));
  EXPECT_TRUE(first.RefersTo(&second));
  EXPECT_TRUE(second.RefersTo(&second));
  EXPECT_FALSE(second.RefersTo(&base));
  EXPECT_FALSE(other.RefersTo(&second));
  EXPECT_FALSE(base.RefersTo(nullptr));
}

}  // namespace
