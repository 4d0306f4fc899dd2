// The routing view's sequences against the simulated node: exactly the calls
// each edit, deletion and rescan sends, the level marked for re-reading, and
// the refusals.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "apply/ApplyHarness.h"
#include "services/RoutingChange.h"
#include "text/Cp1251.h"

namespace {

using applytest::ApplyHarness;
using services::RouteEdit;
using services::RoutingOutcome;

// Level 2 (PRMD) of the harness node holds SPB:LIVANOV.
constexpr int kLevel = 3;
constexpr uint32_t kBit = 1u << kLevel;

class RoutingChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The host description is read once, before anything the tests count.
    ASSERT_EQ(h.hosts.EnsureLoaded(h.Node(), false), 1);
    ASSERT_EQ(services::LoadRouting(*h.console, "NODE", nullptr), RoutingOutcome::kDone);
    ASSERT_EQ(h.Data().validMask, 127u);
    mark = h.Mark();
  }
  RouteEdit Edit(bool existing, const char* oldKey, const char* newKey, const char* oldTarget, const char* newTarget,
                 bool abonent = false) {
    return RouteEdit{"NODE", kLevel, existing, oldKey, newKey, oldTarget, newTarget, abonent, true};
  }
  std::vector<std::string> Sent() const { return h.RequestsSince(mark); }

  ApplyHarness h;
  size_t mark = 0;
};

TEST_F(RoutingChangeTest, EachKindOfEditSendsExactlyItsCalls) {
  const struct {
    const char* what;
    RouteEdit edit;
    std::vector<std::string> calls;
  } cases[] = {
      {"target unchanged", Edit(true, "SPB", "spb ", "RELAY1", " relay1"), {}},
      {"existing row without key", Edit(true, "", "NEW", "", "X"), {}},
      {"new target", Edit(true, "SPB", "SPB", "RELAY1", "other"),
       {R"(RedirRoutItem Level=3 Address="SPB" Target="OTHER" Flag=0)"}},
      {"abonent target", Edit(true, "SPB", "SPB", "OTHER", "PETROVA", true),
       {R"(RedirRoutItem Level=3 Address="SPB" Target="PETROVA" Flag=1)"}},
      {"route by rule: no target, no flag", Edit(true, "SPB", "SPB", "PETROVA", "", true),
       {R"(RedirRoutItem Level=3 Address="SPB" Target="" Flag=0)"}},
      {"new row", Edit(false, "", "Tver", "", "A, B"), {R"(AddRoutItem Level=3 Address="TVER" Target="A,B" Flag=0)"}},
      {"new key", Edit(true, "TVER", "KALUGA", "A,B", "A,B"),
       {R"(DelRoutItem Level=131 Address="TVER" Flag=0)", R"(AddRoutItem Level=3 Address="KALUGA" Target="A,B" Flag=0)"}},
      {"any address", Edit(false, "", "*", "", "RELAY1"), {R"(AddRoutItem Level=3 Address=".*" Target="RELAY1" Flag=0)"}},
  };
  for (const auto& c : cases) {
    h.Data().UpdateValidMask(0, 127);
    mark = h.Mark();
    const RoutingOutcome outcome = services::ChangeRoutingEntry(*h.console, c.edit, h.dialogs);
    EXPECT_EQ(Sent(), c.calls) << c.what;
    EXPECT_EQ(outcome, c.calls.empty() ? RoutingOutcome::kNothing : RoutingOutcome::kDone) << c.what;
    EXPECT_EQ(h.Data().validMask, c.calls.empty() ? 127u : 127u & ~kBit) << c.what;
    EXPECT_TRUE(h.dialogs.shown.empty()) << c.what << ": " << (h.dialogs.shown.empty() ? "" : h.dialogs.ShownUtf8()[0]);
    h.dialogs.shown.clear();
  }
  // The node has the edits: a re-read shows them.
  ASSERT_EQ(services::LoadRouting(*h.console, "NODE", nullptr), RoutingOutcome::kDone);
  EXPECT_NE(h.Data().routingTable[kLevel].find("KALUGA:TA,B;"), std::string::npos) << h.Data().routingTable[kLevel];
  EXPECT_EQ(h.Data().routingTable[kLevel].find("TVER"), std::string::npos);
}

TEST_F(RoutingChangeTest, AFailedChangeIsToldAndStillMarksTheLevel) {
  const struct {
    const char* what;
    const char* command;
    RouteEdit edit;
    std::vector<std::string> calls;
    std::vector<std::string> shown;
  } cases[] = {
      {"redirect refused", "answer RedirRoutItem -2147483642 next", Edit(true, "SPB", "SPB", "IVANOV", "X"),
       {R"(RedirRoutItem Level=3 Address="SPB" Target="X" Flag=0)"},
       {"box:Ошибка выполнения операции:МАРШРУТИЗАТОР: RedirRoutItem -  заданный адрес отсутствует",
        "box:Ошибка:Ошибка корректировки маршрутной таблицы:\nКод завершения операции: -2147483642 (0x80000006)\n\n"}},
      {"delete half refused: no add", "answer DelRoutItem -100 next", Edit(true, "SPB", "TULA", "IVANOV", "IVANOV"),
       {R"(DelRoutItem Level=131 Address="SPB" Flag=0)"},
       {"box:Ошибка выполнения операции:МАРШРУТИЗАТОР: RedirRoutItem - Маршрутизатор занят, повторите запрос позже "
        "или перегрузите Маршрутизатор",
        "box:Ошибка:Ошибка корректировки маршрутной таблицы:\nКод завершения операции: -100 (0xFFFFFF9C)\n\n"}},
      {"status word only", "answer AddRoutItem 0 rpcerr=5 next", Edit(false, "", "TULA", "", "X"),
       {R"(AddRoutItem Level=3 Address="TULA" Target="X" Flag=0)"},
       {"box:Ошибка выполнения операции:МАРШРУТИЗАТОР: RedirRoutItem - Ошибка доступа к Маршрутизатору на узле "
        "(RpcErr=5).\nПроверить состояние задачи."}},
  };
  for (const auto& c : cases) {
    h.Data().UpdateValidMask(0, 127);
    h.dialogs.shown.clear();
    h.Command(c.command);
    mark = h.Mark();
    EXPECT_EQ(services::ChangeRoutingEntry(*h.console, c.edit, h.dialogs), RoutingOutcome::kFailed) << c.what;
    EXPECT_EQ(Sent(), c.calls) << c.what;
    EXPECT_EQ(h.dialogs.ShownUtf8(), c.shown) << c.what;
    EXPECT_EQ(h.Data().validMask, 127u & ~kBit) << c.what;
  }
}

TEST_F(RoutingChangeTest, ACallThatBreaksOffIsReportedAndMarksTheLevel) {
  h.Command("fault 1726 RedirRoutItem next");
  EXPECT_EQ(services::ChangeRoutingEntry(*h.console, Edit(true, "SPB", "SPB", "IVANOV", "X"), h.dialogs),
            RoutingOutcome::kFailed);
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_NE(h.dialogs.ShownUtf8()[0].find("МАРШРУТИЗАТОР: RedirRoutItem"), std::string::npos);
  EXPECT_EQ(h.Data().validMask, 127u & ~kBit);
}

TEST_F(RoutingChangeTest, AFailedBindIsReportedWithItsOwnStatus) {
  core::__RpcClientDescription* router = h.console->Net().FindComputer("SRV1");
  ASSERT_NE(router, nullptr);
  const std::string bindText = "(RpcErr=" + std::to_string(core::kConnectionNotUsed) + ")";
  const struct {
    const char* what;
    std::function<RoutingOutcome()> run;
  } cases[] = {
      {"change", [&] { return services::ChangeRoutingEntry(*h.console, Edit(true, "SPB", "SPB", "IVANOV", "X"), h.dialogs); }},
      {"deletion",
       [&] {
         h.dialogs.answers = {ports::MsgAnswer::Yes};
         return services::DeleteRoutingEntries(*h.console, {"NODE", kLevel, {{"SPB", "RELAY1"}}, true}, h.dialogs);
       }},
  };
  for (const auto& c : cases) {
    h.dialogs.shown.clear();
    // A stale code of an earlier call, and a bind that cannot be made.
    router->lastException = 1726;
    router->connectionNotUsed = true;
    EXPECT_EQ(c.run(), RoutingOutcome::kFailed) << c.what;
    router->connectionNotUsed = false;
    EXPECT_TRUE(Sent().empty()) << c.what;
    ASSERT_FALSE(h.dialogs.shown.empty()) << c.what;
    const std::string box = h.dialogs.ShownUtf8().back();
    EXPECT_NE(box.find(bindText), std::string::npos) << c.what << ": " << box;
  }
}

TEST_F(RoutingChangeTest, RefusalsSendNothing) {
  RouteEdit noRights = Edit(true, "SPB", "SPB", "IVANOV", "X");
  noRights.hasAdministratorRights = false;
  EXPECT_EQ(services::ChangeRoutingEntry(*h.console, noRights, h.dialogs), RoutingOutcome::kRefused);
  h.console->SetDataScan(true);
  EXPECT_EQ(services::ChangeRoutingEntry(*h.console, Edit(true, "SPB", "SPB", "IVANOV", "X"), h.dialogs),
            RoutingOutcome::kRefused);
  EXPECT_EQ(services::RescanRouting(*h.console, "NODE", 63, nullptr), RoutingOutcome::kRefused);
  h.console->SetDataScan(false);
  {
    const auto hold = h.console->Gate().Enter(core::Operation::Poll);
    EXPECT_EQ(services::ChangeRoutingEntry(*h.console, Edit(true, "SPB", "SPB", "IVANOV", "X"), h.dialogs),
              RoutingOutcome::kRefused);
  }
  EXPECT_EQ(h.dialogs.ShownUtf8(),
            (std::vector<std::string>{
                "box:Сообщение:Не возможно выполнить операцию.\nДля узла \"NODE\" отсутствуют права администратора.",
                "box:Сообщение:Не возможно выполнить операцию - канал связи занят.",
                "box:Сообщение:Не возможно выполнить операцию - канал связи занят."}));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(h.Data().validMask, 127u);
}

TEST(RoutingDeletion, AsksAndTheSysopEntryOnlyGoesOnYes) {
  using A = ports::MsgAnswer;
  // Level 4 (OU) of a node of its own: three entries, one of them to SYSOP.
  const std::string sections =
      std::string(applytest::kNodeSections) + "\n[ROUTE 4]\nMOSCOW=LIVANOV\nPOST=LSYSOP\n*=TRELAY1\n";
  const services::RouteDeletion deletion{"NODE", 4, {{"MOSCOW", "IVANOV"}, {"POST", "SYSOP"}, {"*", "RELAY1"}}, true};
  const struct {
    const char* what;
    std::vector<A> answers;
    std::vector<std::string> calls;
  } cases[] = {
      {"No to the first question", {A::No}, {}},
      {"No keeps SYSOP", {A::Yes, A::No},
       {R"(DelRoutItem Level=132 Address="MOSCOW" Flag=0)", R"(DelRoutItem Level=132 Address=".*" Flag=0)"}},
      {"Yes deletes SYSOP", {A::Yes, A::Yes},
       {R"(DelRoutItem Level=132 Address="MOSCOW" Flag=0)", R"(DelRoutItem Level=132 Address="POST" Flag=0)",
        R"(DelRoutItem Level=132 Address=".*" Flag=0)"}},
  };
  for (const auto& c : cases) {
    ApplyHarness h(sections);
    ASSERT_EQ(h.hosts.EnsureLoaded(h.Node(), false), 1);
    ASSERT_EQ(services::LoadRouting(*h.console, "NODE", nullptr), RoutingOutcome::kDone);
    h.dialogs.answers.assign(c.answers.begin(), c.answers.end());
    const size_t mark = h.Mark();
    services::DeleteRoutingEntries(*h.console, deletion, h.dialogs);
    EXPECT_EQ(h.RequestsSince(mark), c.calls) << c.what;
    const std::vector<std::string> shown = h.dialogs.ShownUtf8();
    ASSERT_EQ(shown.size(), c.answers.size()) << c.what;  // no failure told
    EXPECT_EQ(shown[0], "box:Вопрос:Удалить выделенные элементы маршрутной таблицы?") << c.what;
    if (shown.size() > 1) {
      EXPECT_EQ(shown[1],
                "box:Вопрос:Операция удаления элемента маршрутной таблицы, соответствующего почтовому ящику "
                "\"SYSOP\", не является корректной поскольку задача \"Маршрутизатор\" использует этот ящик для "
                "отправки сообщений об ошибках в работе почтового узла.\nПродолжить?")
          << c.what;
    }
    EXPECT_EQ(h.Data().validMask, c.calls.empty() ? 127u : 127u & ~(1u << 4)) << c.what;
    // What is left on the node.
    ASSERT_EQ(services::LoadRouting(*h.console, "NODE", nullptr), RoutingOutcome::kDone);
    EXPECT_EQ(h.Data().routingTable[4].find("POST") != std::string::npos, c.calls.size() < 3) << c.what;
  }
}

TEST(RoutingDeletion, AFailedRowIsReportedWithoutANameAndTheOthersStillGo) {
  ApplyHarness h;
  ASSERT_EQ(h.hosts.EnsureLoaded(h.Node(), false), 1);
  ASSERT_EQ(services::LoadRouting(*h.console, "NODE", nullptr), RoutingOutcome::kDone);
  h.dialogs.answers = {ports::MsgAnswer::Yes};
  const size_t mark = h.Mark();
  EXPECT_EQ(services::DeleteRoutingEntries(*h.console, {"NODE", 3, {{"NOPE", "X"}, {"SPB", "RELAY1"}}, true},
                                           h.dialogs),
            RoutingOutcome::kFailed);
  EXPECT_EQ(h.RequestsSince(mark).size(), 2u);
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.ShownUtf8()[1],
            "box:Ошибка выполнения операции:МАРШРУТИЗАТОР:  заданный адрес отсутствует");
}

TEST_F(RoutingChangeTest, ForcedRescansReadAgainWhatTheirMaskClears) {
  const struct {
    uint32_t mask;
    std::vector<std::string> operations;
  } cases[] = {
      {63, {"GetRoutList", "GetRoutList", "GetRoutList", "GetRoutList", "GetRoutList", "GetRoutList"}},
      {64, {"GetAbonentInfo"}},
      {1u << 4, {"GetRoutList"}},
  };
  for (const auto& c : cases) {
    const size_t before = h.Operations().size();
    EXPECT_EQ(services::RescanRouting(*h.console, "NODE", c.mask, nullptr), RoutingOutcome::kDone);
    const std::vector<std::string> all = h.Operations();
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), c.operations)
        << c.mask;
    EXPECT_EQ(h.Data().validMask, 127u);
  }
  EXPECT_EQ(h.RequestsSince(h.Mark() - 1).front().rfind("GetRoutList Level=4 ", 0), 0u);
  EXPECT_FALSE(h.console->ScanRunning());
}

TEST_F(RoutingChangeTest, TheDirectionListIsReportedUnderItsOwnName) {
  const services::RoutingDirections listed = services::ListRoutingDirections(*h.console, "NODE", &h.dialogs);
  ASSERT_TRUE(listed.ok);
  EXPECT_FALSE(listed.entries.empty());
  for (const char* op : {"QMX_DirGetCount", "QMX_DirGetAt"}) {
    h.dialogs.shown.clear();
    h.Command(std::string("fault 1726 ") + op + " next");
    EXPECT_FALSE(services::ListRoutingDirections(*h.console, "NODE", &h.dialogs).ok) << op;
    ASSERT_EQ(h.dialogs.shown.size(), 1u) << op;
    EXPECT_NE(h.dialogs.ShownUtf8()[0].find("Менеджер очереди: DirGetCount - "), std::string::npos)
        << h.dialogs.ShownUtf8()[0];
  }
}

}  // namespace
