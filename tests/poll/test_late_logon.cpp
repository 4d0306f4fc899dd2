// A computer the start-up could not reach is logged on once a poll reaches
// it, with the answers given at start-up; one that refused is not asked again.
#include <gtest/gtest.h>

#include <algorithm>

#include "PollHarness.h"

namespace {

using polltest::PollHarness;

size_t Logons(const PollHarness& h) {
  const auto requests = h.Requests();
  return static_cast<size_t>(std::count_if(requests.begin(), requests.end(),
                                           [](const std::string& line) { return line.rfind("Logon ", 0) == 0; }));
}

core::LogonOutcome StartupLogon(PollHarness& h) {
  return h.net.LogonAtStartup(core::MailServerEntry{"NODE", {}}, core::ComputerSlot{0, true, "SRV1"});
}

TEST(LateLogon, AComputerWithoutChannelAtStartUpIsLoggedOnByTheFirstPollThatReachesIt) {
  PollHarness h("[TASK MQUEUE]\nSTATE=1\n");
  h.dialogs.logonAnswer = ports::LogonAnswer{"ADMIN", "admin", false, false};
  h.Command("drop Logon next");
  ASSERT_EQ(StartupLogon(h), core::LogonOutcome::Continue);
  EXPECT_EQ(h.Srv1().startupLogon, core::StartupLogon::Unreachable);
  EXPECT_FALSE(h.Srv1().SessionOpen());
  EXPECT_TRUE(h.net.AwaitsLateLogon(h.Srv1()));

  h.poller->PollAll();
  EXPECT_EQ(h.Srv1().startupLogon, core::StartupLogon::Accepted);
  EXPECT_TRUE(h.Srv1().SessionOpen());
  EXPECT_TRUE(h.Srv1().Administrator());
  EXPECT_EQ(h.Srv1().user, "ADMIN");
  EXPECT_EQ(h.views.Count("rights 0"), 1u);
  EXPECT_EQ(std::count(h.dialogs.shown.begin(), h.dialogs.shown.end(), "logon:SRV1"), 1) << "no second logon dialog";
  EXPECT_EQ(h.dialogs.shown.size(), 2u) << "the start-up's channel box, and nothing from the late logon";

  // Logged on once: later polls send no further logon.
  const size_t logons = Logons(h);
  h.poller->PollAll();
  EXPECT_EQ(Logons(h), logons);
  EXPECT_FALSE(h.net.AwaitsLateLogon(h.Srv1()));
}

TEST(LateLogon, ARefusedComputerIsNotAskedAgain) {
  PollHarness h("");
  h.dialogs.logonAnswer = ports::LogonAnswer{"ADMIN", "wrong", false, false};
  ASSERT_EQ(StartupLogon(h), core::LogonOutcome::Continue);
  EXPECT_EQ(h.Srv1().startupLogon, core::StartupLogon::Refused);
  const size_t logons = Logons(h);
  h.poller->PollAll();
  h.poller->PollAll();
  EXPECT_EQ(Logons(h), logons);
  EXPECT_FALSE(h.Srv1().SessionOpen());
}

TEST(LateLogon, StillNoChannelKeepsTheAnswersForTheNextPoll) {
  PollHarness h("");
  h.dialogs.logonAnswer = ports::LogonAnswer{"ADMIN", "admin", false, false};
  h.Command("drop Logon next");
  ASSERT_EQ(StartupLogon(h), core::LogonOutcome::Continue);
  // The poll reaches the computer, but the channel breaks during the logon.
  h.Command("drop Logon next");
  h.poller->PollAll();
  EXPECT_TRUE(h.net.AwaitsLateLogon(h.Srv1()));
  EXPECT_FALSE(h.Srv1().SessionOpen());
  h.poller->PollAll();
  EXPECT_TRUE(h.Srv1().SessionOpen());
  EXPECT_EQ(h.Srv1().startupLogon, core::StartupLogon::Accepted);
}

// A computer whose channel broke mid-session and then answers again (its
// cable back, or the node restarted and forgot the session) is logged on
// again with the session's own answers; one whose polls only met a fault
// from a node that kept answering is not.
TEST(LateLogon, AComputerThatComesBackAfterItsChannelBrokeIsLoggedOnAgain) {
  struct Case {
    const char* name;
    const char* breakage;
    size_t logonsAfter;
  } cases[] = {
      {"channel dropped", "drop GetStateFlag next", 1},
      {"a fault from a node that answers", "fault 1783 GetStateFlag next", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PollHarness h("");
    h.Logon("ADMIN", "admin");
    h.poller->PollAll();
    ASSERT_TRUE(h.Srv1().online);
    h.Command(c.breakage);
    h.poller->PollAll();
    EXPECT_FALSE(h.Srv1().online);
    const size_t logons = Logons(h);
    h.poller->PollAll();
    EXPECT_TRUE(h.Srv1().online);
    EXPECT_EQ(Logons(h) - logons, c.logonsAfter);
    EXPECT_TRUE(h.Srv1().SessionOpen());
    EXPECT_TRUE(h.Srv1().Administrator());
    // Once back, later polls send no further logon.
    h.poller->PollAll();
    EXPECT_EQ(Logons(h) - logons, c.logonsAfter);
  }
}

}  // namespace
