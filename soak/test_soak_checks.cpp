// The soak's verdicts on made-up runs: a check that passes a broken run, or
// fails a sound one, would make the soak worthless.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "RequestTail.h"
#include "SoakChecks.h"
#include "SoakPlan.h"

namespace soak {
namespace {

SoakLimits Limits() {
  SoakLimits limits;
  limits.members = {"SPB-NODE", "NSK-NODE"};
  limits.warmup = 60;
  return limits;
}

StampedLine Poll(double t) { return {t, "GetStateFlag IdentityLen=4 Identity=\"WS1\" UserLen=6 User=\"ADMIN\""}; }
StampedLine Member(double t, const char* name) {
  return {t, std::string("QMX_VtQmx_ExecuteQuery Capacity=11264 Length=140 Kind=5 Word1=0 Item=\"") + name + "\" Flag=1"};
}

TEST(SoakPolls, APeriodIsPolledExcusedOrMissedByWhatItsTickFound) {
  struct Case {
    const char* name;
    TickFound foundAt20;
    bool pollAfter20;
    bool ok;
  } cases[] = {
      {"polled", TickFound::Idle, true, true},
      {"idle worker, no poll", TickFound::Idle, false, false},
      {"the previous poll still waits on a silent computer", TickFound::Poll, false, true},
      {"a user action held the tick", TickFound::UserAction, false, false},
      {"a favourites scan held the tick", TickFound::FavoritesScan, false, false},
  };
  for (const Case& c : cases) {
    SoakRecord record;
    record.startedAt = 0;
    record.endedAt = 40;
    record.pollTicks = {{10, TickFound::Idle}, {20, c.foundAt20}, {30, TickFound::Idle}, {40, TickFound::Idle}};
    record.live = {Poll(10.02), Poll(30.02)};
    if (c.pollAfter20) record.live.insert(record.live.begin() + 1, Poll(20.02));
    EXPECT_EQ(CheckPolls(record, Limits()).ok, c.ok) << c.name;
  }
}

TEST(SoakPolls, APollOfTheNextTickDoesNotCoverThePeriodBefore) {
  SoakRecord record;
  record.endedAt = 30;
  record.pollTicks = {{10, TickFound::Idle}, {20, TickFound::Idle}, {30, TickFound::Idle}};
  record.live = {Poll(10.02), Poll(30.05)};
  EXPECT_FALSE(CheckPolls(record, Limits()).ok);
}

TEST(SoakPolls, ATimerThatStoppedFiringFails) {
  SoakRecord record;
  record.endedAt = 120;
  record.pollTicks = {{10, TickFound::Idle}, {20, TickFound::Idle}};
  record.live = {Poll(10.02), Poll(20.02)};
  EXPECT_FALSE(CheckPolls(record, Limits()).ok);
}

// Timers 666 and 667 at 10 s both: each favourites tick comes right after
// the poll tick, while the poll it queued runs for a tenth of a second.
SoakRecord EqualPeriods(int ticks) {
  SoakRecord record;
  record.endedAt = 10.0 * ticks + 5;
  for (int k = 1; k <= ticks; ++k) {
    record.favoritesTicks.push_back({10.0 * k, TickFound::Poll});
    record.busy.push_back({10.0 * k, 10.0 * k + 0.1});
  }
  return record;
}

TEST(SoakFavorites, ATickDroppedBehindThePollIsAMissedScan) {
  const CheckRow row = CheckFavorites(EqualPeriods(8), Limits());
  EXPECT_FALSE(row.ok);
}

TEST(SoakFavorites, ScansMadeUpAfterThePollAndDelayedBehindALongOnePass) {
  SoakRecord record = EqualPeriods(15);
  // Made up right after the poll; due again after 60 s, at the tick of 80 s.
  record.live = {Member(10.12, "SPB-NODE"), Member(10.13, "NSK-NODE"), Member(80.12, "SPB-NODE")};
  // Due at 150, behind a poll that waits on a silent computer until 185.
  record.busy.back() = {145, 185};
  record.live.push_back(Member(185.1, "NSK-NODE"));
  const CheckRow row = CheckFavorites(record, Limits());
  EXPECT_TRUE(row.ok) << row.figure << (row.notes.empty() ? "" : "\n" + row.notes.front());
}

TEST(SoakFavorites, AScanStillQueuedBehindAJobTheExitCutShortIsWaitingNotLost) {
  SoakRecord record = EqualPeriods(8);
  record.live = {Member(10.12, "SPB-NODE")};
  // Due again at the tick of 80 s, which finds a poll waiting on a silent
  // computer until the exit.
  record.busy.back() = {78, record.endedAt};
  const CheckRow row = CheckFavorites(record, Limits());
  EXPECT_TRUE(row.ok) << row.figure;
  EXPECT_NE(row.figure.find("1 waiting at the exit"), std::string::npos) << row.figure;
}

TEST(SoakFavorites, ARunWhereTheGroupWasNeverDueChecksNothingAndFails) {
  SoakRecord record;
  record.endedAt = 5;
  EXPECT_FALSE(CheckFavorites(record, Limits()).ok);
}

TEST(SoakLogons, OnlyALogonAfterTheReturnCounts) {
  struct Case {
    double logonAt;
    bool ok;
  } cases[] = {{95, false}, {130, true}, {210, false}};
  for (const Case& c : cases) {
    SoakRecord record;
    record.endedAt = 300;
    record.outages = {{50, 100}, {200, -1}};
    record.far = {{c.logonAt, "Logon IdentityLen=4 Identity=\"WS1\""}};
    EXPECT_EQ(CheckLogons(record).ok, c.ok) << c.logonAt;
  }
}

TEST(SoakGrowth, FiguresAfterTheWarmUpAreHeldToItsHighest) {
  struct Case {
    const char* name;
    long rssAfter;
    int descriptorsAfter;
    bool rssOk;
    bool descriptorsOk;
  } cases[] = {
      {"steady", 40500, 12, true, true},
      {"memory grew past 4 MiB", 46000, 12, false, true},
      {"a descriptor that came and went in the warm-up", 40000, 13, true, true},
      {"three descriptors more", 40000, 16, true, false},
  };
  for (const Case& c : cases) {
    SoakRecord record;
    record.samples = {{0, 39000, 10, 2}, {30, 40000, 13, 4}, {60, 40000, 11, 2},
                      {90, 40100, 12, 4}, {120, c.rssAfter, c.descriptorsAfter, 4}};
    const std::vector<CheckRow> rows = CheckGrowth(record, Limits());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].ok, c.rssOk) << c.name << ": " << rows[0].figure;
    EXPECT_EQ(rows[1].ok, c.descriptorsOk) << c.name << ": " << rows[1].figure;
  }
}

TEST(SoakPlan, OutagesFitTheRunAndEachLeavesRoomForAPollThatAnswers) {
  struct Case {
    double minutes;
    size_t returns;
    double warmup;
  } cases[] = {{30, 5, 300}, {3, 1, 60}, {2, 0, 40}};
  for (const Case& c : cases) {
    const SoakPlan plan = MakePlan(c.minutes, 60, 10);
    ASSERT_FALSE(plan.outages.empty());
    EXPECT_EQ(plan.outages.size() - 1, c.returns) << c.minutes;
    EXPECT_EQ(plan.warmup, c.warmup) << c.minutes;
    EXPECT_LT(plan.outages.back().end, 0) << "the exit meets a silent computer";
    for (size_t i = 0; i + 1 < plan.outages.size(); ++i)
      EXPECT_LE(plan.outages[i].end + 60 + 30, plan.outages[i + 1].begin) << c.minutes;
  }
}

TEST(SoakTail, ALineWrittenInTwoPiecesIsTakenOnceWhole) {
  char name[] = "/tmp/vtsoak-tail-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  RequestTail tail(name);
  std::vector<StampedLine> lines;
  std::ofstream(name, std::ios::app) << "GetStateFlag A\nLogon ";
  tail.Poll(1, lines);
  std::ofstream(name, std::ios::app) << "B\n";
  tail.Poll(2, lines);
  std::remove(name);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].line, "Logon B");
  EXPECT_EQ(lines[1].t, 2);
}

}  // namespace
}  // namespace soak
