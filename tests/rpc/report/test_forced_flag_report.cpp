// What the user sees when writing an item's forced-connection flag (query kind
// 5) fails: the reply is turned into a failure and shown by the queue manager
// reporter under "QMX_VtQmx_ExecuteQuery".

#include <gtest/gtest.h>

#include <string>

#include "ScriptedDialogs.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/report/QueueManagerReport.h"
#include "text/Cp1251.h"

namespace rpc::test {
namespace {

QueryReply Reply(int32_t status, int32_t rpcErr, int32_t returnValue, int32_t result) {
  QueryReply reply;
  reply.status = status;
  reply.rpcErr = rpcErr;
  reply.returnValue = returnValue;
  reply.result = result;
  return reply;
}

TEST(ForcedFlagReport, StatusWordsAreReportedWithCodeZero) {
  struct Case {
    const char* name;
    QueryReply reply;
    bool fails;         // the write counts as failed (the apply stops)
    const char* shown;  // UTF-8; empty: no box
  };
  const Case cases[] = {
      {"accepted", Reply(0, 0, 0, 1), false, ""},
      {"transport failure speaks of access, not of the return value", Reply(0, 1722, -3, 0), true,
       "Менеджер очереди: QMX_VtQmx_ExecuteQuery - Ошибка доступа к Менеджеру очереди на узле "
       "(RpcErr=1722 (0x6BA)).\nПроверить состояние задачи."},
      {"Status alone stays silent whatever the return value", Reply(7, 0, 5, 0), true, ""},
      {"Result not 1 shows the return value", Reply(0, 0, 4, 0), true,
       "Менеджер очереди: QMX_VtQmx_ExecuteQuery - Ошибка выполнения - 4 (0x4).\n"},
      {"Result not 1 with return value 0 shows -1", Reply(0, 0, 0, 2), true,
       "Менеджер очереди: QMX_VtQmx_ExecuteQuery - Ошибка выполнения - -1 (0xFFFFFFFF).\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    const auto failure = ForcedFlagSetFailure(c.reply);
    EXPECT_EQ(c.fails, failure.has_value());
    if (failure) ReportQueueManagerError(dialogs, *failure);
    if (std::string(c.shown).empty()) {
      EXPECT_TRUE(dialogs.shown.empty());
      continue;
    }
    ASSERT_EQ(1u, dialogs.shown.size());
    EXPECT_EQ(c.shown, text::Cp1251ToUtf8(dialogs.shown[0].text));
  }
}

}  // namespace
}  // namespace rpc::test
