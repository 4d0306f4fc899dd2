// Request and response bodies written by hand from the operation table and
// compared byte for byte with what the client functions send and decode.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "RecordingTarget.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Opnums.h"
#include "rpc/iface/SessionTexts.h"

namespace rpc::test {
namespace {

struct GoldenCase {
  const char* name;
  uint16_t opnum;
  std::vector<uint8_t> request;
  std::vector<uint8_t> response;
  // Issues the call and checks what it decoded.
  std::function<void(CallTarget&)> call;
};

std::vector<GoldenCase> Cases() {
  std::vector<GoldenCase> cases;

  // The worked example: Level, capacity, length in; three L[1], the L*, the Bv
  // with its padding and the return value out.
  cases.push_back({"GetRoutList", opnum::GetRoutList,
                   Body().U32(2).U32(524288).U32(0),
                   Body().U32(1).U32(3).U32(1).U32(4).U32(1).U32(9)
                       .U32(5).U32(524288).U32(0).U32(5).Text("C=RU;").Pad()
                       .U32(6),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1, needed = -1, length = 0;
                     std::vector<char> table(524289, 'x');
                     EXPECT_EQ(6, GetRoutList(t, &status, &rpcErr, 2, &needed, 524288, &length, table.data()));
                     EXPECT_EQ(3, status);
                     EXPECT_EQ(4, rpcErr);
                     EXPECT_EQ(9, needed);
                     EXPECT_EQ(5, length);
                     EXPECT_STREQ("C=RU;", table.data());
                   }});

  // Logon sends every text with its NUL: the user "ADMIN" travels as 6 bytes.
  cases.push_back({"Logon", opnum::Logon,
                   Body().U32(5).U32(512).U32(0).U32(5).Text(std::string("HOST\0", 5)).Pad()
                       .U32(6).U32(512).U32(0).U32(6).Text(std::string("ADMIN\0", 6)).Pad()
                       .U32(3).U32(512).U32(0).U32(3).Text(std::string("pw\0", 3)),
                   Body().U32(2).U32(0),
                   [](CallTarget& t) {
                     int32_t access = -1;
                     EXPECT_EQ(0, LogonWithTexts(t, "HOST", "ADMIN", "pw", &access));
                     EXPECT_EQ(2, access);
                   }});

  // GetStateFlag sends the same user without its NUL: UserLen 5.
  cases.push_back({"GetStateFlag", opnum::GetStateFlag,
                   Body().U32(5).U32(512).U32(0).U32(5).Text(std::string("HOST\0", 5)).Pad()
                       .U32(5).U32(512).U32(0).U32(5).Text("ADMIN"),
                   Body().U32(0).U32(1),
                   [](CallTarget& t) { EXPECT_EQ(1, GetStateFlagWithTexts(t, "HOST", "ADMIN")); }});

  // An S then an Lv[1] in both directions.
  cases.push_back({"TaskGetState", opnum::TaskGetState,
                   Body().U32(7).U32(0).U32(7).Text(std::string("MQUEUE\0", 7)).Pad()
                       .U32(1).U32(0).U32(1).U32(5),
                   Body().U32(1).U32(0).U32(1).U32(0xffffffff).U32(0),
                   [](CallTarget& t) {
                     int32_t state = 5;
                     EXPECT_EQ(0, TaskGetState(t, "MQUEUE", &state));
                     EXPECT_EQ(-1, state);
                   }});

  // A routing delete: the level with bit 7, an S, a trailing L.
  cases.push_back({"DelRoutItem", opnum::DelRoutItem,
                   Body().U32(0x82).U32(5).U32(0).U32(5).Text(std::string("PRMD\0", 5)).Pad().U32(0),
                   Body().U32(1).U32(0).U32(1).U32(0).U32(0xfffffff9),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1;
                     EXPECT_EQ(-7, DelRoutItem(t, &status, &rpcErr, 0x82, "PRMD", 0));
                     EXPECT_EQ(0, status);
                     EXPECT_EQ(0, rpcErr);
                   }});

  // A B parameter: NameLen counts the NUL, which travels inside the array.
  cases.push_back({"QMX_DirAdd", opnum::QMX_DirAdd,
                   Body().U32(3).U32(3).Text(std::string("AB\0", 3)).Pad()
                       .U32(7).U32(1).U32(0).U32(1).U32(9),
                   Body().U32(1).U32(0).U32(1).U32(0).U32(0xfffffffb),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1;
                     const uint8_t name[] = {'A', 'B', 0};
                     EXPECT_EQ(-5, QMX_DirAdd(t, &status, &rpcErr, 3, name, 7, 1, 0, 1, 9));
                   }});

  // B after an S and an L; a schedule of one 72-byte frame would go the same way.
  cases.push_back({"QMX_DirSetTimingsArray", opnum::QMX_DirSetTimingsArray,
                   Body().U32(3).U32(0).U32(3).Text(std::string("D1\0", 3)).Pad()
                       .U32(3).U32(3).Text("\x01\x02\x03"),
                   Body().U32(1).U32(0).U32(1).U32(0).U32(0),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1;
                     const uint8_t frames[] = {1, 2, 3};
                     EXPECT_EQ(0, QMX_DirSetTimingsArray(t, &status, &rpcErr, "D1", 3, frames));
                   }});

  // An [in,out] Bv: the record goes out and the reply comes back in the same buffer.
  cases.push_back({"QMX_VtQmx_ExecuteQuery", opnum::QMX_VtQmx_ExecuteQuery,
                   Body().U32(16).U32(6).U32(16).U32(0).U32(6).Text(std::string("\x04\0\0\0XY", 6)),
                   Body().U32(1).U32(0).U32(1).U32(0).U32(1).U32(1)
                       .U32(2).U32(16).U32(0).U32(2).Text("OK").Pad().U32(1),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1, result = -1, length = 6;
                     char record[17] = "\x04\0\0\0XY";
                     EXPECT_EQ(1, QMX_VtQmx_ExecuteQuery(t, &status, &rpcErr, &result, 16, &length, record));
                     EXPECT_EQ(1, result);
                     EXPECT_EQ(2, length);
                     EXPECT_STREQ("OK", record);
                   }});

  // Two [out] texts, the first empty, then an L*.
  cases.push_back({"GetCurrentAdmin", opnum::GetCurrentAdmin,
                   Body().U32(511).U32(511),
                   Body().U32(0).U32(511).U32(0).U32(0)
                       .U32(3).U32(511).U32(0).U32(3).Text("BOB").Pad().U32(44).U32(0),
                   [](CallTarget& t) {
                     int32_t connLen = -1, userLen = -1, unused = 0;
                     char conn[512], user[512];
                     std::memset(conn, 'x', sizeof conn);
                     EXPECT_EQ(0, GetCurrentAdmin(t, 511, &connLen, conn, 511, &userLen, user, &unused));
                     EXPECT_EQ(0, connLen);
                     EXPECT_EQ('\0', conn[0]);
                     EXPECT_EQ(3, userLen);
                     EXPECT_STREQ("BOB", user);
                     EXPECT_EQ(44, unused);
                   }});

  // Five L[1] after a Bv.
  cases.push_back({"QMX_DirGetAt", opnum::QMX_DirGetAt,
                   Body().U32(4).U32(1023),
                   Body().U32(1).U32(0).U32(1).U32(0).U32(2).U32(1023).U32(0).U32(2).Text("AB").Pad()
                       .U32(1).U32(11).U32(1).U32(12).U32(1).U32(13).U32(1).U32(14).U32(1).U32(15).U32(0),
                   [](CallTarget& t) {
                     int32_t status = -1, rpcErr = -1, length = 0, v[5] = {};
                     char text[1024];
                     EXPECT_EQ(0, QMX_DirGetAt(t, &status, &rpcErr, 4, 1023, &length, text, &v[0], &v[1], &v[2],
                                               &v[3], &v[4]));
                     EXPECT_STREQ("AB", text);
                     EXPECT_EQ(11, v[0]);
                     EXPECT_EQ(15, v[4]);
                   }});

  // No parameters at all: an empty request, the return value alone back.
  cases.push_back({"GetFolderCount", opnum::GetFolderCount, {}, Body().U32(3),
                   [](CallTarget& t) { EXPECT_EQ(3, GetFolderCount(t)); }});

  return cases;
}

TEST(GoldenBytes, ClientSendsAndDecodesTheTableForms) {
  for (const GoldenCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    RecordingTarget target;
    target.Answer(c.response);
    c.call(target);
    ASSERT_EQ(1u, target.sent.size());
    EXPECT_EQ(c.opnum, target.sent[0].opnum);
    EXPECT_EQ(c.request, target.sent[0].body);
  }
}

TEST(GoldenBytes, BigEndianReplyIsReadInItsOwnOrder) {
  RecordingTarget target;
  // TaskGetCount: L* Count 7, return value 0, both big-endian.
  target.Answer({0, 0, 0, 7, 0, 0, 0, 0}, /*bigEndian=*/true);
  int32_t count = 0;
  EXPECT_EQ(0, TaskGetCount(target, &count));
  EXPECT_EQ(7, count);
}

}  // namespace
}  // namespace rpc::test
