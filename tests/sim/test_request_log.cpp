// The request log: one line per call with the decoded parameters, readable
// while the simulator runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/runtime/RpcException.h"

namespace {

using testing::ElementsAre;

TEST(RequestLog, OneLinePerCallWithItsParameters) {
  simtest::Harness h;
  const std::string path = simtest::TempPath("requests.log");
  ASSERT_TRUE(h.simulator->SetRequestLog(path));
  rpc::CallTarget& t = h.Target();
  int32_t status = 0, rpcErr = 0, unused = 0, level = 0;

  const std::string user = simtest::Cp("ДЕЖУРНЫЙ");
  rpc::Logon(t, 4, "WS1", static_cast<int32_t>(user.size() + 1), user.c_str(), 6, "sm\"na", &level);
  EXPECT_EQ(simtest::ReadLines(path).size(), 1u) << "flushed at once";
  rpc::GetStateFlag(t, 4, "WS1", 5, "ADMIN", &unused);
  rpc::QMX_DirModify(t, &status, &rpcErr, "", "RELAY1", 1, 0, 1, 0, 0);
  const std::string name = "NEW";
  rpc::QMX_DirAdd(t, &status, &rpcErr, 4, reinterpret_cast<const uint8_t*>(name.c_str()), 2, 1, 0, 1, 9);
  std::string frame(72, '\0');
  frame[0] = 3;
  for (int word = 4; word < 18; ++word) frame.replace(static_cast<size_t>(word) * 4, 4, "\xFF\xFF\xFF\xFF");
  rpc::QMX_DirSetTimingsArray(t, &status, &rpcErr, "SPB-NODE", 72, reinterpret_cast<const uint8_t*>(frame.data()));
  rpc::RunQuery(t, rpc::ItemQuery(5, "SPB-NODE", 1));
  rpc::SetRoutItem(t, &status, &rpcErr, 111, "", "IVANOV", "#A=1\n#B=2\n", 1);
  rpc::DelRoutItem(t, &status, &rpcErr, 0x82, "SPB", 1);

  EXPECT_THAT(
      simtest::ReadLines(path),
      ElementsAre(
          "Logon IdentityLen=4 Identity=\"WS1\" UserLen=9 User=\"ДЕЖУРНЫЙ\" PasswordLen=6 Password=\"sm\\\"na\"",
          "GetStateFlag IdentityLen=4 Identity=\"WS1\" UserLen=5 User=\"ADMIN\"",
          "QMX_DirModify PrevName=\"\" Name=\"RELAY1\" Priority=1 Blocked=0 CallAtInterval=1 NoCallOnArrival=0 "
          "ExtraOption=0",
          "QMX_DirAdd NameLen=4 Name=\"NEW\" Priority=2 Blocked=1 CallAtInterval=0 NoCallOnArrival=1 ExtraOption=9",
          "QMX_DirSetTimingsArray Name=\"SPB-NODE\" Length=72 Timings=[3,0,0,0&-1,-1,-1,-1,-1,-1,-1&-1,-1,-1,-1,-1,-1,-1&]",
          "QMX_VtQmx_ExecuteQuery Capacity=11264 Length=140 Kind=5 Word1=0 Item=\"SPB-NODE\" Flag=1",
          "SetRoutItem Level=111 Address=\"\" Name=\"IVANOV\" Params=\"#A=1\\n#B=2\\n\" Flag=1",
          "DelRoutItem Level=130 Address=\"SPB\" Flag=1"));
}

TEST(RequestLog, RequestsThatAreNotServedAreLoggedToo) {
  simtest::Harness h;
  const std::string path = simtest::TempPath("refused.log");
  ASSERT_TRUE(h.simulator->SetRequestLog(path));
  const std::vector<uint8_t> garbage{1, 2, 3};
  uint32_t code = 0;
  try {
    h.binding->Call(33, garbage);
  } catch (const rpc::RpcException& e) {
    code = e.Code();
  }
  EXPECT_EQ(code, rpc::status::kBadStubData);
  try {
    h.binding->Call(13, {});
  } catch (const rpc::RpcException& e) {
    code = e.Code();
  }
  EXPECT_EQ(code, rpc::status::kProcNumOutOfRange);
  EXPECT_THAT(simtest::ReadLines(path), ElementsAre("QMX_DirAdd <bad stub data>", "Proc13 <not served>"));
}

}  // namespace
