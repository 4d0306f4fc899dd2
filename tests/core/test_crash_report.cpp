#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include "core/CrashReport.h"

TEST(CrashReportDeathTest, EachSignalWritesAReportAndStillEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    int sig;
    const char* pattern;
  } cases[] = {
      {SIGSEGV, "crashed: SIGSEGV \\(11\\), version 9\\.8\\.7\\.6.*backtrace.*end of report"},
      {SIGBUS, "crashed: SIGBUS \\(7\\), version 9\\.8\\.7\\.6"},
      {SIGFPE, "crashed: SIGFPE \\(8\\), version 9\\.8\\.7\\.6"},
      {SIGABRT, "crashed: SIGABRT \\(6\\), version 9\\.8\\.7\\.6"},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          core::InstallCrashHandlers("9.8.7.6");
          std::raise(c.sig);
        },
        ::testing::KilledBySignal(c.sig), c.pattern);
  }
}

TEST(CrashReport, FinishingRestoresThePreviousHandlers) {
  struct sigaction before {};
  sigaction(SIGFPE, nullptr, &before);
  ASSERT_TRUE(core::InstallCrashHandlers("1"));
  struct sigaction during {};
  sigaction(SIGFPE, nullptr, &during);
  EXPECT_NE(during.sa_handler, before.sa_handler);
  EXPECT_EQ(core::FinishCrashHandlers(), 0);
  struct sigaction after {};
  sigaction(SIGFPE, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

// A thread that already has an alternate signal stack (the sanitizers give
// every thread one and free it when the thread ends) keeps it: the handlers
// run on it rather than on a stack of ours that its owner would then free.
TEST(CrashReport, AThreadsOwnAlternateStackIsKept) {
  std::thread([] {
    static char mine[64 * 1024];
    stack_t before{};
    ASSERT_EQ(sigaltstack(nullptr, &before), 0);
    stack_t own{};
    own.ss_sp = mine;
    own.ss_size = sizeof mine;
    ASSERT_EQ(sigaltstack(&own, nullptr), 0);
    core::FinishCrashHandlers();
    ASSERT_TRUE(core::InstallCrashHandlers("1"));
    stack_t now{};
    ASSERT_EQ(sigaltstack(nullptr, &now), 0);
    EXPECT_EQ(now.ss_sp, static_cast<void*>(mine));
    EXPECT_EQ(core::FinishCrashHandlers(), 0);
    // The thread ends with the stack it had.
    if ((before.ss_flags & SS_DISABLE) != 0) before.ss_flags = SS_DISABLE;
    ASSERT_EQ(sigaltstack(&before, nullptr), 0);
  }).join();
}
