// Logon against a simulated node over TCP: the access levels, the current
// administrator, the rights conflict question, refusals and lost channels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NetHarness.h"

namespace {

using nettest::Cp;
using nettest::LogEntry;
using testing::ElementsAre;
using testing::ElementsAreArray;

const char* const kOtherAdmin = "admin CHIEF WinComputerName=BOSS;FQDN=boss.lan;IP=10.0.0.9";
const LogEntry kChiefHolds{"Текущий администратор: \"CHIEF\"\nСоединение:\n  WinComputerName=BOSS\n  FQDN=boss.lan\n  IP=10.0.0.9",
                           1};
const LogEntry kNoAdmin{"Администратор отсутствует.", 1};

LogEntry Connect(const std::string& user) {
  return {"Соединение с: \"SRV1\"\nПользователь: \"" + user + "\"\n...", 2};
}

struct LogonCase {
  const char* name;
  const char* user;
  const char* password;
  std::vector<std::string> commands;  // sent to the node first
  std::vector<int> askAnswers;
  int result;
  int level;
  bool quit;
  std::vector<LogEntry> log;
  std::vector<std::string> boxes;  // "caption|text"
};

class LogonTest : public nettest::NetTest, public testing::WithParamInterface<LogonCase> {
 protected:
  nettest::SimNode node;
};

TEST_P(LogonTest, GivesRightsAndLogsThem) {
  const LogonCase& c = GetParam();
  Computer("SRV1", node.Entry());
  for (const auto& command : c.commands) node.Command(command);
  for (int answer : c.askAnswers) dialogs.askAnswers.push_back(answer);
  log.clear();
  core::LogonState& state = net.Logon();
  state.logonComputer = "SRV1";
  state.userName = c.user;
  state.password = c.password;
  state.quitRequest = true;  // cleared by the logon

  EXPECT_EQ(net.Sessions().Logon(true), c.result);
  EXPECT_EQ(state.accessLevel, c.level);
  EXPECT_EQ(state.quitRequest, c.quit);
  EXPECT_THAT(log, ElementsAreArray(c.log));
  std::vector<std::string> boxes;
  for (const auto& box : dialogs.boxes) boxes.push_back(text::Cp1251ToUtf8(box.caption + "|" + box.text));
  EXPECT_THAT(boxes, ElementsAreArray(c.boxes));
  EXPECT_TRUE(dialogs.askAnswers.empty()) << "question not asked";
}

INSTANTIATE_TEST_SUITE_P(
    Levels, LogonTest,
    testing::Values(
        LogonCase{"User", "OPER", "op", {}, {}, 1, 1, false,
                  {Connect("OPER"), kNoAdmin, {"Права доступа:\n  Пользователь.", 8}}, {}},
        LogonCase{"UserBesideAdministrator", "OPER", "op", {kOtherAdmin}, {}, 1, 1, false,
                  {Connect("OPER"), kChiefHolds, {"Права доступа:\n  Пользователь.", 8}}, {}},
        LogonCase{"Administrator", "ADMIN", "adm", {}, {}, 1, 2, false,
                  {Connect("ADMIN"),
                   {"Текущий администратор: \"ADMIN\"\nСоединение:\n  WinComputerName=WS\n  FQDN=ws.lan\n  IP=10.0.0.7", 1},
                   {"Права доступа:\n  Администратор.", 8}},
                  {}},
        LogonCase{"SecondAdministratorWatches", "ADMIN", "adm", {kOtherAdmin}, {0}, 1, 1, false,
                  {Connect("ADMIN"), kChiefHolds, {"Права доступа:\n  Администратор как пользователь.", 8}}, {}},
        LogonCase{"SecondAdministratorQuits", "ADMIN", "adm", {kOtherAdmin}, {1}, 1, 1, true,
                  {Connect("ADMIN"), kChiefHolds, {"Права доступа:\n  Администратор как пользователь.", 8}}, {}},
        LogonCase{"SecondAdministratorClosesTheBox", "ADMIN", "adm", {kOtherAdmin}, {-1}, 1, 1, false,
                  {Connect("ADMIN"), kChiefHolds, {"Права доступа:\n  Администратор как пользователь.", 8}}, {}},
        // Level 3 while the server names nobody: this console is the administrator.
        LogonCase{"SharedLevelWithoutAdministrator", "ADMIN", "adm", {kOtherAdmin, "answer GetCurrentAdmin 0"}, {}, 1, 2,
                  false, {Connect("ADMIN"), kNoAdmin, {"Права доступа:\n  Администратор.", 8}}, {}},
        LogonCase{"WrongPassword", "OPER", "nope", {}, {}, 0, 0, false,
                  {Connect("OPER"),
                   kNoAdmin,
                   {"Права доступа:\n  Отказано в доступе.", 6},
                   {"Проверьте имя пользователя и пароль!", 6}},
                  {"Сообщение|Не удается подключиться к серверу Veltrane 32!\n\nПроверьте имя пользователя и пароль!\n"}},
        LogonCase{"ConnectionDroppedMidway", "OPER", "op", {"drop GetCurrentAdmin"}, {}, 0, -100, false,
                  {Connect("OPER"), {"Не удается установить канал связи!", 6}},
                  {"Ошибка|Не удается установить канал связи!"}},
        LogonCase{"FaultOnLogon", "OPER", "op", {"fault 1783 Logon"}, {}, 0, -100, false,
                  {Connect("OPER"), {"Не удается установить канал связи!", 6}},
                  {"Ошибка|Не удается установить канал связи!"}}),
    [](const testing::TestParamInfo<LogonCase>& info) { return std::string(info.param.name); });

class LogonEdgeTest : public nettest::NetTest {
 protected:
  void Prepare(const char* user, const char* password) {
    Computer("SRV1", node.Entry());
    net.Logon().logonComputer = "SRV1";
    net.Logon().userName = user;
    net.Logon().password = password;
    log.clear();
  }
  nettest::SimNode node;
};

TEST_F(LogonEdgeTest, RightsConflictQuestionNamesBothSides) {
  Prepare("ADMIN", "adm");
  node.Command(kOtherAdmin);
  dialogs.askAnswers.push_back(0);
  ASSERT_EQ(net.Sessions().Logon(true), 1);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  const ports::QuestionRequest& q = dialogs.questions[0];
  EXPECT_THAT(q.buttons, ElementsAre(Cp("Продолжить"), Cp("Завершить работу")));
  EXPECT_EQ(q.body.font, "Arial");
  std::vector<std::string> paragraphs;
  for (const auto& p : q.body.paragraphs) {
    std::string line;
    for (const auto& run : p) line += run.text;
    paragraphs.push_back(text::Cp1251ToUtf8(line));
  }
  EXPECT_THAT(paragraphs,
              ElementsAre("В системе удаленной адинистрации почтовых узлов Veltrane32 может работать множество "
                          "пользователей с правами наблюдения и только один администратор.",
                          "", "Пользователю: ADMIN", nettest::kIdentity, "отказано в правах адимнистратора.", "",
                          "Текущий администратор: CHIEF", "WinComputerName=BOSS;FQDN=boss.lan;IP=10.0.0.9", "",
                          "Породолжить инициализацию программы с правами наблюдателя для компьютера SRV1 ?"));
}

TEST_F(LogonEdgeTest, ServerAloneDoesNotAnswer) {
  Prepare("OPER", "op");
  node.Stop();
  EXPECT_EQ(net.Sessions().Logon(true), 0);
  EXPECT_THAT(log, ElementsAre(Connect("OPER"), LogEntry{"Не удается установить канал связи!", 6}));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].icon, ports::MsgIcon::Error);
  EXPECT_EQ(dialogs.boxes[0].caption, Cp("Ошибка"));
  const core::__RpcClientDescription& computer = *net.FindComputer("SRV1");
  EXPECT_FALSE(computer.online);
  EXPECT_NE(computer.lastException, 0u);
  // It was never on-line, so nothing changed for the main window.
  EXPECT_TRUE(notifier.states.empty());
}

TEST_F(LogonEdgeTest, NotInteractiveShowsNoBox) {
  Prepare("OPER", "nope");
  EXPECT_EQ(net.Sessions().Logon(false), 0);
  node.Stop();
  EXPECT_EQ(net.Sessions().Logon(false), 0);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(log.back(), (LogEntry{"Не удается установить канал связи!", 6}));
}

TEST_F(LogonEdgeTest, NoComputerToLogOnTo) {
  Prepare("OPER", "op");
  net.Logon().logonComputer = "";
  EXPECT_EQ(net.Sessions().Logon(true), 0);
  net.Logon().logonComputer = "NOWHERE";
  EXPECT_EQ(net.Sessions().Logon(true), 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(node->AcceptedConnections(), 0u);
}

TEST_F(LogonEdgeTest, WithoutConnectionEveryBindIsRefused) {
  Prepare("OPER", "op");
  net.Logon().connectionNotUsed = true;
  EXPECT_EQ(net.Sessions().Logon(true), 1);
  EXPECT_EQ(net.Logon().accessLevel, 4);
  EXPECT_THAT(log, ElementsAre(LogEntry{"Соединение не использовано", 6}));

  core::__RpcClientDescription& computer = *net.FindComputer("SRV1");
  net.Sessions().SetLogonData(computer, "OPER", "op", false, true);
  EXPECT_FALSE(computer.SessionOpen());
  EXPECT_EQ(net.Binding().Bind(computer), 66400u);
  uint32_t status = 0;
  bool ran = false;
  EXPECT_FALSE(net.Binding().CallOn(computer, [&](rpc::CallTarget&) { ran = true; }, &status));
  EXPECT_FALSE(ran);
  EXPECT_EQ(status, 66400u);
  EXPECT_EQ(net.Sessions().Logoff(computer), core::LogoffOutcome::NotUsed);
  EXPECT_EQ(node->AcceptedConnections(), 0u);
}

TEST_F(LogonEdgeTest, LongCredentialsAreCut) {
  Prepare("OPER", "op");
  core::__RpcClientDescription& computer = *net.FindComputer("SRV1");
  net.Sessions().SetLogonData(computer, std::string(600, 'u'), std::string(700, 'p'), true, false);
  EXPECT_EQ(computer.user.size(), 511u);
  EXPECT_EQ(computer.password.size(), 511u);
  EXPECT_TRUE(computer.SessionOpen());
  EXPECT_TRUE(computer.Administrator());
  net.Sessions().SetLogonData(computer, "OPER", "op", false, false);
  EXPECT_FALSE(computer.Administrator());
  // A too long name is refused by the server, not by the wire.
  net.Logon().userName = std::string(600, 'u');
  EXPECT_EQ(net.Sessions().Logon(false), 0);
  EXPECT_EQ(log.back(), (LogEntry{"Проверьте имя пользователя и пароль!", 6}));
}

// The start-up step: the logon dialog, the logon, the logon data.
class LogonHookTest : public nettest::NetTest {
 protected:
  LogonHookTest() {
    Computer("SRV1", node.Entry());
    server = net.MailServerEntries();
  }
  core::LogonOutcome Run() { return net.LogonAtStartup(core::MailServerEntry{"NODE", {}}, {0, true, "SRV1"}); }

  nettest::SimNode node;
  std::vector<core::MailServerEntry> server;
};

TEST_F(LogonHookTest, AdministratorGetsSessionAndRights) {
  net.Logon().userName = "previous";
  dialogs.logonAnswers.push_back(ports::LogonAnswer{"ADMIN", "adm", false, false});
  EXPECT_EQ(Run(), core::LogonOutcome::Continue);
  ASSERT_EQ(dialogs.logons.size(), 1u);
  EXPECT_EQ(dialogs.logons[0].serverName, "NODE");
  EXPECT_EQ(dialogs.logons[0].computerName, "SRV1");
  EXPECT_EQ(dialogs.logons[0].userName, "previous");
  const core::__RpcClientDescription& computer = *net.FindComputer("SRV1");
  EXPECT_TRUE(computer.SessionOpen());
  EXPECT_TRUE(computer.Administrator());
  EXPECT_EQ(computer.user, "ADMIN");
  EXPECT_THAT(notifier.rights, ElementsAre(0));
  EXPECT_THAT(notifier.states, ElementsAre(std::pair{0, true}));
}

TEST_F(LogonHookTest, RefusalGoesOnWithoutSession) {
  dialogs.logonAnswers.push_back(ports::LogonAnswer{"OPER", "bad", false, false});
  EXPECT_EQ(Run(), core::LogonOutcome::Continue);
  EXPECT_FALSE(net.FindComputer("SRV1")->SessionOpen());
  EXPECT_TRUE(notifier.rights.empty());
}

// A typed password the node refuses is asked for again, three tries in all;
// a preset answer (not typed) and a lost channel are not asked again.
struct RetryCase {
  const char* name;
  std::vector<const char*> passwords;
  bool typed;
  bool reachable;
  bool session;
};

class LogonRetryTest : public LogonHookTest, public testing::WithParamInterface<RetryCase> {};

TEST_P(LogonRetryTest, AsksAgainOnlyForATypedRefusal) {
  const RetryCase& c = GetParam();
  for (const char* password : c.passwords) {
    ports::LogonAnswer answer{"ADMIN", password, false, false};
    answer.typed = c.typed;
    dialogs.logonAnswers.push_back(answer);
  }
  if (!c.reachable) node.Stop();
  EXPECT_EQ(Run(), core::LogonOutcome::Continue);
  EXPECT_EQ(dialogs.logons.size(), c.passwords.size());
  EXPECT_TRUE(dialogs.logonAnswers.empty());
  // The dialog offered again proposes the name typed before.
  if (dialogs.logons.size() > 1) {
    EXPECT_EQ(dialogs.logons[1].userName, "ADMIN");
  }
  EXPECT_EQ(net.FindComputer("SRV1")->SessionOpen(), c.session);
}

INSTANTIATE_TEST_SUITE_P(Startup, LogonRetryTest,
                         testing::Values(RetryCase{"SecondTryRight", {"bad", "adm"}, true, true, true},
                                         RetryCase{"ThirdTryRight", {"bad", "bad", "adm"}, true, true, true},
                                         RetryCase{"ThreeWrongTries", {"bad", "bad", "bad"}, true, true, false},
                                         RetryCase{"PresetAnswer", {"bad"}, false, true, false},
                                         RetryCase{"NoChannel", {"adm"}, true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogonHookTest, NoConnectionIsStoredInTheRecord) {
  dialogs.logonAnswers.push_back(ports::LogonAnswer{"OPER", "op", true, false});
  EXPECT_EQ(Run(), core::LogonOutcome::Continue);
  EXPECT_TRUE(net.FindComputer("SRV1")->connectionNotUsed);
  EXPECT_EQ(net.Binding().Bind(*net.FindComputer("SRV1")), 66400u);
}

TEST_F(LogonHookTest, CancelQuitAndConflictQuitEndTheProgram) {
  dialogs.logonAnswers.push_back(std::nullopt);
  EXPECT_EQ(Run(), core::LogonOutcome::EndProgram);
  dialogs.logonAnswers.push_back(ports::LogonAnswer{"", "", false, true});
  EXPECT_EQ(Run(), core::LogonOutcome::EndProgram);
  node.Command(kOtherAdmin);
  dialogs.logonAnswers.push_back(ports::LogonAnswer{"ADMIN", "adm", false, false});
  dialogs.askAnswers.push_back(1);
  EXPECT_EQ(Run(), core::LogonOutcome::EndProgram);
  EXPECT_EQ(node->AcceptedConnections(), 1u);
}

}  // namespace

namespace {

// A stopping program does not dial again a computer whose last call found no
// channel; one that was answering when the stop cut its call short still gets
// its logoff.
TEST_F(LogonEdgeTest, AStoppingProgramSkipsTheLogoffOfComputersWithoutChannel) {
  struct Case {
    const char* what;
    uint32_t lastException;
    bool previousOnline;
    core::LogoffOutcome outcome;
    size_t logoffsSent;
  };
  const Case cases[] = {
      {"nobody answered", rpc::status::kServerUnavailable, false, core::LogoffOutcome::Failed, 0},
      {"the answer stopped", rpc::status::kCallFailed, true, core::LogoffOutcome::Failed, 0},
      {"cut short while silent", rpc::status::kCallCancelled, false, core::LogoffOutcome::Failed, 0},
      {"cut short while answering", rpc::status::kCallCancelled, true, core::LogoffOutcome::Done, 1},
      {"a refusal of the server", rpc::status::kAccessDenied, false, core::LogoffOutcome::Done, 1},
  };
  Prepare("OPER", "op");
  net.SkipUnreachableLogoffs();
  core::__RpcClientDescription& computer = *net.FindComputer("SRV1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    net.Sessions().SetLogonData(computer, "OPER", "op", false, false);
    computer.online = false;
    computer.previousOnline = c.previousOnline;
    computer.lastException = c.lastException;
    const size_t before = node->CallsReceived();
    EXPECT_EQ(net.Sessions().Logoff(computer), c.outcome);
    EXPECT_EQ(node->CallsReceived() - before, c.logoffsSent);
  }
}

}  // namespace
