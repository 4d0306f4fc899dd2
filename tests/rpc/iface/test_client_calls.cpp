// What every client function guarantees around its exchange: nothing is sent
// for a null pointer or an impossible length, a reply that lies is refused as
// bad stub data and leaves the caller's values alone, and a received text is
// followed by a NUL in the caller's buffer.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "RecordingTarget.h"
#include "rpc/iface/Calls.h"
#include "rpc/runtime/RpcException.h"

namespace rpc::test {
namespace {

uint32_t CodeOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RpcException& e) {
    return e.Code();
  }
  return 0;
}

struct RefusalCase {
  const char* name;
  uint32_t code;
  std::function<void(CallTarget&)> call;
};

TEST(ClientCalls, RefusesBeforeSending) {
  int32_t v = 0;
  char buf[600] = {};
  const uint8_t bytes[4] = {};
  const RefusalCase cases[] = {
      {"null S", status::kNullRefPointer, [&](CallTarget& t) { TaskGetState(t, nullptr, &v); }},
      {"null Lv[1]", status::kNullRefPointer, [&](CallTarget& t) { TaskControl(t, "MSERVER", nullptr); }},
      {"null L*", status::kNullRefPointer, [&](CallTarget& t) { TaskGetCount(t, nullptr); }},
      {"null status word", status::kNullRefPointer,
       [&](CallTarget& t) { QMX_DirDelete(t, &v, nullptr, "D1"); }},
      {"null text buffer", status::kNullRefPointer,
       [&](CallTarget& t) { GetRoutList(t, &v, &v, 0, &v, 8, &v, nullptr); }},
      {"null length", status::kNullRefPointer,
       [&](CallTarget& t) { TaskGetAt(t, 0, 128, &v, buf, 256, nullptr, buf); }},
      {"null B", status::kNullRefPointer,
       [&](CallTarget& t) { QMX_DirSetTimingsArray(t, &v, &v, "D1", 0, nullptr); }},
      {"null session text", status::kNullRefPointer,
       [&](CallTarget& t) { Logon(t, 1, "", 1, nullptr, 1, "", &v); }},
      {"null last counter", status::kNullRefPointer,
       [&](CallTarget& t) {
         QMX_DirGetQueueCounters(t, &v, &v, "D1", &v, &v, &v, &v, &v, &v, &v, &v, &v, &v, nullptr);
       }},
      {"session text above 512", status::kInvalidBound,
       [&](CallTarget& t) { GetStateFlag(t, 5, "HOST", 513, buf, &v); }},
      {"negative session length", status::kInvalidBound,
       [&](CallTarget& t) { Logoff(t, -1, "HOST", 1, "", &v); }},
      {"negative capacity", status::kInvalidBound,
       [&](CallTarget& t) { ListDir(t, "C:\\*.*", 0, -1, &v, buf, &v); }},
      {"negative B length", status::kInvalidBound,
       [&](CallTarget& t) { QMX_DirAdd(t, &v, &v, -3, bytes, 0, 0, 0, 0, 0); }},
      {"record longer than its capacity", status::kInvalidBound,
       [&](CallTarget& t) {
         int32_t length = 17;
         QMX_VtQmx_ExecuteQuery(t, &v, &v, &v, 16, &length, buf);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingTarget target;
    EXPECT_EQ(c.code, CodeOf([&] { c.call(target); }));
    EXPECT_TRUE(target.sent.empty());
  }
}

TEST(ClientCalls, SessionTextOf512IsSent) {
  RecordingTarget target;
  target.Answer(Body().U32(0).U32(0));
  const std::string user(512, 'u');
  int32_t unused = 0;
  GetStateFlag(target, 5, "HOST", 512, user.data(), &unused);
  ASSERT_EQ(1u, target.sent.size());
}

struct LyingReply {
  const char* name;
  std::vector<uint8_t> body;
};

// GetRoutList asked with a capacity of 8.
Body Head() { return Body().U32(1).U32(0).U32(1).U32(0).U32(1).U32(0); }

TEST(ClientCalls, LyingReplyIsBadStubData) {
  const LyingReply cases[] = {
      {"actual count above the capacity given", Head().U32(9).U32(9).U32(0).U32(9).Text("123456789").Pad().U32(0)},
      {"actual count above its own max count", Head().U32(5).U32(4).U32(0).U32(5).Text("12345").Pad().U32(0)},
      {"offset not 0", Head().U32(4).U32(8).U32(1).U32(4).Text("1234").U32(0)},
      {"length and count disagree", Head().U32(3).U32(8).U32(0).U32(4).Text("1234").U32(0)},
      {"bytes missing", Head().U32(4).U32(8).U32(0).U32(4).Text("12")},
      {"return value missing", Head().U32(4).U32(8).U32(0).U32(4).Text("1234")},
      {"more after the return value", Head().U32(4).U32(8).U32(0).U32(4).Text("1234").U32(0).U32(0)},
      {"L[1] with max count 2", Body().U32(2).U32(0).U32(1).U32(0).U32(1).U32(0)
                                    .U32(0).U32(8).U32(0).U32(0).U32(0)},
      {"empty body", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingTarget target;
    target.Answer(c.body);
    int32_t status = 111, rpcErr = 222, needed = 333, length = 0;
    char table[9];
    std::fill(std::begin(table), std::end(table), 'x');
    EXPECT_EQ(status::kBadStubData,
              CodeOf([&] { GetRoutList(target, &status, &rpcErr, 0, &needed, 8, &length, table); }));
    EXPECT_EQ(111, status);
    EXPECT_EQ(333, needed);
    EXPECT_EQ(0, length);
    EXPECT_EQ('x', table[0]);
  }
}

TEST(ClientCalls, SessionArrayAboveItsFixedCapacityIsRefusedOnReply) {
  // GetCurrentAdmin with the console's capacity 511: a 512-byte text does not fit.
  RecordingTarget target;
  target.Answer(Body().U32(512).U32(512).U32(0).U32(512).Zeros(512).U32(0).U32(511).U32(0).U32(0).U32(0).U32(0));
  int32_t a = 0, b = 0, c = 0;
  std::vector<char> conn(512), user(512);
  EXPECT_EQ(status::kBadStubData,
            CodeOf([&] { GetCurrentAdmin(target, 511, &a, conn.data(), 511, &b, user.data(), &c); }));
}

TEST(ClientCalls, TextIsFollowedByNulAndNothingElseIsTouched) {
  RecordingTarget target;
  target.Answer(Body().U32(1).U32(0).U32(1).U32(0).U32(1).U32(0).U32(3).U32(8).U32(0).U32(3).Text(std::string("A\0B", 3)).Pad().U32(0));
  int32_t status = -1, rpcErr = -1, needed = -1, length = 0;
  char table[9];
  std::fill(std::begin(table), std::end(table), 'x');
  EXPECT_EQ(0, GetRoutList(target, &status, &rpcErr, 0, &needed, 8, &length, table));
  EXPECT_EQ(3, length);
  EXPECT_EQ(std::string("A\0B\0xxxxx", 9), std::string(table, 9));
}

TEST(ClientCalls, FullCapacityTextEndsInTheExtraByte) {
  RecordingTarget target;
  target.Answer(Body().U32(1).U32(0).U32(1).U32(0).U32(1).U32(0).U32(8).U32(8).U32(0).U32(8).Text("ABCDEFGH").U32(0));
  int32_t status = -1, rpcErr = -1, needed = -1, length = 0;
  char table[9];
  std::fill(std::begin(table), std::end(table), 'x');
  GetRoutList(target, &status, &rpcErr, 0, &needed, 8, &length, table);
  EXPECT_STREQ("ABCDEFGH", table);
}

TEST(ClientCalls, TransportFailurePassesThroughWithValuesUntouched) {
  RecordingTarget target;  // no reply: the server is unavailable
  int32_t count = 42;
  EXPECT_EQ(status::kServerUnavailable, CodeOf([&] { TaskGetCount(target, &count); }));
  EXPECT_EQ(42, count);
}

}  // namespace
}  // namespace rpc::test
