// What stands at the configuration path when it is not a usable file: the
// headless program's words and the desktop's message-list line.

#include <sys/stat.h>
#include <unistd.h>

#include "AppFixture.h"
#include "core/ConfigPath.h"

using testing_fakes::AppTest;

TEST_F(AppTest, TheKindOfAPathIsToldApart) {
  const std::string file = PathOf("a.cfg"), folder = PathOf("folder.cfg"), pipe = PathOf("pipe.cfg");
  WriteFile(file, "[COMMON]\r\n");
  std::filesystem::create_directory(folder);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_EQ(symlink("a.cfg", PathOf("link.cfg").c_str()), 0);
  ASSERT_EQ(symlink("folder.cfg", PathOf("folderlink.cfg").c_str()), 0);
  ASSERT_EQ(symlink("gone.cfg", PathOf("dangling.cfg").c_str()), 0);
  ASSERT_EQ(symlink("loop.cfg", PathOf("loop.cfg").c_str()), 0);

  using core::PathKind;
  struct Case {
    std::string path;
    PathKind kind;
    std::string problem;  // the headless program's words
    std::string note;     // the message-list line, UTF-8
  } cases[] = {
      {file, PathKind::RegularFile, "", ""},
      {PathOf("link.cfg"), PathKind::RegularFile, "", ""},
      {PathOf("missing.cfg"), PathKind::Missing, "not found", ""},
      {PathOf("dangling.cfg"), PathKind::Missing, "not found", ""},
      {"", PathKind::Missing, "not found", ""},
      {folder, PathKind::Folder, "is a folder, not a file", "\"" + folder + "\" - папка, а не конфигурационный файл."},
      {PathOf("folderlink.cfg"), PathKind::Folder, "is a folder, not a file",
       "\"" + PathOf("folderlink.cfg") + "\" - папка, а не конфигурационный файл."},
      {pipe, PathKind::OtherFile, "is not a regular file (a pipe, device or socket)",
       "\"" + pipe + "\" - не обычный файл, а канал, устройство или сокет."},
      {file + "/x.cfg", PathKind::Unreachable, "cannot be reached: Not a directory",
       "Нет доступа к \"" + file + "/x.cfg\": Not a directory."},
      {PathOf("loop.cfg"), PathKind::Unreachable, "cannot be reached: Too many levels of symbolic links",
       "Нет доступа к \"" + PathOf("loop.cfg") + "\": Too many levels of symbolic links."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::KindOfPath(c.path), c.kind) << c.path;
    EXPECT_EQ(core::IsExistingRegularFile(c.path), c.kind == PathKind::RegularFile) << c.path;
    EXPECT_EQ(core::PathKindProblem(c.path), c.problem) << c.path;
    EXPECT_EQ(text::Cp1251ToUtf8(core::PathKindNote(c.path)), c.note) << c.path;
  }
}

// The question keeps its words ("not found"); the message list says what is
// there instead.
TEST_F(AppTest, AFolderAtTheConfigPathIsNamedInTheMessageList) {
  const std::string folder = PathOf("folder.cfg");
  std::filesystem::create_directory(folder);
  dialogs.answers = {ports::MsgAnswer::No};
  dialogs.fileAnswers = {std::nullopt};
  auto& application = MakeApp(folder);
  EXPECT_FALSE(application.InitInstance());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_NE(text::Cp1251ToUtf8(dialogs.boxes[0].text).find("Не найден конфигурационный файл"), std::string::npos);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "06\"" + folder + "\" - папка, а не конфигурационный файл."), 1)
      << testing::PrintToString(lines);

  // A path where nothing stands adds no such line.
  lines.clear();
  dialogs = {};
  dialogs.answers = {ports::MsgAnswer::No};
  dialogs.fileAnswers = {std::nullopt};
  auto& again = MakeApp(PathOf("missing.cfg"));
  EXPECT_FALSE(again.InitInstance());
  for (const std::string& line : lines) EXPECT_EQ(line.find("папка"), std::string::npos) << line;
}
