// Deleting an abonent: the -7 confirmation loop of the Router half, the queue
// manager half and its access problem box, and the real operations wired in.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "rpc/iface/DirMessages.h"
#include "rpc/iface/RouterMessages.h"
#include "rpc/report/AbonentDeletion.h"
#include "rpc/runtime/CallTarget.h"
#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"
#include "text/Cp1251.h"

namespace rpc::test {
namespace {

using ports::MsgAnswer;

std::string Utf8(const std::string& cp1251) { return text::Cp1251ToUtf8(cp1251); }

struct Answer {
  int32_t result = 0;
  int32_t status = 0;
  int32_t rpcErr = 0;
};

struct SentDelete {
  int32_t level;
  std::string address;
  int32_t flag;
};

// Scripted operations: each call takes the next answer and records what it got.
struct FakeCalls {
  std::deque<Answer> routerAnswers;
  std::deque<Answer> queueAnswers;
  std::vector<SentDelete> routerSent;
  std::vector<std::string> queueSent;

  AbonentDeletionCalls Calls() {
    AbonentDeletionCalls calls;
    calls.delRoutItem = [this](int32_t* status, int32_t* rpcErr, int32_t level, const char* address, int32_t flag) {
      routerSent.push_back({level, address, flag});
      return Take(routerAnswers, status, rpcErr);
    };
    calls.dirDelete = [this](int32_t* status, int32_t* rpcErr, const char* name) {
      queueSent.push_back(name);
      return Take(queueAnswers, status, rpcErr);
    };
    return calls;
  }

  static int32_t Take(std::deque<Answer>& answers, int32_t* status, int32_t* rpcErr) {
    if (answers.empty()) throw RpcException(status::kServerUnavailable);
    const Answer a = answers.front();
    answers.pop_front();
    *status = a.status;
    *rpcErr = a.rpcErr;
    return a.result;
  }
};

const char* const kQuestion =
    "Папка почтового ящика \"ABON1\" содержит сообщения.\n\nДля удаления ящика подтвердите решение в "
    "течение 1 минуты.\nНеотправленные сообщения будут перенаправлены на SYSOP.\n\n  Выполнить удаление?";
const char* const kRouterBox = "Ошибка выполнения операции";

struct LoopCase {
  const char* name;
  std::vector<Answer> router;
  std::vector<MsgAnswer> user;
  bool deleted;
  size_t routerCalls;
  std::vector<std::string> boxes;  // captions of the boxes shown, in order
  std::string lastText;            // UTF-8 text of the last box when it is not the question
};

TEST(AbonentDeletion, RouterHalfRepeatsWhileTheUserConfirms) {
  const std::string question = kQuestion;
  const LoopCase cases[] = {
      {"deleted at once", {{0, 0, 0}}, {}, true, 1, {}, ""},
      {"-7 twice then 0", {{-7}, {-7}, {0}}, {MsgAnswer::Yes, MsgAnswer::Yes}, true, 3,
       {"Внимание!", "Внимание!"}, ""},
      {"no ends silently", {{-7}}, {MsgAnswer::No}, false, 1, {"Внимание!"}, ""},
      {"closed box counts as no", {{-7}}, {MsgAnswer::None}, false, 1, {"Внимание!"}, ""},
      {"yes then no", {{-7}, {-7}}, {MsgAnswer::Yes, MsgAnswer::No}, false, 2, {"Внимание!", "Внимание!"}, ""},
      {"other code reported without a name", {{static_cast<int32_t>(0x80000006u)}}, {}, false, 1, {kRouterBox},
       "МАРШРУТИЗАТОР:  заданный адрес отсутствует"},
      {"-7 then busy", {{-7}, {-100}}, {MsgAnswer::Yes}, false, 2, {"Внимание!", kRouterBox},
       "МАРШРУТИЗАТОР: Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор"},
      {"rpcErr with return 0", {{0, 0, 1722}}, {}, false, 1, {kRouterBox},
       "МАРШРУТИЗАТОР: Ошибка доступа к Маршрутизатору на узле (RpcErr=1722).\nПроверить состояние задачи."},
      // Status alone fails the deletion but has no words of its own.
      {"status alone", {{0, 3, 0}}, {}, false, 1, {}, ""},
      // -7 is the mailbox answer whatever the status words say.
      {"-7 with status words", {{-7, 1, 1722}, {0}}, {MsgAnswer::Yes}, true, 2, {"Внимание!"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCalls fake;
    fake.routerAnswers.assign(c.router.begin(), c.router.end());
    ScriptedDialogs dialogs;
    dialogs.answers.assign(c.user.begin(), c.user.end());

    EXPECT_EQ(DeleteAbonentFromRouter(dialogs, fake.Calls().delRoutItem, "ABON1"), c.deleted);

    ASSERT_EQ(fake.routerSent.size(), c.routerCalls);
    for (const auto& sent : fake.routerSent) {
      EXPECT_EQ(sent.level, 111);
      EXPECT_EQ(sent.address, "ABON1");
      EXPECT_EQ(sent.flag, 0);
    }
    ASSERT_EQ(dialogs.shown.size(), c.boxes.size());
    for (size_t i = 0; i < c.boxes.size(); ++i) {
      const auto& box = dialogs.shown[i];
      EXPECT_EQ(Utf8(box.caption), c.boxes[i]);
      if (c.boxes[i] == std::string("Внимание!")) {
        EXPECT_EQ(Utf8(box.text), question);
        EXPECT_EQ(box.icon, ports::MsgIcon::Question);
        EXPECT_EQ(box.buttons, ports::MsgButtons::YesNo);
      } else {
        EXPECT_EQ(Utf8(box.text), c.lastText);
        EXPECT_EQ(box.icon, ports::MsgIcon::Error);
      }
    }
    EXPECT_TRUE(dialogs.answers.empty()) << "the user was asked fewer times than scripted";
  }
}

TEST(AbonentDeletion, ApplySendsItsOwnFlag) {
  FakeCalls fake;
  fake.routerAnswers = {{-7}, {0}};
  ScriptedDialogs dialogs;
  dialogs.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(DeleteAbonentFromRouter(dialogs, fake.Calls().delRoutItem, "ABON1", 1));
  ASSERT_EQ(fake.routerSent.size(), 2u);
  EXPECT_EQ(fake.routerSent[1].flag, 1);
}

TEST(AbonentDeletion, QuestionCutsTheNameAt900Bytes) {
  const std::string longName(1000, 'N');
  const std::string question = MailboxNotEmptyQuestion(longName);
  EXPECT_NE(question.find("\"" + std::string(900, 'N') + "\""), std::string::npos);
  EXPECT_EQ(question.find(std::string(901, 'N')), std::string::npos);
  // A name in CP1251 stays in CP1251.
  EXPECT_TRUE(Utf8(MailboxNotEmptyQuestion(text::Cp("Ящик"))).starts_with("Папка почтового ящика \"Ящик\" "));
}

TEST(AbonentDeletion, QueueManagerHalfAndTheWholeDeletion) {
  struct Case {
    const char* name;
    std::vector<Answer> router;
    std::vector<Answer> queue;
    bool deleted;
    size_t queueCalls;
    const char* caption;  // the one box after the Router half, or empty
    const char* text;
  } cases[] = {
      {"both delete", {{0}}, {{0}}, true, 1, "", ""},
      {"router refuses: queue manager untouched", {{-1}}, {}, false, 0, kRouterBox,
       "МАРШРУТИЗАТОР: Маршрутизатор не поддерживает данный запрос"},
      {"queue manager rpcErr", {{0}}, {{0, 0, 1722}}, false, 1, "Внимание!",
       "Проблема доступа к задаче Менеджера Очереди на почтовом узле (RpcErr=1722)\n"
       "При повторной ошибке перезапустите сервер!"},
      {"queue manager status only", {{0}}, {{0, 5, 0}}, false, 1, "Внимание!",
       "Проблема доступа к задаче Менеджера Очереди на почтовом узле (RpcErr=0)\n"
       "При повторной ошибке перезапустите сервер!"},
      {"queue manager return value", {{0}}, {{-5, 0, 0}}, false, 1, kRouterBox,
       "Менеджер очереди: QMX_DirDelete - Ошибка выполнения - -5 (0xFFFFFFFB).\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCalls fake;
    fake.routerAnswers.assign(c.router.begin(), c.router.end());
    fake.queueAnswers.assign(c.queue.begin(), c.queue.end());
    ScriptedDialogs dialogs;
    EXPECT_EQ(DeleteAbonent(dialogs, fake.Calls(), "ABON1"), c.deleted);
    ASSERT_EQ(fake.queueSent.size(), c.queueCalls);
    if (c.queueCalls) {
      EXPECT_EQ(fake.queueSent[0], "ABON1");
    }
    if (std::string(c.caption).empty()) {
      EXPECT_TRUE(dialogs.shown.empty());
      continue;
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Utf8(dialogs.shown[0].caption), c.caption);
    EXPECT_EQ(Utf8(dialogs.shown[0].text), c.text);
    EXPECT_EQ(dialogs.shown[0].icon,
              std::string(c.caption) == "Внимание!" ? ports::MsgIcon::None : ports::MsgIcon::Error);
    EXPECT_EQ(dialogs.shown[0].buttons, ports::MsgButtons::Ok);
  }
}

TEST(AbonentDeletion, RpcFailurePassesThroughToTheCallEnvelope) {
  FakeCalls fake;
  fake.routerAnswers = {{-7}};  // the repeated request finds no server
  ScriptedDialogs dialogs;
  dialogs.answers = {MsgAnswer::Yes};
  try {
    DeleteAbonent(dialogs, fake.Calls(), "ABON1");
    FAIL() << "no exception";
  } catch (const RpcException& e) {
    EXPECT_EQ(e.Code(), status::kServerUnavailable);
  }
  EXPECT_TRUE(fake.queueSent.empty());
}

// A server for the two operations, decoding what the real client functions send.
class TwoOperationServer : public CallTarget {
 public:
  std::deque<int32_t> routerResults;
  std::vector<DelRoutItemRequest> deletes;
  std::vector<std::string> dirDeletes;

  Reply Call(uint16_t opnum, std::span<const uint8_t> body) override {
    NdrReader reader(body);
    NdrWriter writer;
    if (opnum == DelRoutItemRequest::kOpnum) {
      DelRoutItemRequest request;
      request.Read(reader);
      deletes.push_back(request);
      DelRoutItemResponse response;
      response.ReturnValue = routerResults.front();
      routerResults.pop_front();
      response.Write(writer, request);
    } else if (opnum == QMX_DirDeleteRequest::kOpnum) {
      QMX_DirDeleteRequest request;
      request.Read(reader);
      dirDeletes.push_back(request.Name);
      QMX_DirDeleteResponse{}.Write(writer, request);
    } else {
      throw RpcException(status::kProcNumOutOfRange);
    }
    return Reply{writer.Take(), false};
  }
};

TEST(AbonentDeletion, RealOperationsOnTheWire) {
  TwoOperationServer server;
  server.routerResults = {-7, 0};
  ScriptedDialogs dialogs;
  dialogs.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(DeleteAbonent(dialogs, AbonentDeletionCalls::To(server), "ABON1"));
  ASSERT_EQ(server.deletes.size(), 2u);
  for (const auto& d : server.deletes) {
    EXPECT_EQ(d.Level, 111);
    EXPECT_EQ(d.Address, "ABON1");
    EXPECT_EQ(d.Flag, 0);
  }
  EXPECT_EQ(server.dirDeletes, std::vector<std::string>{"ABON1"});
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace rpc::test
