// The apply command around the two halves: what refuses it, what validation
// asks and refuses, when the editor keeps its input, and how an entry the
// queue manager lost is added again.

#include <gtest/gtest.h>

#include "ApplyHarness.h"
#include "model/apply/PasswordHash.h"
#include "model/apply/Validate.h"

namespace applytest {
namespace {

using model::_VxItemBase;
using model::ApplyOutcome;

TEST(HashPassword, Values) {
  const struct {
    std::string text;
    uint32_t hash;
  } cases[] = {
      {"", 0},
      {"a", 97},
      {"abcdefghijklmnop", 196715280},  // the top bits fold back in
      {"\xC0", 268435248},              // a byte above 127 adds a negative value
      {"-VT-\xC8\xC2\xC0\xCD-\xEF\xE0\xF0\xEE\xEB\xFC-", 62008893},
  };
  for (const auto& c : cases) EXPECT_EQ(model::HashPassword(c.text), c.hash) << c.text;
}

TEST(HashPassword, HashedText) {
  EXPECT_EQ(model::PasswordHashText("IVANOV", "Pw"), "-VT-ivanov-Pw-");
  // Only ASCII letters are lowered; the name is cut to 64 bytes, the password to 255.
  EXPECT_EQ(model::PasswordHashText("\xC8VAN", "x"), "-VT-\xC8van-x-");
  EXPECT_EQ(model::PasswordHashText(std::string(70, 'N'), std::string(300, 'p')),
            "-VT-" + std::string(64, 'n') + "-" + std::string(255, 'p') + "-");
}

// Nothing is sent at all when the command is refused before the routing load.
TEST(ApplyCommand, RefusedBeforeAnythingIsSent) {
  const struct {
    const char* what;
    std::function<void(ApplyHarness&, _VxItemBase&)> setup;
    std::string box;  // UTF-8
  } cases[] = {
      {"no rights", [](ApplyHarness& h, _VxItemBase&) { h.view.rights = false; },
       "box:Сообщение:Не возможно выполнить операцию.\nДля узла \"NODE\" отсутствуют права администратора.\n"},
      {"scan running", [](ApplyHarness& h, _VxItemBase&) { h.view.scan = true; },
       "box:Сообщение:Не возможно применить сделанные изменения во время сканирования данных с почтового сервера"},
      {"last refresh failed", [](ApplyHarness&, _VxItemBase& e) { e.lastRefreshFailed = 1; },
       "box:Сообщение:Не возможно применить сделанные изменения: данные \"RELAY1\" не были полностью получены с "
       "почтового сервера.\nОбновите данные и повторите операцию."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ApplyHarness h;
    auto entry = h.Entry("RELAY1", false);
    c.setup(h, *entry);
    const size_t mark = h.Mark();
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.priority = 9; }), ApplyOutcome::kRefused);
    EXPECT_TRUE(h.RequestsSince(mark).empty());
    EXPECT_EQ(h.dialogs.ShownUtf8(), std::vector<std::string>{c.box});
    EXPECT_EQ(entry->priority, 2u);
    EXPECT_TRUE(h.view.events.empty());
    EXPECT_FALSE(h.console->Gate().Busy());
  }
}

TEST(ApplyCommand, NoEntryShownDoesNothing) {
  ApplyHarness h;
  EXPECT_EQ(model::ApplyChanges(h.view, h.net, h.hosts, h.console->Gate()), ApplyOutcome::kNothing);
  EXPECT_TRUE(h.view.events.empty());
  EXPECT_FALSE(h.console->Gate().Busy());
  EXPECT_TRUE(h.Requests().empty());
}

// The apply holds the gate from its first question to its last call; while
// another sequence holds it, the apply is refused and sends nothing.
TEST(ApplyCommand, HoldsTheGateAndIsRefusedWhileAnotherSequenceRuns) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  {
    const auto poll = h.console->Gate().Enter(core::Operation::Poll);
    const size_t mark = h.Mark();
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.priority = 9; }), ApplyOutcome::kRefused);
    EXPECT_TRUE(h.RequestsSince(mark).empty());
    EXPECT_EQ(h.dialogs.ShownUtf8(),
              std::vector<std::string>{"box:Сообщение:Не возможно выполнить операцию - канал связи занят."});
  }
  core::Operation during = core::Operation::None;
  EXPECT_EQ(h.Apply(*entry,
                    [&](_VxItemBase& w) {
                      during = h.console->Gate().Holder();
                      w.priority = 9;
                    }),
            ApplyOutcome::kApplied);
  EXPECT_EQ(during, core::Operation::Apply);
  EXPECT_FALSE(h.console->Gate().Busy());
}

// Validation refuses: the routing tables were loaded, nothing else is sent,
// and the shown entry is as it was.
TEST(ApplyCommand, ValidationRefusalsSendNothing) {
  const struct {
    const char* what;
    const char* mailbox;
    bool abonent;
    std::function<void(_VxItemBase&)> edit;
    std::vector<std::string> shown;  // UTF-8
    std::deque<ports::MsgAnswer> answers;
    std::deque<int> askAnswers;
  } cases[] = {
      {"blank name", "RELAY1", false, [](_VxItemBase& w) { w.mailboxName = "  "; },
       {"box:Ошибка:Имя почтового ящика не должно быть пустым!"}, {}, {}},
      {"passwords differ", "IVANOV", true,
       [](_VxItemBase& w) {
         w.password = "a";
         w.passwordConfirm = "b";
       },
       {"box:Ошибка:Пароль и подтверждение пароля не совпадают!"}, {}, {}},
      {"user identifier blank", "IVANOV", true, [](_VxItemBase& w) { w.SetParameter("#USERID", "  "); },
       {"box:Критическая ошибка:Для абонента не задано поле \"Идентификатор\"!"}, {}, {}},
      {"user identifier missing", "IVANOV", true, [](_VxItemBase& w) { w.RemoveParameter("#USERID"); },
       {"box:Критическая ошибка:Для абонента не задано поле \"Идентификатор\"!"}, {}, {}},
      {"local folder without a path", "RELAY1", false,
       [](_VxItemBase& w) {
         w.viaLocalFolder = 1;
         w.linkParameters = "#Folder=";
       },
       {"box:Ошибка:Для направления/абонента работающего через локальную папку необходимо указать путь к папаке!"}, {}, {}},
      {"abonent without a mailbox address", "IVANOV", true,
       [](_VxItemBase& w) { w.routingAddresses[5] = {"A/B"}; },
       {"box:Ошибка:Для абонента не удалось вычислить адрес почтового ящика!"}, {}, {}},
      {"direction without a mailbox address, not continued", "RELAY1", false,
       [](_VxItemBase& w) {
         w.routingAddresses = {};
         w.routingAddresses[2] = {"X\\Y"};
       },
       {"box:Сообщение:Для направления не удалось вычислить адрес почтового ящика!\nПродолжить?"},
       {ports::MsgAnswer::No}, {}},
      {"routing question cancelled", "RELAY1", false, [](_VxItemBase& w) { w.routingAddresses = {}; },
       {}, {}, {model::routingbutton::kCancel}},
      {"routing question closed", "RELAY1", false, [](_VxItemBase& w) { w.routingAddresses = {}; }, {}, {}, {-1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ApplyHarness h;
    auto entry = h.Entry(c.mailbox, c.abonent);
    const _VxItemBase before(*entry);
    h.dialogs.answers = c.answers;
    h.dialogs.askAnswers = c.askAnswers;
    EXPECT_EQ(h.Apply(*entry, c.edit), ApplyOutcome::kRefused);
    EXPECT_EQ(h.loadCalls.size(), 6u);
    EXPECT_TRUE(h.ApplyCalls().empty()) << ::testing::PrintToString(h.ApplyCalls());
    EXPECT_TRUE(h.ReadBackOperations().empty());
    if (!c.askAnswers.empty()) {
      EXPECT_EQ(h.dialogs.questions.size(), 1u);
    } else {
      EXPECT_EQ(h.dialogs.ShownUtf8(), c.shown);
    }
    EXPECT_EQ(entry->mailboxName, before.mailboxName);
    EXPECT_EQ(entry->routingAddresses, before.routingAddresses);
    EXPECT_EQ(entry->parameters, before.parameters);
  }
}

TEST(ApplyCommand, TheRoutingQuestion) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  h.dialogs.askAnswers = {1 + 5};  // "PN"
  EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.routingAddresses = {}; }), ApplyOutcome::kApplied);
  ASSERT_EQ(h.dialogs.questions.size(), 1u);
  const ports::QuestionRequest& q = h.dialogs.questions[0];
  EXPECT_EQ(Utf8(q.caption), "Параметры маршрутизации для направления \"RELAY1\" ...");
  std::vector<std::string> buttons;
  for (const auto& b : q.buttons) buttons.push_back(Utf8(b));
  EXPECT_EQ(buttons, (std::vector<std::string>{"Продолжить", "C", "ADMD", "PRMD", "ORG", "OU", "PN", "Отмена"}));
  EXPECT_EQ(q.defaultButton, 0);
  EXPECT_EQ(q.cancelButton, 7);
  ASSERT_FALSE(q.body.paragraphs.empty());
  ASSERT_EQ(q.body.paragraphs[0].size(), 1u);
  EXPECT_TRUE(q.body.paragraphs[0][0].bold);
  EXPECT_EQ(Utf8(q.body.Plain()),
            "Для направления \"RELAY1\" не заданы параметры маршрутизации!\n"
            "Справка:\n"
            "• Настоятельно рекомендуется задать как мининмум один адрес в маршрутных таблицах или закладке "
            "\"Параметры машрутизации\" свойств направления \"RELAY1\";\n"
            "• Без указания параметров маршрутизации (команда Продолжить) не возможно сохранить стандартные параметры "
            "абонента для адресной книги;\n"
            "Команды :\n"
            "• Продолжить - продолжить без изменений;\n"
            "• <C>, <ADMD>, <PRMD>, <ORG>, <OU> и <PN> - задать адрес \"RELAY1\" для направления \"RELAY1\" на "
            "соответствующем уровне;\n"
            "• Отмена - отменить операцию;");
  // PN added; the two addresses it had are deleted as removed in the editor.
  const auto calls = h.ApplyCalls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], R"(SetRoutItem Level=5 Address="RELAY1" Name="RELAY1" Params="" Flag=0)");
  EXPECT_EQ(calls[1], R"(DelRoutItem Level=128 Address="RU" Flag=1)");
  EXPECT_EQ(calls[2], R"(DelRoutItem Level=131 Address="SPB" Flag=1)");

  // "Продолжить" adds nothing; the direction is then asked whether to go on without a mailbox address.
  ApplyHarness other;
  auto relay = other.Entry("RELAY1", false);
  other.dialogs.askAnswers = {model::routingbutton::kContinue};
  other.dialogs.answers = {ports::MsgAnswer::Yes};
  EXPECT_EQ(other.Apply(*relay, [](_VxItemBase& w) { w.routingAddresses = {}; }), ApplyOutcome::kApplied);
  EXPECT_EQ(other.ApplyCalls().front(), R"(DelRoutItem Level=128 Address="RU" Flag=1)");
}

TEST(ApplyCommand, AnAbonentIsAskedBeforeItsFullNameIsFilled) {
  for (const auto answer : {ports::MsgAnswer::Yes, ports::MsgAnswer::No}) {
    ApplyHarness h;
    auto entry = h.Entry("IVANOV", true);
    h.dialogs.answers = {answer};
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.SetParameter("#FULLNAME", " "); }), ApplyOutcome::kApplied);
    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_EQ(Utf8(h.dialogs.boxes[0].caption), "Вопрос");
    EXPECT_EQ(Utf8(h.dialogs.boxes[0].text),
              "В параметрах абонента не задано поле \"Полное имя\"!\nУстановить значение этого поля в \"IVANOV\" (имя "
              "почтового ящика)?");
    std::string fullName;
    entry->GetParameter("#FULLNAME", fullName);
    EXPECT_EQ(fullName, answer == ports::MsgAnswer::Yes ? "IVANOV" : "");
  }
}

// Leaving after validation: nothing is sent, the editor keeps the input, and
// the shown entry stays the comparison base.
TEST(ApplyCommand, LeavingAfterValidationKeepsTheInputButNotAsBase) {
  {
    ApplyHarness h;
    auto entry = h.Entry("RELAY1", false);
    h.view.addressFieldOk = false;
    h.dialogs.answers = {ports::MsgAnswer::No};
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.priority = 9; }), ApplyOutcome::kKeptInEditor);
    EXPECT_EQ(h.dialogs.ShownUtf8(),
              std::vector<std::string>{"box:Сообщение:Адрес для сервера рассылки адресных книг и глобальной адресной "
                                       "книги задан корректно.\n\nПрименить настройки?\n\n"});
    EXPECT_EQ(h.view.events,
              (std::vector<std::string>{"pending", "check silent", "address page", "check loud"}));
    EXPECT_TRUE(h.ApplyCalls().empty());
    EXPECT_EQ(entry->priority, 2u);
    ASSERT_NE(h.view.keptInEditor, nullptr);
    EXPECT_EQ(h.view.keptInEditor->priority, 9u);
  }
  {
    // A new entry goes on without the question.
    ApplyHarness h;
    auto entry = h.Entry("", false);
    h.view.addressFieldOk = false;
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.mailboxName = "NEW1"; }), ApplyOutcome::kApplied);
    EXPECT_TRUE(h.dialogs.shown.empty());
  }
  {
    ApplyHarness h(std::string(kNodeSections) + "\n[DIR SYSOP]\nKIND=DIRECTION\n\n[ROUTE 4]\nADM=TSYSOP\n");
    auto entry = h.Entry("SYSOP", false);
    h.dialogs.answers = {ports::MsgAnswer::No};
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.mailboxName = "ADMIN"; }), ApplyOutcome::kKeptInEditor);
    EXPECT_EQ(h.dialogs.ShownUtf8(),
              std::vector<std::string>{
                  "box:Вопрос:Операция переименования почтового ящика \"SYSOP\" в \"ADMIN\" не является корректной "
                  "поскольку задача \"Маршрутизатор\" использует этот ящик для отправки сообщений об ошибках в работе "
                  "почтового узла.\nПродолжить?"});
    EXPECT_TRUE(h.ApplyCalls().empty());
    EXPECT_EQ(entry->mailboxName, "SYSOP");
    ASSERT_NE(h.view.keptInEditor, nullptr);
    EXPECT_EQ(h.view.keptInEditor->mailboxName, "ADMIN");
  }
}

// The routing load fails: the apply does not run on tables it could not read.
TEST(ApplyCommand, AFailedRoutingLoadStopsTheCommand) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  h.Command("answer GetRoutList -100 always");
  EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.priority = 9; }), ApplyOutcome::kRefused);
  EXPECT_TRUE(h.ApplyCalls().empty());
  EXPECT_EQ(h.dialogs.boxes.size(), 2u);  // the Router's report and the load's own message
}

// A first add that failed leaves a shown entry that is no longer new but has
// no directory entry: the next apply adds it again instead of modifying nothing.
TEST(ApplyCommand, AFailedAddIsRetriedByTheNextApply) {
  ApplyHarness h;
  auto entry = h.Entry("", false);
  h.Command("answer QMX_DirAdd -3");
  EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.mailboxName = "NEW1"; }), ApplyOutcome::kQueueFailed);
  EXPECT_EQ(h.dialogs.ShownUtf8(), std::vector<std::string>{"box:Ошибка выполнения операции:Менеджер очереди: "
                                                            "QMX_DirAdd - Ошибка выполнения - -3 (0xFFFFFFFD).\n"});
  EXPECT_EQ(entry->isNew, 0);
  EXPECT_EQ(entry->queueEntryMissing, 1);
  EXPECT_EQ(entry->lastRefreshFailed, 0);
  EXPECT_EQ(h.ReadBackOperations(),
            (std::vector<std::string>{"QMX_DirGetAttrs", "GetAbonentInfo", "GetAbonentInfo"}));

  EXPECT_EQ(h.Apply(*entry, nullptr), ApplyOutcome::kApplied);
  const auto calls = h.ApplyCalls();
  ASSERT_EQ(calls.size(), 4u) << ::testing::PrintToString(calls);
  EXPECT_EQ(calls[0],
            R"(QMX_DirAdd NameLen=5 Name="NEW1" Priority=0 Blocked=1 CallAtInterval=0 NoCallOnArrival=1 ExtraOption=0)");
  EXPECT_EQ(calls[1], R"(QMX_DirReSetOption Name="NEW1")");
  EXPECT_EQ(entry->queueEntryMissing, 0);
}

TEST(ApplyCommand, ARouterFailureSkipsTheQueueManagerButTheEntryIsReadBack) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  h.Command("answer SetRoutItem 0 rpcerr=1722");
  EXPECT_EQ(h.Apply(*entry,
                    [](_VxItemBase& w) {
                      w.routingAddresses[4] = {"MSK"};
                      w.priority = 9;
                    }),
            ApplyOutcome::kRouterFailed);
  EXPECT_EQ(h.ApplyCalls(),
            std::vector<std::string>{R"(SetRoutItem Level=4 Address="MSK" Name="RELAY1" Params="" Flag=0)"});
  EXPECT_EQ(h.dialogs.ShownUtf8(),
            std::vector<std::string>{"box:Ошибка выполнения операции:МАРШРУТИЗАТОР: Ошибка доступа к Маршрутизатору на "
                                     "узле (RpcErr=1722).\nПроверить состояние задачи."});
  // Read back: the node's values win over the edited ones that were not sent.
  EXPECT_EQ(entry->priority, 2u);
  EXPECT_EQ(entry->routingAddresses[4], std::vector<std::string>{});
}

}  // namespace
}  // namespace applytest
