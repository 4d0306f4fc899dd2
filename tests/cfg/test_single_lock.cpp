// The cross-process readers-writer lock between real processes.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Peer.h"
#include "cfg/CSingleLockObject.h"
#include "cfg/SharedLockSegment.h"

namespace {

using cfgtest::Peer;

std::string UniqueName(const std::string& tag) {
  return "vtcfgtest-" + std::to_string(::getpid()) + "-" + tag;
}

bool SegmentExists(const std::string& text) {
  const int fd = ::shm_open(cfg::SharedLockSegmentName("$" + text).c_str(), O_RDONLY, 0);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

TEST(SingleLockObject, NamesLimitsAndSharing) {
  CSingleLockObject none;
  EXPECT_TRUE(none.IsBad());
  EXPECT_EQ(none.WaitWrite(0), CGenLockObject::kWaitFailed);

  // "sloMNW$" + "$" + text must stay below 1024 characters.
  CSingleLockObject fits(std::string(1015, 'a'));
  CSingleLockObject tooLong(std::string(1016, 'a'));
  EXPECT_TRUE(fits.IsCreated());
  EXPECT_FALSE(tooLong.IsCreated());
  EXPECT_TRUE(tooLong.IsBad());

  const std::string name = UniqueName("a/b%c");  // '/' is not allowed in the system's names
  {
    CSingleLockObject a(name);
    CSingleLockObject b(name);
    ASSERT_TRUE(a.IsCreated());
    ASSERT_TRUE(b.IsCreated());
    EXPECT_EQ(a.WaitRead(0), 0);
    EXPECT_TRUE(a.IsReadLocked());
    EXPECT_EQ(b.GetReaderCount(), 1);
    a.UnlockRead();
    EXPECT_EQ(b.GetReaderCount(), 0);
    EXPECT_TRUE(SegmentExists(name));
  }
  // The last object closed removes the name, as the system's objects vanish.
  EXPECT_FALSE(SegmentExists(name));

  CSingleLockObject unnamed;
  ASSERT_TRUE(unnamed.CreateUnnamed());
  EXPECT_EQ(unnamed.WaitWrite(0), 0);
  EXPECT_TRUE(unnamed.IsWriteLocked());
  unnamed.UnlockWrite();
}

TEST(SingleLockObject, ReaderTimesOutWhileAnotherProcessWrites) {
  const std::string name = UniqueName("rw");
  Peer writer([&](Peer& p) {
    CSingleLockObject lock(name);
    if (lock.WaitWrite(5000) != 0) return 1;
    p.Send('L');
    p.Receive();
    lock.UnlockWrite();
    p.Send('U');
    p.Receive();
    return 0;
  });
  ASSERT_TRUE(writer.Started());
  ASSERT_EQ(writer.Receive(), 'L');

  CSingleLockObject lock(name);
  EXPECT_EQ(lock.WaitRead(200), CGenLockObject::kWaitTimeout);
  EXPECT_EQ(lock.GetReaderCount(), 0);
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_EQ(lock.WaitWrite(0), CGenLockObject::kWaitTimeout);
  EXPECT_FALSE(lock.LockShared(0));

  writer.Send('g');
  ASSERT_EQ(writer.Receive(), 'U');
  EXPECT_EQ(lock.WaitRead(5000), 0);
  EXPECT_EQ(lock.GetReaderCount(), 1);
  lock.UnlockRead();
  EXPECT_EQ(lock.GetReaderCount(), 0);
  writer.Send('x');
  EXPECT_EQ(writer.Wait(), 0);
}

// A reader process: takes the lock, reports, releases on request.
int ReaderBody(const std::string& name, Peer& p) {
  CSingleLockObject lock(name);
  if (lock.WaitRead(5000) != 0) return 1;
  p.Send('R');
  if (p.Receive() != 'u') return 2;
  lock.UnlockRead();
  p.Send('U');
  p.Receive();
  return 0;
}

TEST(SingleLockObject, WriterWaitsForTheLastOfTwoReaders) {
  const std::string name = UniqueName("2r");
  Peer first([&](Peer& p) { return ReaderBody(name, p); });
  Peer second([&](Peer& p) { return ReaderBody(name, p); });
  ASSERT_EQ(first.Receive(), 'R');
  ASSERT_EQ(second.Receive(), 'R');

  CSingleLockObject lock(name);
  EXPECT_EQ(lock.GetReaderCount(), 2);
  EXPECT_EQ(lock.WaitWrite(200), CGenLockObject::kWaitTimeout);

  first.Send('u');
  ASSERT_EQ(first.Receive(), 'U');
  EXPECT_EQ(lock.GetReaderCount(), 1);
  EXPECT_EQ(lock.WaitWrite(200), CGenLockObject::kWaitTimeout);
  // A reader can still come and go while a writer waits.
  EXPECT_EQ(lock.WaitRead(1000), 0);
  lock.UnlockRead();

  // The writer waits without a limit; the second reader's release must reach
  // it (a writer that kept the mutex while waiting would block that release).
  int result = -2;
  std::thread waiter([&] {
    result = lock.WaitWrite(CGenLockObject::kInfinite);
    if (result == 0) {
      EXPECT_TRUE(lock.IsWriteLocked());
      lock.UnlockWrite();
    }
  });
  second.Send('u');
  EXPECT_EQ(second.Receive(), 'U');
  waiter.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(lock.GetReaderCount(), 0);
  first.Send('x');
  second.Send('x');
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.Wait(), 0);
}

enum class NextWaiter { kWriter, kReader, kLock };

class AbandonedLock : public ::testing::TestWithParam<NextWaiter> {};

TEST_P(AbandonedLock, OwnerKilledWhileWritingGivesAbandonedOnceThenTheLockWorks) {
  const std::string name = UniqueName("kill");
  Peer owner([&](Peer& p) {
    CSingleLockObject lock(name);
    if (lock.WaitWrite(5000) != 0) return 1;
    p.Send('L');
    for (;;) ::pause();
  });
  ASSERT_EQ(owner.Receive(), 'L');
  owner.Kill();

  CSingleLockObject lock(name);
  switch (GetParam()) {
    case NextWaiter::kWriter:
      EXPECT_EQ(lock.WaitWrite(2000), CGenLockObject::kWaitAbandoned0);
      break;
    case NextWaiter::kReader:
      EXPECT_EQ(lock.WaitRead(2000), CGenLockObject::kWaitAbandoned0);
      break;
    case NextWaiter::kLock:
      EXPECT_FALSE(lock.Lock(2000));
      break;
  }
  // Nothing leaked: no reader counted, the mutex neither owned nor broken.
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_EQ(lock.GetReaderCount(), 0);
  Peer other([&](Peer&) {
    CSingleLockObject l(name);
    if (l.WaitWrite(2000) != 0) return 1;
    l.UnlockWrite();
    return 0;
  });
  EXPECT_EQ(other.Wait(), 0);
  EXPECT_EQ(lock.WaitWrite(2000), 0);
  lock.UnlockWrite();
  EXPECT_EQ(lock.WaitRead(2000), 0);
  EXPECT_EQ(lock.GetReaderCount(), 1);
  lock.UnlockRead();
  lock.Destroy();
  // The dead owner's open does not keep the name alive.
  EXPECT_FALSE(SegmentExists(name));
}

INSTANTIATE_TEST_SUITE_P(NextWaiter, AbandonedLock,
                         ::testing::Values(NextWaiter::kWriter, NextWaiter::kReader, NextWaiter::kLock));

TEST(SingleLockObject, ReaderKilledWhileReadingDoesNotKeepWritersOut) {
  const std::string name = UniqueName("deadreader");
  Peer reader([&](Peer& p) {
    CSingleLockObject lock(name);
    if (lock.WaitRead(5000) != 0) return 1;
    p.Send('R');
    for (;;) ::pause();
  });
  ASSERT_EQ(reader.Receive(), 'R');
  CSingleLockObject lock(name);
  EXPECT_EQ(lock.GetReaderCount(), 1);
  EXPECT_EQ(lock.WaitWrite(0), CGenLockObject::kWaitTimeout);
  reader.Kill();
  EXPECT_EQ(lock.WaitWrite(5000), 0);
  EXPECT_EQ(lock.GetReaderCount(), 0);
  lock.UnlockWrite();
}

TEST(SingleLockObject, UnlockWithoutHoldingChangesNothing) {
  const std::string name = UniqueName("spare");
  CSingleLockObject a(name);
  CSingleLockObject b(name);
  a.UnlockRead();  // no reader: the count does not go below zero
  EXPECT_EQ(a.GetReaderCount(), 0);
  ASSERT_EQ(b.WaitRead(0), 0);
  a.UnlockWrite();  // not held by anybody as a writer
  EXPECT_EQ(a.GetReaderCount(), 1);
  b.UnlockRead();
  EXPECT_EQ(b.WaitWrite(0), 0);
  b.UnlockWrite();
}

TEST(SingleLockObject, DestroyReleasesWhatTheObjectHolds) {
  const std::string name = UniqueName("destroy");
  CSingleLockObject keeper(name);
  {
    CSingleLockObject reader(name);
    ASSERT_EQ(reader.WaitRead(0), 0);
    EXPECT_EQ(keeper.GetReaderCount(), 1);
  }
  EXPECT_EQ(keeper.GetReaderCount(), 0);
  {
    CSingleLockObject writer(name);
    ASSERT_EQ(writer.WaitWrite(0), 0);
  }
  Peer other([&](Peer&) {
    CSingleLockObject l(name);
    return l.WaitWrite(2000) == 0 ? 0 : 1;
  });
  EXPECT_EQ(other.Wait(), 0);
}

}  // namespace
