#include <gtest/gtest.h>

#include <csignal>

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
