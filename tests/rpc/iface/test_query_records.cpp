// The typed records of the generic queue-manager query: their layout in the
// 11264-byte buffer, what travels, and which replies are taken.

#include <gtest/gtest.h>

#include <cstring>

#include "RecordingTarget.h"
#include "rpc/iface/QueryRecords.h"

namespace rpc::test {
namespace {

uint32_t U32At(const std::vector<char>& b, size_t off) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b[off + i])) << (8 * i);
  return v;
}

bool ZeroFrom(const std::vector<char>& b, size_t from) {
  for (size_t i = from; i < b.size(); ++i) {
    if (b[i] != 0) return false;
  }
  return true;
}

TEST(QueryRecords, ItemQueryLayout) {
  const QueryBuffer q = ItemQuery(query::kForcedSet, "DIR1", 1);
  ASSERT_EQ(11265u, q.bytes.size());
  EXPECT_EQ(140, q.length);
  EXPECT_EQ(5u, U32At(q.bytes, 0));
  EXPECT_EQ(0u, U32At(q.bytes, 4));
  EXPECT_EQ(std::string("DIR1\0", 5), std::string(q.bytes.data() + 8, 5));
  EXPECT_EQ(1, q.bytes[137]);
  auto rest = q.bytes;
  rest[137] = 0;
  EXPECT_TRUE(ZeroFrom(rest, 12));
}

TEST(QueryRecords, ItemNameIsCutTo128AndKeepsItsNul) {
  const std::string longName(200, 'N');
  const QueryBuffer q = ItemQuery(query::kForcedGet, longName, 0);
  EXPECT_EQ(std::string(128, 'N'), std::string(q.bytes.data() + 8, 128));
  EXPECT_EQ(0, q.bytes[136]);
  EXPECT_EQ(0, q.bytes[137]);
}

TEST(QueryRecords, ItemStateQueryLayout) {
  const QueryBuffer q = ItemStateQuery("ABON");
  EXPECT_EQ(144, q.length);
  EXPECT_EQ(6u, U32At(q.bytes, 0));
  EXPECT_EQ(std::string("ABON"), std::string(q.bytes.data() + 8));
  EXPECT_TRUE(ZeroFrom(q.bytes, 12));
}

TEST(QueryRecords, ReplicationQueriesCarryWordOneAndTheirAnnouncedLength) {
  struct Case {
    int32_t kind;
    int32_t length;
  };
  for (const Case c : {Case{1, 292}, Case{2, 296}, Case{3, 12}}) {
    SCOPED_TRACE(c.kind);
    const QueryBuffer q = ReplicationQuery(c.kind, 0x01020304);
    EXPECT_EQ(c.length, q.length);
    EXPECT_EQ(static_cast<uint32_t>(c.kind), U32At(q.bytes, 0));
    EXPECT_EQ(0x01020304u, U32At(q.bytes, 4));
    EXPECT_TRUE(ZeroFrom(q.bytes, 8));
  }
}

TEST(QueryRecords, RunQuerySendsTheAnnouncedLengthAndReturnsTheReply) {
  RecordingTarget target;
  target.Answer(Body().U32(1).U32(0).U32(1).U32(0).U32(1).U32(1)
                    .U32(4).U32(11264).U32(0).U32(4).Text("ABCD").U32(2));
  const QueryReply reply = RunQuery(target, ReplicationQuery(3, 7));
  ASSERT_EQ(1u, target.sent.size());
  // capacity 11264, Length 12, then Bv[11264; 12] with the 12 bytes.
  EXPECT_EQ(std::vector<uint8_t>(Body().U32(11264).U32(12).U32(11264).U32(0).U32(12).U32(3).U32(7).U32(0)),
            target.sent[0].body);
  EXPECT_EQ(1, reply.result);
  EXPECT_EQ(2, reply.returnValue);
  EXPECT_EQ("ABCD", reply.record);
}

QueryReply Reply(int32_t status, int32_t rpcErr, int32_t rv, int32_t result, std::string record) {
  QueryReply r;
  r.status = status;
  r.rpcErr = rpcErr;
  r.returnValue = rv;
  r.result = result;
  r.record = std::move(record);
  return r;
}

TEST(QueryRecords, ReplicationRepliesNeedEverySign) {
  const std::string full(296, '\x07');
  struct Case {
    const char* name;
    QueryReply reply;
    bool stateTaken;  // kind 1 (292 bytes)
    bool startTaken;  // kind 2 (296 bytes)
  };
  const Case cases[] = {
      {"all good", Reply(0, 0, 1, 1, full), true, true},
      {"status", Reply(1, 0, 1, 1, full), false, false},
      {"RpcErr", Reply(0, 5, 1, 1, full), false, false},
      {"return value 0", Reply(0, 0, 0, 1, full), false, false},
      {"Result 0", Reply(0, 0, 1, 0, full), false, false},
      {"295 bytes", Reply(0, 0, 1, 1, full.substr(0, 295)), true, false},
      {"291 bytes", Reply(0, 0, 1, 1, full.substr(0, 291)), false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.stateTaken, ReplicationStateFrom(c.reply).has_value());
    EXPECT_EQ(c.startTaken, ReplicationStartFrom(c.reply).has_value());
  }
}

TEST(QueryRecords, ReplicationStartMarksTheRecordValid) {
  std::string record(296, '\0');
  record[0] = 2;
  record[12] = 1;
  record[292] = 1;
  const auto start = ReplicationStartFrom(Reply(0, 0, 1, 1, record));
  ASSERT_TRUE(start);
  EXPECT_EQ(1, start->record[0]);
  EXPECT_EQ(1, start->record[12]);
  EXPECT_TRUE(start->started);
  record[292] = 0;
  EXPECT_FALSE(ReplicationStartFrom(Reply(0, 0, 1, 1, record))->started);
}

std::string LogReply(uint32_t count, std::string_view text) {
  std::string r(12, '\0');
  for (int i = 0; i < 4; ++i) r[8 + i] = static_cast<char>(count >> (8 * i));
  return r + std::string(text);
}

TEST(QueryRecords, ReplicationLogText) {
  struct Case {
    const char* name;
    std::string record;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"lines", LogReply(9, "a\r\nb\r\ncc\n"), "a\nb\ncc\n"},
      {"count shorter than the bytes", LogReply(3, "abcdef"), "abc"},
      {"count beyond the reply", LogReply(1000, "abc"), "abc"},
      {"count of 0", LogReply(0, "abc"), ""},
      {"NUL inside", LogReply(5, std::string("ab\0cd", 5)), "ab"},
      {"shorter than 12 bytes", std::string(11, '\0'), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text, ReplicationLogFrom(Reply(0, 0, 1, 1, c.record)));
  }
  EXPECT_FALSE(ReplicationLogFrom(Reply(0, 0, 1, 0, LogReply(1, "a"))));
}

TEST(QueryRecords, ForcedConnectionFlag) {
  EXPECT_EQ(std::optional<bool>(true), ForcedFlagFrom(Reply(0, 0, 0, 1, "")));
  EXPECT_EQ(std::optional<bool>(false), ForcedFlagFrom(Reply(0, 0, 0, 0, "")));
  EXPECT_EQ(std::optional<bool>(false), ForcedFlagFrom(Reply(0, 0, 0, 2, "")));
  EXPECT_FALSE(ForcedFlagFrom(Reply(0, 3, 0, 1, "")));
}

TEST(QueryRecords, ForcedConnectionSetNeedsResultOne) {
  struct Case {
    const char* name;
    QueryReply reply;
    std::optional<CallFailure> failure;
  };
  const Case cases[] = {
      {"accepted", Reply(0, 0, 0, 1, ""), std::nullopt},
      {"Result 0 with return value 0 is still a failure", Reply(0, 0, 0, 0, ""),
       CallFailure{"QMX_VtQmx_ExecuteQuery", -1, 0, 0}},
      {"Result 0 keeps a nonzero return value", Reply(0, 0, 4, 0, ""),
       CallFailure{"QMX_VtQmx_ExecuteQuery", 4, 0, 0}},
      {"status words go as they are", Reply(2, 3, 0, 1, ""), CallFailure{"QMX_VtQmx_ExecuteQuery", 0, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.failure, ForcedFlagSetFailure(c.reply));
  }
}

TEST(QueryRecords, ItemStateWordAt140) {
  std::string record(144, '\0');
  record[140] = 0x78;
  record[143] = 0x12;
  EXPECT_EQ(std::optional<uint32_t>(0x12000078), ItemStateFrom(Reply(0, 0, 0, 0, record)));
  EXPECT_FALSE(ItemStateFrom(Reply(0, 0, 0, 0, record.substr(0, 143))));
  EXPECT_FALSE(ItemStateFrom(Reply(1, 0, 0, 0, record)));
}

}  // namespace
}  // namespace rpc::test
