#include "AppFixture.h"
#include "core/DefaultConfigText.h"

using testing_fakes::AppTest;

namespace {

const std::vector<std::string> kStartupLines = {
    "13Старт ...",
    "01  14:07:09,Thursday,05/March/2026",
    "05Инициализация Sockets Library ...",
    "01  OK.",
    "03Идентификация в сети:",
    "01  WinComputerName=WS",
    "01  FQDN=ws.lan",
    "01  IP=10.0.0.7",
    "19Инициализация OLE32 ...",
    "01  OK.",
    "19Инициализация RICHED32.DLL ...",
    "01  OK.",
    "18Инициализация подистемы обработки",
    "01исключительных ситуаций ...",
    "01  OK.",
    "00Загрузка конфигурации ...",
    "08  OK.",
    "00Инициализация основных компанент",
    "01среды приложения ...",
    "01  OK.",
    "20Инициализация подсистемы сканирования",
    "01пользовательских групп избранных",
    "01направлений/абонентов ...",
    "01  OK.",
    "13Проверка подсистем сканирования",
    "01данных ...",
    "01  OK.",
};

std::vector<std::string> ShutdownLines(const std::vector<std::string>& servers) {
  std::vector<std::string> out = {
      "13",
      "01Стоп ...",
      "01  14:07:09,Thursday,05/March/2026",
      "01",
      "00Деинициализация пользовательского",
      "01интервейса ...",
      "01  OK.",
      "00Деинициализация интерфейсов почтовых",
      "01узлов:",
  };
  out.insert(out.end(), servers.begin(), servers.end());
  for (const char* line : {"01  OK.", "00Сохранение конфигурации ...", "01  OK.",
                           "20Деинициализация подсистемы сканирования", "01пользовательских групп избранных",
                           "01направлений/абонентов ...", "01  OK.", "05Деинициализация Sockets Library ...",
                           "01  OK."})
    out.push_back(line);
  return out;
}

core::MailServerEntry Server(std::string name, std::vector<core::ComputerSlot> computers) {
  return {std::move(name), std::move(computers)};
}

}  // namespace

TEST_F(AppTest, StartUpAndShutdownLogEveryStepInOrder) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  hooks.servers = {Server("NODE", {{0, true, "PC1"}, {1, true, "PC2"}}), Server("BACKUP", {{0, true, "PC1"}})};
  hooks.logoff = {{0, core::LogoffOutcome::Done}};  // PC2 throws: FAILED, and shutdown goes on

  auto& application = MakeApp("\"" + path + "\"\r\n");
  ASSERT_TRUE(application.InitInstance());
  EXPECT_EQ(lines, kStartupLines);
  EXPECT_EQ(application.ConfigPath(), path) << "quotes and line breaks trimmed from the command line";
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{
                             "localization 0", "message window", "main window 1.0.0.1", "main frame",
                             "logon NODE/PC1", "logon NODE/PC2", "logon BACKUP/PC1", "poll", "events",
                             "load favorites", "refill grid", "identification", "poll", "timers 10000 10000",
                             "placement", "tray on", "focus"}));
  EXPECT_FALSE(application.Log().Popup().visible) << "hidden at the end of start-up";
  EXPECT_TRUE(application.TrayIconShown());
  EXPECT_TRUE(application.FavoritesLoaded());
  EXPECT_FALSE(application.IsBusy()) << "the progress control exists and is hidden";

  lines.clear();
  hooks.calls.clear();
  EXPECT_EQ(application.ExitInstance(), 0);
  EXPECT_EQ(lines, ShutdownLines({"01  Узел: \"NODE\"", "01    Интерфейс: \"PC1\"", "01      OK, деинициализирован.",
                                  "01    Интерфейс: \"PC2\"", "06      FAILED !!!", "01  Узел: \"BACKUP\"",
                                  "01    Интерфейс: \"PC1\"", "01      Не использован."}));
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"tray off", "logoff PC1", "logoff PC2", "logoff PC1",
                                                   "save favorites", "remove groups", "release registries",
                                                   "destroy windows"}));
  EXPECT_FALSE(application.TrayIconShown());
  EXPECT_FALSE(application.FavoritesLoaded());
  EXPECT_TRUE(application.Log().Lines().empty());
  EXPECT_EQ(ReadFile(path), core::DefaultConfigText()) << "the settings are not written at shutdown";
}

TEST_F(AppTest, ShutdownLogsEachComputerThatExists) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  auto& application = MakeApp(path);
  ASSERT_TRUE(application.InitInstance());
  hooks.servers = {Server("NODE", {{0, true, "PC1"}, {5, false, ""}, {1, true, "PC2"}})};
  hooks.logoff = {{0, core::LogoffOutcome::NotUsed}, {1, core::LogoffOutcome::Done}};
  lines.clear();
  application.ExitInstance();
  EXPECT_EQ(lines, ShutdownLines({"01  Узел: \"NODE\"", "01    Интерфейс: \"PC1\"", "01      Не использован.",
                                  "01    Интерфейс: \"PC2\"", "01      OK, деинициализирован."}));
}

TEST_F(AppTest, LogonStepEndsStartUpOnConfigurationFaults) {
  struct Case {
    const char* what;
    std::vector<core::MailServerEntry> servers;
    bool quit;
    std::vector<std::string> shown;
    std::vector<std::string> logons;
  } cases[] = {
      {"a mail server without computers",
       {Server("NODE", {{0, true, "PC1"}}), Server("EMPTY", {})},
       false,
       {"box:Ошибка:В файле конфигурации для узла \"EMPTY\" не задано ни одного соединения."},
       {"logon NODE/PC1"}},
      {"a computer slot without a record",
       {Server("NODE", {{0, true, "PC1"}, {7, false, ""}, {1, true, "PC2"}})},
       false,
       {"box:Ошибка:INTERNAL ERROR -101 DURING Application::InitInstance()."},
       {"logon NODE/PC1"}},
      {"the user quits at the logon dialog",
       {Server("NODE", {{0, true, "PC1"}, {1, true, "PC2"}})},
       true,
       {},
       {"logon NODE/PC1"}},
  };
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  for (const auto& c : cases) {
    dialogs = {};
    hooks.calls.clear();
    hooks.servers = c.servers;
    hooks.quitAtLogon = c.quit;
    auto& application = MakeApp(path);
    EXPECT_FALSE(application.InitInstance()) << c.what;
    std::vector<std::string> shown;
    for (const auto& s : dialogs.shown) shown.push_back(text::Cp1251ToUtf8(s));
    EXPECT_EQ(shown, c.shown) << c.what;
    std::vector<std::string> logons;
    for (const auto& call : hooks.calls)
      if (call.starts_with("logon")) logons.push_back(call);
    EXPECT_EQ(logons, c.logons) << c.what;
    EXPECT_EQ(std::count(hooks.calls.begin(), hooks.calls.end(), "poll"), 0) << c.what;

    hooks.calls.clear();
    application.ExitInstance();
    EXPECT_EQ(std::count(hooks.calls.begin(), hooks.calls.end(), "save favorites"), 0)
        << c.what << ": nothing is written after a failed start-up";
  }
}

TEST_F(AppTest, SettingsDecideThePollTimerAndThePopUp) {
  struct Case {
    const char* what;
    std::string common;
    std::string timers;
    std::vector<std::string> boxes;
  } cases[] = {
      {"no keys: 20 s", "", "timers 20000 10000", {}},
      {"5 is accepted", "PERIOD_VERIFY=5\r\n", "timers 5000 10000", {}},
      {"3 is refused and 20 used", "PERIOD_VERIFY=3\r\n", "timers 20000 10000",
       {"box:Ошибка:Для параметра \"PERIOD_VERIFY\" из секции \"COMMON\" (период опроса значения индикатора "
        "изменения состояния почтового сервера в секундах) задано значение 3 меньше допустимого мининмального "
        "значения 5, поэтому будет использовано значение по умолчанию 20."}},
      {"a huge period does not wrap the timer", "PERIOD_VERIFY=4294967295\r\n", "timers 2147483647 10000", {}},
      {"milliseconds just past 32 bits", "PERIOD_VERIFY=4294968\r\n", "timers 2147483647 10000", {}},
      {"the largest period a timer counts", "PERIOD_VERIFY=2147483\r\n", "timers 2147483000 10000", {}},
  };
  for (const auto& c : cases) {
    const std::string path = PathOf("c.cfg");
    WriteFile(path, "[COMMON]\r\n" + c.common);
    dialogs = {};
    hooks.calls.clear();
    auto& application = MakeApp(path);
    ASSERT_TRUE(application.InitInstance()) << c.what;
    EXPECT_NE(std::find(hooks.calls.begin(), hooks.calls.end(), c.timers), hooks.calls.end()) << c.what;
    std::vector<std::string> shown;
    for (const auto& s : dialogs.shown) shown.push_back(text::Cp1251ToUtf8(s));
    EXPECT_EQ(shown, c.boxes) << c.what;
  }
}

TEST_F(AppTest, ShowsTheLocalizationMismatchAndGoesOn) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  hooks.localization = core::LocalizationResult::VersionMismatch;
  auto& application = MakeApp(path);
  ASSERT_TRUE(application.InitInstance());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(text::Cp1251ToUtf8(dialogs.shown[0]),
            "box:Ошибка локализации:CfgLocalization.Dll не соответствует данной версии конфигуратора");
  EXPECT_TRUE(dialogs.boxes[0].systemModal);
  EXPECT_EQ(dialogs.boxes[0].icon, ports::MsgIcon::Exclamation);
}

TEST_F(AppTest, FavouritesThatCannotBeReadAreDroppedAndStartUpGoesOn) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  hooks.loadFavorites = false;
  auto& application = MakeApp(path);
  ASSERT_TRUE(application.InitInstance());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(text::Cp1251ToUtf8(dialogs.shown[0]),
            "box:Ошибка:Ошибка чтения параметров групп избранных направлений из конфгурационного файла.");
  EXPECT_EQ(dialogs.boxes[0].icon, ports::MsgIcon::Exclamation);
  const auto load = std::find(hooks.calls.begin(), hooks.calls.end(), "load favorites");
  ASSERT_NE(load, hooks.calls.end());
  EXPECT_EQ(*(load + 1), "remove groups");
  EXPECT_TRUE(application.FavoritesLoaded()) << "marked loaded either way, so shutdown saves";
}

TEST_F(AppTest, AFileThatCannotBeLoadedIsReportedWithItsPath) {
  // A path too long for the file's lock name: the file exists, but the
  // configuration object built on it is bad.
  std::filesystem::path deep = dir_;
  for (int i = 0; i < 5; ++i) deep /= std::string(220, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  const std::string path = (deep / "node.cfg").string();
  ASSERT_GE(path.size(), 1017u);
  WriteFile(path, "[COMMON]\r\n");

  auto& application = MakeApp(path);
  EXPECT_FALSE(application.InitInstance());
  ASSERT_EQ(dialogs.richBodies.size(), 1u);
  const auto& body = dialogs.richBodies[0];
  ASSERT_EQ(body.paragraphs.size(), 5u);
  EXPECT_TRUE(body.paragraphs[0].empty());
  ASSERT_EQ(body.paragraphs[1].size(), 1u);
  EXPECT_EQ(text::Cp1251ToUtf8(body.paragraphs[1][0].text), "Ошибка открытия конфигурационного файла");
  EXPECT_EQ(body.paragraphs[1][0].rgb, 0x800000u);
  EXPECT_TRUE(body.paragraphs[2].empty());
  EXPECT_EQ(body.paragraphs[3][0].text, "\t\"" + path + "\"");
  EXPECT_TRUE(body.paragraphs[4].empty());
  EXPECT_EQ(body.font, "Arial");
  EXPECT_EQ(body.points, 10);
  EXPECT_EQ(lines.back(), "00Загрузка конфигурации ...");
}

// A save that did not happen is not reported as done: the failure line, a
// message naming the file and the reason, in the list and in a box.
TEST_F(AppTest, AFailedSaveAtShutdownIsReportedWithTheFileAndTheReason) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText());
  auto& application = MakeApp(path);
  ASSERT_TRUE(application.InitInstance());
  hooks.saveFailure = text::Cp("нет места на диске");
  lines.clear();
  application.ExitInstance();
  const auto saving = std::find(lines.begin(), lines.end(), "00Сохранение конфигурации ...");
  ASSERT_NE(saving, lines.end());
  ASSERT_GE(lines.end() - saving, 4);
  EXPECT_EQ(saving[1], "06  FAILED !!!");
  EXPECT_EQ(saving[2], "06Файл конфигурации \"" + path + "\" не сохранён:");
  EXPECT_EQ(saving[3], "01нет места на диске");
  EXPECT_TRUE(application.SaveFailed());
  EXPECT_EQ(application.SaveError(), text::Cp("нет места на диске"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(text::Cp1251ToUtf8(dialogs.shown[0]),
            "box:Ошибка:Файл конфигурации \"" + path + "\" не сохранён:\nнет места на диске");
}

// A line the reader had to cut is named at load time.
TEST_F(AppTest, ALineCutAtLoadIsNamedInTheMessageList) {
  const std::string path = PathOf("node.cfg");
  WriteFile(path, core::DefaultConfigText() + "LONG=" + std::string(3000, 'x') + "\r\n");
  auto& application = MakeApp(path);
  ASSERT_TRUE(application.InitInstance());
  const auto found = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("06Строка ", 0) == 0 && line.find("длиннее 2047 байт (3005 байт)") != std::string::npos;
  });
  EXPECT_NE(found, lines.end()) << testing::PrintToString(lines);
  EXPECT_FALSE(application.SaveFailed());
}
