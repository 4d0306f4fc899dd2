// The operation table against itself and against the request and response
// bodies: every body of a called operation must consume and produce exactly
// the forms the table lists, in its order.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rpc/iface/Messages.h"
#include "rpc/iface/OperationTable.h"
#include "rpc/runtime/Ndr.h"

namespace rpc::test {
namespace {

TEST(OperationTable, CountsFollowTheNotCalledMarks) {
  const auto ops = Operations();
  ASSERT_EQ(73u, ops.size());
  for (size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(i, ops[i].opnum);
  EXPECT_EQ(41u, CalledOperationCount());
  size_t procs = 0;
  for (const auto& op : ops) procs += op.name.starts_with("Proc") ? 1 : 0;
  EXPECT_EQ(32u, procs);  // exactly the operations the console never issues
  for (const auto& op : ops) EXPECT_EQ(!op.name.starts_with("Proc"), op.called) << op.name;
  EXPECT_EQ(nullptr, FindOperation(73));
  ASSERT_NE(nullptr, FindOperation(53));
  EXPECT_EQ("GetRoutList", FindOperation(53)->name);
}

TEST(OperationTable, ReferencesPointAtIntegerParameters) {
  for (const auto& op : Operations()) {
    for (const auto& p : op.params) {
      for (int ref : {p.sizeParam, p.lengthParam}) {
        if (ref == 0) continue;
        ASSERT_GE(ref, 1) << op.name;
        ASSERT_LE(ref, static_cast<int>(op.params.size())) << op.name;
        const auto& target = op.params[ref - 1];
        EXPECT_TRUE(target.form == WireForm::L || target.form == WireForm::LRef) << op.name;
      }
      if (p.form == WireForm::Bv) {
        EXPECT_NE(0, p.lengthParam) << op.name;
        EXPECT_TRUE((p.sizeParam == 0) != (p.sizeConst == 0)) << op.name;
      }
      if (p.form == WireForm::B) {
        EXPECT_NE(0, p.sizeParam) << op.name;
      }
    }
  }
}

TEST(OperationTable, SessionArraysAnnounce512) {
  for (uint16_t opnum : {opnum::Logon, opnum::Logoff, opnum::GetStateFlag}) {
    for (const auto& p : FindOperation(opnum)->params) {
      if (p.form == WireForm::Bv) {
        EXPECT_EQ(512, p.sizeConst);
      }
    }
  }
}

// Builds a body from the table alone: every length a Bv or B refers to gets a
// small count, every capacity 40, every other integer a value of its own.
class TableBody {
 public:
  explicit TableBody(const OperationSpec& op) : op_(op) {}

  std::vector<uint8_t> Request() const {
    NdrWriter w;
    for (size_t i = 0; i < op_.params.size(); ++i) {
      const auto& p = op_.params[i];
      if (p.dir != ParamDir::Out) Put(w, static_cast<int>(i) + 1);
    }
    return w.Take();
  }

  std::vector<uint8_t> Response() const {
    NdrWriter w;
    for (size_t i = 0; i < op_.params.size(); ++i) {
      const auto& p = op_.params[i];
      if (p.dir != ParamDir::In) Put(w, static_cast<int>(i) + 1);
    }
    w.Long(77);
    return w.Take();
  }

 private:
  int32_t Value(int k) const {
    for (const auto& p : op_.params) {
      if (p.lengthParam == k || (p.form == WireForm::B && p.sizeParam == k)) return 3 + k % 5;
      if (p.form == WireForm::Bv && p.sizeParam == k) return 40;
    }
    return 1000 + k;
  }

  void Put(NdrWriter& w, int k) const {
    const auto& p = op_.params[k - 1];
    switch (p.form) {
      case WireForm::L:
      case WireForm::LRef: w.Long(Value(k)); break;
      case WireForm::LArray1: w.LongArray1(Value(k)); break;
      case WireForm::LVarying1: w.LongVarying1(Value(k)); break;
      case WireForm::S: w.String("s" + std::to_string(k)); break;
      case WireForm::C: w.Char('c'); break;
      case WireForm::B: w.Bytes(std::string(Value(p.sizeParam), static_cast<char>('a' + k))); break;
      case WireForm::Bv: {
        const int32_t capacity = p.sizeParam ? Value(p.sizeParam) : p.sizeConst;
        w.VaryingBytes(capacity, std::string(Value(p.lengthParam), static_cast<char>('a' + k)));
        break;
      }
    }
  }

  const OperationSpec& op_;
};

template <class Request>
void CheckAgainstTable(std::set<uint16_t>& seen) {
  const OperationSpec* op = FindOperation(Request::kOpnum);
  ASSERT_NE(nullptr, op);
  SCOPED_TRACE(std::string(op->name));
  EXPECT_TRUE(op->called);
  seen.insert(Request::kOpnum);

  const TableBody table(*op);
  const auto requestBody = table.Request();
  NdrReader requestReader(requestBody);
  Request request;
  request.Read(requestReader);
  EXPECT_EQ(requestBody.size(), requestReader.Position());
  NdrWriter requestWriter;
  request.Write(requestWriter);
  EXPECT_EQ(requestBody, requestWriter.Data());

  const auto responseBody = table.Response();
  NdrReader responseReader(responseBody);
  typename Request::Response response;
  response.Read(responseReader, request);
  EXPECT_EQ(responseBody.size(), responseReader.Position());
  EXPECT_EQ(77, response.ReturnValue);
  NdrWriter responseWriter;
  response.Write(responseWriter, request);
  EXPECT_EQ(responseBody, responseWriter.Data());
}

TEST(OperationTable, EveryCalledOperationsBodiesFollowTheTable) {
  std::set<uint16_t> seen;
  CheckAgainstTable<LogonRequest>(seen);
  CheckAgainstTable<LogoffRequest>(seen);
  CheckAgainstTable<GetCurrentAdminRequest>(seen);
  CheckAgainstTable<GetStateFlagRequest>(seen);
  CheckAgainstTable<TaskGetCountRequest>(seen);
  CheckAgainstTable<TaskGetAtRequest>(seen);
  CheckAgainstTable<TaskGetStateRequest>(seen);
  CheckAgainstTable<TaskControlRequest>(seen);
  CheckAgainstTable<ServerControlRequest>(seen);
  CheckAgainstTable<TaskGetParamCountRequest>(seen);
  CheckAgainstTable<TaskGetParamAtRequest>(seen);
  CheckAgainstTable<GetDisksRequest>(seen);
  CheckAgainstTable<ListDirRequest>(seen);
  CheckAgainstTable<GetFileRequest>(seen);
  CheckAgainstTable<GetFolderCountRequest>(seen);
  CheckAgainstTable<GetFolderAtRequest>(seen);
  CheckAgainstTable<CfgGetSectionCountRequest>(seen);
  CheckAgainstTable<CfgGetSectionAtRequest>(seen);
  CheckAgainstTable<CfgGetParamCountRequest>(seen);
  CheckAgainstTable<CfgGetParamAtRequest>(seen);
  CheckAgainstTable<QMX_VtQmx_ExecuteQueryRequest>(seen);
  CheckAgainstTable<QMX_DirAddRequest>(seen);
  CheckAgainstTable<QMX_DirDeleteRequest>(seen);
  CheckAgainstTable<QMX_DirGetCountRequest>(seen);
  CheckAgainstTable<QMX_DirGetAtRequest>(seen);
  CheckAgainstTable<QMX_DirGetAttrsRequest>(seen);
  CheckAgainstTable<QMX_DirModifyRequest>(seen);
  CheckAgainstTable<QMX_DirGetTimingsArrayRequest>(seen);
  CheckAgainstTable<QMX_DirSetTimingsArrayRequest>(seen);
  CheckAgainstTable<QMX_DirGetQueueCountersRequest>(seen);
  CheckAgainstTable<QMX_DirSetOptionRequest>(seen);
  CheckAgainstTable<QMX_DirReSetOptionRequest>(seen);
  CheckAgainstTable<QMX_DirGetOptionRequest>(seen);
  CheckAgainstTable<QMX_DirGetApfListRequest>(seen);
  CheckAgainstTable<QMX_DirSetApfListRequest>(seen);
  CheckAgainstTable<AddRoutItemRequest>(seen);
  CheckAgainstTable<RedirRoutItemRequest>(seen);
  CheckAgainstTable<DelRoutItemRequest>(seen);
  CheckAgainstTable<GetRoutListRequest>(seen);
  CheckAgainstTable<SetRoutItemRequest>(seen);
  CheckAgainstTable<GetAbonentInfoRequest>(seen);
  EXPECT_EQ(CalledOperationCount(), seen.size());
}

}  // namespace
}  // namespace rpc::test
