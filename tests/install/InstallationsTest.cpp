// The installation sets of a node: where they are looked for, the list with
// diskette counts and descriptions, copying a set with its settings file, and
// the names from the server that must never steer a write.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "InstallHarness.h"
#include "model/install/TemporaryFolder.h"

namespace installtest {
namespace {

namespace fs = std::filesystem;
using model::CopyOutcome;
using model::InstallationRow;

// A node of our own: one set with two files on one diskette, a set whose
// second file fills the whole receive buffer, and one whose file is a byte short of it.
const char* const kSetsNode = R"([USER ADMIN]
PASSWORD=admin
LEVEL=2

[CFG COMMON]
#HOST_NAME=NODE
#CLIENT_DIR=D:\CL\

[FILE D:\CL\INSTALL\SET\DISK1\GOOD.TXT]
TEXT=good

[FILE D:\CL\INSTALL\SET\DISK1\ALSO.BIN]
SIZE=1000

[FILE D:\CL\INSTALL\BIG\DISK1\SMALL.TXT]
TEXT=small

[FILE D:\CL\INSTALL\BIG\DISK1\HUGE.BIN]
SIZE=4718592

[FILE D:\CL\INSTALL\EDGE\DISK1\ALMOST.BIN]
SIZE=4718591
)";

const char* const kDemoSet = "C:\\VELTRANE\\CLIENT\\INSTALL\\VTCLIENT\\";

std::string SettingsText(const std::string& serverAddress) {
  return Cp("[IVANOV]\n#OnLine=1\n#Name=IVANOV\n#FullName=Иванов Иван\n#Comment=\n#Port=10000\n"
            "#Protocol=TCPVelt\n#X500Addr=C:RU/ADMD:VELTRANE/PN:IVANOV\n#ServerName=") +
         serverAddress + "\n#HOST_NAME=NODE\n#USERID=IVANOV\n";
}

std::vector<std::string> ListDirPaths(const InstallHarness& h) {
  std::vector<std::string> paths;
  for (const auto& line : h.Requests())
    if (line.rfind("ListDir ", 0) == 0) paths.push_back(line.substr(0, line.find(" Kind=")));
  return paths;
}

TEST(InstallDirectory, FollowsClientDirWithOneSeparatorBeforeInstall) {
  struct Case {
    const char* line;  // the COMMON line, none when empty
    const char* path;  // the first listing's Path as the node logs it
  } cases[] = {
      {"#CLIENT_DIR=D:\\CL", R"(ListDir Path="D:\\CL\\INSTALL\\*.*")"},
      {"#CLIENT_DIR=D:\\CL\\", R"(ListDir Path="D:\\CL\\INSTALL\\*.*")"},
      {"#CLIENT_DIR=/srv/cl/", R"(ListDir Path="/srv/cl/INSTALL\\*.*")"},
      {"#CLIENT_DIR=", R"(ListDir Path=".\\INSTALL\\*.*")"},
      {"", R"(ListDir Path=".\\INSTALL\\*.*")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    InstallHarness h(std::string("[CFG COMMON]\n#HOST_NAME=NODE\n") + c.line + "\n");
    h.Rebuild();
    const auto paths = ListDirPaths(h);
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), c.path);
  }
}

TEST(InstallationList, DemoNodeSetsWithDiskettesAndDescription) {
  InstallHarness h(DemoSectionsUtf8());
  const auto rows = h.Rebuild();
  const std::vector<InstallationRow> expected = {
      {"VTCLIENT", 2, h.ServedData(std::string(kDemoSet) + "info.txt")},
      {"NEWCLIENT", 0, ""},
  };
  EXPECT_EQ(rows, expected);
  EXPECT_TRUE(h.browsing.boxes.empty()) << h.browsing.Texts().front();
}

TEST(InstallationList, FailuresAreToldAndGiveNoRows) {
  struct Case {
    const char* name;
    std::function<void(InstallHarness&)> arrange;
    const char* message;
  } cases[] = {
      {"no abonent", [](InstallHarness&) {}, nullptr},
      {"unknown mail server", [](InstallHarness& h) { h.abonent.mailServerName = "OTHER"; },
       "__ReBuildInstallationsList():\ninternal error (1)"},
      {"no MQUEUE computer",
       [](InstallHarness& h) {
         h.carriers.carriers.clear();
         h.abonent.queueTaskName = std::string(model::kNoData);
       },
       "__ReBuildInstallationsList():\ninternal error (2)"},
      {"MQUEUE computer not registered",
       [](InstallHarness& h) {
         h.carriers.carriers.clear();
         h.abonent.queueTaskName = "GHOST";
       },
       "__ReBuildInstallationsList():\ninternal error (3)"},
      {"sections not counted", [](InstallHarness& h) { h.Command("answer CfgGetSectionCount 0 status=5"); },
       "Не удалось определить расположение каталога инсталляции на сервере."},
      {"listing refused", [](InstallHarness& h) { h.Command("answer ListDir -1"); },
       "Не удается получить список инсталляций на сервере:\nошибка канала связи."},
      {"listing dropped", [](InstallHarness& h) { h.Command("drop ListDir"); },
       "Не удается получить список инсталляций на сервере:\nошибка канала связи."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallHarness h(DemoSectionsUtf8());
    c.arrange(h);
    std::vector<InstallationRow> rows;
    if (c.message) {
      rows = h.Rebuild();
      EXPECT_EQ(h.browsing.Texts(), std::vector<std::string>{c.message});
    } else {
      model::InstallContext context{h.net, h.browsing, nullptr, h.root.string() + "/work"};
      rows = model::RebuildInstallations(context);
      EXPECT_EQ(h.browsing.Texts(), std::vector<std::string>{"__ReBuildInstallationsList():\ninternal error (0)"});
    }
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(Utf8(h.browsing.boxes.at(0).caption), "Ошибка");
  }
}

TEST(InstallationCopy, RefusedBeforeAnyCall) {
  InstallHarness h(DemoSectionsUtf8());
  const auto rows = h.Rebuild();
  struct Case {
    std::vector<InstallationRow> rows;
    int selected;
    bool scan;
    const char* message;
  } cases[] = {
      {{}, -1, false, "Не возможно выполнить команду:\nсписок доступных инсталляций пуст."},
      {rows, -1, false, "Не возможно выполнить команду:\nвыберите инсталляцию из списка."},
      {rows, 1, false, "Не возможно выполнить команду:\nинсталляция не содержит ни одной дискеты."},
      {rows, 0, true, "Не возможно выполнить команду во время сканирования данных с почтового сервера."},
  };
  ASSERT_EQ(rows.at(1).name, "NEWCLIENT");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    h.browsing.boxes.clear();
    const size_t mark = h.Mark();
    EXPECT_EQ(model::CopyInstallation(h.Context(), c.rows, c.selected, c.scan, h.lastFolder), CopyOutcome::Refused);
    EXPECT_EQ(h.browsing.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(Utf8(h.browsing.boxes.at(0).caption), "Сообщение");
    EXPECT_TRUE(h.RequestsSince(mark).empty());
  }
}

TEST(InstallationCopy, DemoSetCopiedDisketteByDisketteWithSettingsFile) {
  InstallHarness h(DemoSectionsUtf8());
  const auto rows = h.Rebuild();
  const std::string a = h.Folder("a"), b = h.Folder("b");
  h.browsing.folders = {a, b};
  // While the browser is open the diskette waits in one GUID-named folder of the work folder.
  std::vector<std::set<std::string>> waiting;
  h.browsing.whileBrowsing = [&] {
    std::set<std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(h.root / "work"))
      seen.insert(fs::relative(entry.path(), h.root / "work").generic_string());
    waiting.push_back(seen);
  };

  EXPECT_EQ(h.Copy(rows, "VTCLIENT"), CopyOutcome::Copied);

  ASSERT_EQ(waiting.size(), 2u);
  const std::regex guid("[0-9A-F]{12}4[0-9a-f]{3}[89AB][0-9A-F]{15}");
  for (const auto& [index, files] : {std::pair{0, std::vector<std::string>{"SETUP.EXE", "VTCLIENT.CAB"}},
                                     std::pair{1, std::vector<std::string>{"VTHELP.CAB", "README.TXT"}}}) {
    const auto& seen = waiting[static_cast<size_t>(index)];
    ASSERT_EQ(seen.size(), 3u);
    const std::string folder = *seen.begin();
    EXPECT_TRUE(std::regex_match(folder, guid)) << folder;
    for (const auto& file : files) EXPECT_TRUE(seen.count(folder + "/" + file)) << file;
  }
  EXPECT_EQ(h.browsing.browseTitles,
            (std::vector<std::string>{"Инсталляция \"VTCLIENT\"", "Инсталляция \"VTCLIENT\""}));
  EXPECT_EQ(h.browsing.browseInitial, (std::vector<std::string>{"", a}));

  EXPECT_EQ(h.Tree(), (std::set<std::string>{"work", "a", "a/SETUP.EXE", "a/VTCLIENT.CAB", "b", "b/VTHELP.CAB",
                                             "b/README.TXT", "b/vt$IVANOV$.inf"}));
  for (const char* file : {"DISK1\\SETUP.EXE", "DISK1\\VTCLIENT.CAB", "DISK2\\VTHELP.CAB", "DISK2\\README.TXT"}) {
    const std::string local = std::string(file[4] == '1' ? "a/" : "b/") + (file + 6);
    EXPECT_EQ(h.ReadFile(local), h.ServedData(std::string(kDemoSet) + file)) << local;
  }
  const std::string address = h.net.FindComputer("SRV1")->networkAddress;
  ASSERT_EQ(address, "127.0.0.1");
  EXPECT_EQ(h.ReadFile("b/vt$IVANOV$.inf"), SettingsText(address));
  EXPECT_EQ(h.lastFolder, b);
  EXPECT_EQ(h.browsing.Texts(), std::vector<std::string>{"Инсталляция скопирована успешно."});
}

TEST(InstallationCopy, ClosedBrowserStopsTheCopyWithoutSettingsFile) {
  struct Case {
    const char* name;
    size_t placedBefore;  // diskettes given a folder before the browser is closed
    std::set<std::string> tree;
  } cases[] = {
      {"first diskette", 0, {"work"}},
      {"second diskette", 1, {"work", "a", "a/SETUP.EXE", "a/VTCLIENT.CAB"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallHarness h(DemoSectionsUtf8());
    const auto rows = h.Rebuild();
    if (c.placedBefore) h.browsing.folders.push_back(h.Folder("a"));
    h.browsing.folders.push_back(std::nullopt);
    h.lastFolder = "/stale";
    EXPECT_EQ(h.Copy(rows, "VTCLIENT"), CopyOutcome::Cancelled);
    EXPECT_EQ(h.Tree(), c.tree);
    EXPECT_EQ(h.lastFolder, "");
    EXPECT_TRUE(h.browsing.boxes.empty());
  }
}

TEST(InstallationCopy, UnwritableTargetFileAsksAgainWhileYes) {
  struct Case {
    const char* name;
    std::vector<ports::MsgAnswer> answers;
    bool clearedOnSecondQuestion;
    bool written;
  } cases[] = {
      {"given up", {ports::MsgAnswer::Yes, ports::MsgAnswer::No}, false, false},
      {"cleared, then written", {ports::MsgAnswer::Yes, ports::MsgAnswer::Yes}, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallHarness h(DemoSectionsUtf8());
    const auto rows = h.Rebuild();
    const std::string a = h.Folder("a"), b = h.Folder("b");
    h.Folder("a/SETUP.EXE");  // a folder where the file should go
    h.browsing.folders = {a, b};
    h.browsing.answers = {c.answers.begin(), c.answers.end()};
    int questions = 0;
    h.browsing.whileOpen = [&](const ports::MessageBoxRequest& box) {
      if (box.buttons != ports::MsgButtons::YesNo) return;
      if (++questions == 2 && c.clearedOnSecondQuestion) fs::remove(h.root / "a/SETUP.EXE");
    };
    EXPECT_EQ(h.Copy(rows, "VTCLIENT"), CopyOutcome::Copied);
    const std::string question = "Ошибка записи файла:\n   \"" + a + "/SETUP.EXE\"\nПовторить попытку записи файла?\n";
    EXPECT_EQ(h.browsing.Texts(), (std::vector<std::string>{question, question, "Инсталляция скопирована успешно."}));
    EXPECT_EQ(fs::is_regular_file(h.root / "a/SETUP.EXE"), c.written);
    EXPECT_EQ(h.ReadFile("a/VTCLIENT.CAB"), h.ServedData(std::string(kDemoSet) + "DISK1\\VTCLIENT.CAB"));
    EXPECT_TRUE(fs::is_regular_file(h.root / "b/vt$IVANOV$.inf"));
  }
}

TEST(InstallationCopy, FailedFetchEndsTheCopyAndWritesNothing) {
  const std::string work = "в локальный файл \"";
  struct Case {
    const char* name;
    const char* set;
    const char* command;  // none when empty
    std::string message;  // its start
  } cases[] = {
      {"answer fills the buffer", "BIG", "", "Ошибка получения файла."},
      {"server error", "SET", "answer GetFile -1",
       "Ошибка -1:0 (0xFFFFFFFF:0x0) сервера Veltrane32 при пересылке файла "
       "\"D:\\CL\\INSTALL\\SET\\DISK1\\GOOD.TXT\" " +
           work},
      {"dropped call", "SET", "drop GetFile", "Ошибка получения файла."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallHarness h(kSetsNode);
    const auto rows = h.Rebuild();
    if (*c.command) h.Command(c.command);
    EXPECT_EQ(h.Copy(rows, c.set), CopyOutcome::Failed);
    ASSERT_EQ(h.browsing.boxes.size(), 1u);
    EXPECT_EQ(h.browsing.Texts().front().substr(0, c.message.size()), c.message);
    EXPECT_TRUE(h.browsing.browseTitles.empty());
    EXPECT_EQ(h.Tree(), std::set<std::string>{"work"});
  }
}

TEST(InstallationCopy, FileOneByteShortOfTheBufferIsCopiedWhole) {
  InstallHarness h(kSetsNode);
  const auto rows = h.Rebuild();
  h.browsing.folders = {h.Folder("a")};
  EXPECT_EQ(h.Copy(rows, "EDGE"), CopyOutcome::Copied);
  EXPECT_EQ(h.ReadFile("a/ALMOST.BIN"), h.ServedData("D:\\CL\\INSTALL\\EDGE\\DISK1\\ALMOST.BIN"));
}

TEST(InstallationCopy, UnsafeServerNamesAreRefusedAndTheRestIsCopied) {
  InstallHarness h(kSetsNode);
  const struct {
    const char* raw;    // as the control command writes it
    const char* shown;  // in the message
  } files[] = {
      {"../OUT.TXT", "../OUT.TXT"},
      {"..\\x5COUT.TXT", "..\\OUT.TXT"},
      {"sub/in.txt", "sub/in.txt"},
      {"C:x", "C:x"},
      {"A\\x01B", "A\\x01B"},
      {"NUL\\x00X", "NUL\\x00X"},
      {"TAB\\x09", "TAB\\x09"},
  };
  for (const auto& f : files) h.Command(std::string("rawentry 0 D:\\CL\\INSTALL\\SET\\DISK1 ") + f.raw);
  h.Command("rawentry 1 D:\\CL\\INSTALL\\SET ..\\x5CESCAPE");
  h.Command("rawentry 1 D:\\CL\\INSTALL C:EVIL");

  const auto rows = h.Rebuild();
  EXPECT_EQ(h.browsing.Texts(),
            (std::vector<std::string>{"Недопустимое имя инсталляции с сервера: \"C:EVIL\". Инсталляция пропущена.",
                                      "Недопустимое имя дискеты с сервера: \"..\\ESCAPE\". Дискета пропущена."}));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "SET");
  EXPECT_EQ(rows[0].diskettes, 1u);

  h.browsing.boxes.clear();
  h.browsing.folders = {h.Folder("a")};
  EXPECT_EQ(h.Copy(rows, "SET"), CopyOutcome::Copied);
  std::vector<std::string> expected = {"Недопустимое имя дискеты с сервера: \"..\\ESCAPE\". Дискета пропущена."};
  for (const auto& f : files)
    expected.push_back(std::string("Недопустимое имя файла с сервера: \"") + f.shown + "\". Файл пропущен.");
  expected.push_back("Инсталляция скопирована успешно.");
  EXPECT_EQ(h.browsing.Texts(), expected);
  EXPECT_EQ(h.Tree(), (std::set<std::string>{"work", "a", "a/GOOD.TXT", "a/ALSO.BIN", "a/vt$IVANOV$.inf"}));
  EXPECT_EQ(h.ReadFile("a/GOOD.TXT"), "good\r\n");
  for (const auto& line : h.Requests()) EXPECT_EQ(line.find("OUT.TXT"), std::string::npos) << line;
}

// The server's search lists "." and ".." among a diskette's files; a diskette may hold no file at all.
TEST(InstallationCopy, DotsAreSkippedSilentlyAndAnEmptyDisketteIsStillADiskette) {
  InstallHarness h(R"([USER ADMIN]
PASSWORD=admin
LEVEL=2

[CFG COMMON]
#HOST_NAME=NODE
#CLIENT_DIR=D:\CL\

[FILE D:\CL\INSTALL\SET\DISK1\GOOD.TXT]
TEXT=good

[PATH D:\CL\INSTALL\SET\DISK2]
)");
  // DISK2 answers with no text at all.
  for (const char* dot : {".", ".."}) h.Command(std::string("rawentry 0 D:\\CL\\INSTALL\\SET\\DISK1 ") + dot);
  const auto rows = h.Rebuild();
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].diskettes, 2u);
  h.browsing.folders = {h.Folder("a"), h.Folder("b")};
  EXPECT_EQ(h.Copy(rows, "SET"), CopyOutcome::Copied);
  EXPECT_EQ(h.browsing.Texts(), std::vector<std::string>{"Инсталляция скопирована успешно."});
  EXPECT_EQ(h.browsing.browseTitles.size(), 2u);
  EXPECT_EQ(h.Tree(), (std::set<std::string>{"work", "a", "a/GOOD.TXT", "b", "b/vt$IVANOV$.inf"}));
}

TEST(InstallationCopy, MailboxNameThatIsNoFileNameGetsNoSettingsFile) {
  for (const char* mailbox : {"A/B", "..", "C:X", "A\tB"}) {
    SCOPED_TRACE(mailbox);
    InstallHarness h(kSetsNode);
    h.abonent.mailboxName = mailbox;
    const auto rows = h.Rebuild();
    h.browsing.folders = {h.Folder("a")};
    EXPECT_EQ(h.Copy(rows, "SET"), CopyOutcome::Failed);
    EXPECT_EQ(h.Tree(), (std::set<std::string>{"work", "a", "a/GOOD.TXT", "a/ALSO.BIN"}));
    const std::string shown = std::string(mailbox) == "A\tB" ? "A\\x09B" : mailbox;
    EXPECT_EQ(h.browsing.Texts(), (std::vector<std::string>{"Недопустимое имя абонента для файла настроек: \"" + shown +
                                                                "\". Файл настроек не создан.",
                                                            "Не удалось создать файл конфигурации для инсталляции."}));
  }
}

TEST(TemporaryFolderName, ThirdGroupInSmallLetters) {
  const model::InstallGuid guid{0x0123ABCD, 0xBEEF, 0xCAFE, {0x80, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF}};
  EXPECT_EQ(model::GuidFolderName(guid), "0123ABCDBEEFcafe80010203040506FF");
}

}  // namespace
}  // namespace installtest
