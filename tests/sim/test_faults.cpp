// Faults injected by command reach the client as the runtime's exceptions;
// Needed answers drive the one enlargement; forced answers leave the node alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/runtime/RpcException.h"
#include "sim/lib/SimNode.h"

namespace {

uint32_t CodeOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const rpc::RpcException& e) {
    return e.Code();
  }
  return 0;
}

int32_t TaskCount(rpc::CallTarget& t) {
  int32_t count = -1;
  rpc::TaskGetCount(t, &count);
  return count;
}

struct FaultCase {
  const char* command;
  uint32_t code;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.command; }

class TransportFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(TransportFaults, ReachTheClientAsItsExceptionAndPassAfterOneCall) {
  simtest::Harness h;
  h.binding->SetCallTimeout(std::chrono::milliseconds(300));
  h.Command(GetParam().command);
  EXPECT_EQ(CodeOf([&] { TaskCount(h.Target()); }), GetParam().code);
  EXPECT_EQ(TaskCount(h.Target()), 5) << "the fault was for the next call only";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TransportFaults,
    testing::Values(FaultCase{"drop next", rpc::status::kCallFailed},
                    FaultCase{"hang", rpc::status::kCallFailed},
                    FaultCase{"fault 1783 next", rpc::status::kBadStubData},
                    FaultCase{"fault 0x1C010002", rpc::status::kProcNumOutOfRange},
                    FaultCase{"fault 5 TaskGetCount", rpc::status::kAccessDenied},
                    FaultCase{"malformed", rpc::status::kProtocolError},
                    FaultCase{"truncated op=TaskGetCount", rpc::status::kCallFailed},
                    FaultCase{"delay 50 next", 0}));

TEST(Faults, AreBoundToTheirOperationAndCount) {
  simtest::Harness h;
  h.Command("fault 1783 GetFolderCount count=2");
  EXPECT_EQ(TaskCount(h.Target()), 5);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(CodeOf([&] { rpc::GetFolderCount(h.Target()); }), rpc::status::kBadStubData);
  EXPECT_EQ(rpc::GetFolderCount(h.Target()), 3);

  h.Command("drop always");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(CodeOf([&] { TaskCount(h.Target()); }), rpc::status::kCallFailed);
  h.Command("clear");
  EXPECT_EQ(TaskCount(h.Target()), 5);
}

TEST(Faults, BadCommandsAreRefused) {
  simtest::Harness h;
  for (const char* bad : {"", "explode", "delay", "delay soon", "fault 1783 NoSuchOp", "needed TaskGetCount 10",
                          "needed GetRoutList", "drop count=0", "bigendian maybe", "counters SPB-NODE 1 2",
                          "taskstate NOSUCH 1", "messages NOSUCH 1", "disk Z: 10", "folder 9 1"})
    EXPECT_EQ(h.simulator->Command(bad).rfind("error: ", 0), 0u) << '"' << bad << '"';
}

TEST(Faults, BigEndianAnswersAreReadAlike) {
  simtest::Harness h;
  h.Command("bigendian on");
  rpc::RoutingFetch fetch;
  EXPECT_EQ(TaskCount(h.Target()), 5);
  EXPECT_EQ(fetch.AbonentInfo(h.Target(), rpc::level::kDirection, "BUH"), "4BUHGALTERIA,5BUH");
  h.Command("bigendian off");
  EXPECT_EQ(TaskCount(h.Target()), 5);
}

TEST(Needed, OneEnlargementThenSuccess) {
  simtest::Harness h;
  const std::string log = simtest::TempPath("needed.log");
  ASSERT_TRUE(h.simulator->SetRequestLog(log));
  h.Command("needed GetRoutList 700000");
  rpc::RoutingFetch fetch;
  const auto table = fetch.RoutList(h.Target(), rpc::level::kPrmd);
  ASSERT_TRUE(table.has_value());
  EXPECT_THAT(*table, testing::HasSubstr("SPB:TSPB-NODE;"));
  EXPECT_EQ(fetch.Capacity(), 700001);
  EXPECT_THAT(simtest::ReadLines(log),
              testing::ElementsAre("GetRoutList Level=2 TableCapacity=524288 TableLength=0",
                                   "GetRoutList Level=2 TableCapacity=700001 TableLength=0"));
}

TEST(Needed, ASecondShortageOrNoSizeFailsTheFetch) {
  simtest::Harness h;
  h.Command("needed GetRoutList 700000 2");
  rpc::RoutingFetch fetch;
  EXPECT_FALSE(fetch.RoutList(h.Target(), rpc::level::kPrmd).has_value());
  EXPECT_EQ(fetch.Failure().operation, "GetRoutList");
  EXPECT_EQ(fetch.Failure().returnValue, -1);

  h.Command("needed GetAbonentInfo 0");
  rpc::RoutingFetch other;
  EXPECT_FALSE(other.AbonentInfo(h.Target(), rpc::level::kAbonent, "").has_value());
  EXPECT_FALSE(other.Enlarged());
}

TEST(Needed, TheNodeAsksForMoreWhenItsTextDoesNotFit) {
  simtest::Harness h;
  const std::string text = h.simulator->WithNode([](sim::SimNode& n) { return n.AllAbonentsText(); });
  rpc::RoutingFetch fetch(64);
  const auto all = fetch.AbonentInfo(h.Target(), rpc::level::kAbonent, "");
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(*all, text);
  EXPECT_EQ(fetch.Capacity(), static_cast<int32_t>(text.size()) + 2);
}

TEST(ForcedAnswers, CarryTheGivenWordsAndChangeNothing) {
  simtest::Harness h;
  rpc::CallTarget& t = h.Target();
  h.Command("answer QMX_DirDelete 0 status=0 rpcerr=1722");
  int32_t status = -1, rpcErr = -1;
  EXPECT_EQ(rpc::QMX_DirDelete(t, &status, &rpcErr, "KALUGA"), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(rpcErr, 1722);
  h.simulator->WithNode([](sim::SimNode& n) { EXPECT_NE(n.FindEntry("KALUGA"), nullptr); });

  h.Command("answer GetRoutList -100");
  int32_t needed = -1, length = 0;
  std::vector<char> buffer(rpc::cap::kRouterText + 1);
  EXPECT_EQ(rpc::GetRoutList(t, &status, &rpcErr, 0, &needed, rpc::cap::kRouterText, &length, buffer.data()), -100);
  EXPECT_EQ(length, 0);
}

}  // namespace
