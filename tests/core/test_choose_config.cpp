#include "AppFixture.h"
#include "core/DefaultConfigText.h"

using ports::MsgAnswer;
using testing_fakes::AppTest;

namespace {

const char* kMissing = "box:Вопрос:\nНе найден конфигурационный файл \"%s\"!\n\nСоздать новый конфигурационный файл?\n\n";
const char* kOverwrite = "box:Вопрос:\nПерезаписать конфигурационный файл \"%s\"!\n\n";
const char* kCannotWrite = "box:Ошибка:\nНе удалось перезаписать конфигурационный файл \"%s\"!\n\n";
const char* kSaveTitle = "save:Новый конфигурационный файл:%s";
const char* kOpenTitle = "open:Укажите конфигурационный файл:%s";

std::string F(const char* format, const std::string& path) { return text::Format(format, path.c_str()); }

}  // namespace

TEST_F(AppTest, MissingFileLoop) {
  const std::string missing = PathOf("missing.cfg");
  const std::string fresh = PathOf("fresh.cfg");
  const std::string existing = PathOf("existing.cfg");
  const std::string noFolder = PathOf("no/such/folder.cfg");
  const std::string oldText = "[COMMON]\r\nPERIOD_VERIFY=30\r\n";

  struct Case {
    const char* what;
    std::vector<MsgAnswer> answers;
    std::vector<std::optional<std::string>> files;
    bool result;
    std::string finalPath;
    std::vector<std::string> shown;
    std::string existingAfter;  // the content of existing.cfg afterwards
    bool freshWritten;
    std::vector<std::string> edited;
  } cases[] = {
      {"No, then the open dialog is cancelled: nothing written",
       {MsgAnswer::No}, {std::nullopt}, false, missing,
       {F(kMissing, missing), F(kOpenTitle, missing)}, oldText, false, {}},
      {"No, then an existing file is chosen",
       {MsgAnswer::No}, {existing}, true, existing,
       {F(kMissing, missing), F(kOpenTitle, missing)}, oldText, false, {}},
      {"Yes, then the save dialog is cancelled",
       {MsgAnswer::Yes}, {std::nullopt}, false, missing,
       {F(kMissing, missing), F(kSaveTitle, missing)}, oldText, false, {}},
      {"Yes, a new name: the default text is written and edited",
       {MsgAnswer::Yes}, {fresh}, true, fresh,
       {F(kMissing, missing), F(kSaveTitle, missing)}, oldText, true, {"edit " + fresh}},
      {"Yes on an existing file, No: that file is used as it is",
       {MsgAnswer::Yes, MsgAnswer::No}, {existing}, true, existing,
       {F(kMissing, missing), F(kSaveTitle, missing), F(kOverwrite, existing)}, oldText, false, {}},
      {"Yes on an existing file, Cancel: start-up ends, the file stays",
       {MsgAnswer::Yes, MsgAnswer::Cancel}, {existing}, false, existing,
       {F(kMissing, missing), F(kSaveTitle, missing), F(kOverwrite, existing)}, oldText, false, {}},
      {"Yes on an existing file, Yes: it is overwritten",
       {MsgAnswer::Yes, MsgAnswer::Yes}, {existing}, true, existing,
       {F(kMissing, missing), F(kSaveTitle, missing), F(kOverwrite, existing)}, core::DefaultConfigText(), false,
       {"edit " + existing}},
      {"the new file cannot be created: reported, whatever the answer",
       {MsgAnswer::Yes, MsgAnswer::Yes}, {noFolder}, false, noFolder,
       {F(kMissing, missing), F(kSaveTitle, missing), F(kCannotWrite, noFolder)}, oldText, false, {}},
      {"a chosen path that is missing too asks again",
       {MsgAnswer::No, MsgAnswer::No}, {fresh, std::nullopt}, false, fresh,
       {F(kMissing, missing), F(kOpenTitle, missing), F(kMissing, fresh), F(kOpenTitle, fresh)}, oldText, false, {}},
  };

  for (const auto& c : cases) {
    std::filesystem::remove(fresh);
    WriteFile(existing, oldText);
    dialogs = {};
    for (auto a : c.answers) dialogs.answers.push_back(a);
    for (const auto& f : c.files) dialogs.fileAnswers.push_back(f);
    hooks.calls.clear();
    auto& application = MakeApp("");

    std::string path = missing;
    EXPECT_EQ(application.ChooseConfigFile(path), c.result) << c.what;
    EXPECT_EQ(path, c.finalPath) << c.what;
    std::vector<std::string> shown;
    for (const auto& s : dialogs.shown) shown.push_back(text::Cp1251ToUtf8(s));
    EXPECT_EQ(shown, c.shown) << c.what;
    EXPECT_TRUE(dialogs.answers.empty() && dialogs.fileAnswers.empty()) << c.what << ": script not used up";
    EXPECT_EQ(ReadFile(existing), c.existingAfter) << c.what;
    EXPECT_EQ(std::filesystem::exists(fresh), c.freshWritten) << c.what;
    if (c.freshWritten) {
      EXPECT_EQ(ReadFile(fresh), core::DefaultConfigText()) << c.what;
    }
    EXPECT_EQ(hooks.calls, c.edited) << c.what;
    EXPECT_FALSE(std::filesystem::exists(missing)) << c.what;
  }
}

TEST_F(AppTest, MissingFileDialogsCarryTheirFlagsAndFilter) {
  dialogs.answers = {MsgAnswer::Yes, MsgAnswer::No};
  dialogs.fileAnswers = {std::nullopt, std::nullopt};
  auto& application = MakeApp("");
  std::string path = PathOf("missing.cfg");
  EXPECT_FALSE(application.ChooseConfigFile(path));  // Yes, save cancelled
  path = PathOf("missing.cfg");
  EXPECT_FALSE(application.ChooseConfigFile(path));  // No, open cancelled

  ASSERT_EQ(dialogs.boxes.size(), 2u);
  for (const auto& box : dialogs.boxes) {
    EXPECT_EQ(box.icon, ports::MsgIcon::Question);
    EXPECT_EQ(box.buttons, ports::MsgButtons::YesNo);
    EXPECT_TRUE(box.systemModal);
  }
  ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
  for (const auto& d : dialogs.fileDialogs) {
    EXPECT_EQ(text::Cp1251ToUtf8(d.filter), "Конфигурационные файлы (*.Cfg)|*.Cfg|Все файлы (*.*)|*.*||");
    EXPECT_EQ(d.defaultExtension, "Cfg");
    EXPECT_EQ(d.initialPath, path);
  }
  EXPECT_FALSE(dialogs.fileDialogs[0].mustExist) << "save dialog";
  EXPECT_TRUE(dialogs.fileDialogs[1].mustExist) << "open dialog";
}

TEST_F(AppTest, StartUpWithoutAFileAsksAndWritesNothingWhenRefused) {
  std::filesystem::current_path(dir_);
  dialogs.answers = {MsgAnswer::No};
  dialogs.fileAnswers = {std::nullopt};
  auto& application = MakeApp("");
  EXPECT_FALSE(application.InitInstance());
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(text::Cp1251ToUtf8(dialogs.shown[0]), F(kMissing, "__RemoteHost.Cfg"));
  application.ExitInstance();
  EXPECT_TRUE(Files().empty()) << "nothing written";
}

TEST_F(AppTest, StartUpCreatesTheDefaultFileAndRunsOnIt) {
  std::filesystem::current_path(dir_);
  dialogs.answers = {MsgAnswer::Yes};
  dialogs.fileAnswers = {std::string("__RemoteHost.Cfg")};
  auto& application = MakeApp("");
  ASSERT_TRUE(application.InitInstance());
  EXPECT_EQ(ReadFile(PathOf("__RemoteHost.Cfg")), core::DefaultConfigText());
  EXPECT_EQ(application.Settings().periodVerify, 10u);
  EXPECT_TRUE(application.Settings().splashWindowDisable);
  application.ExitInstance();
}
