#include <sys/stat.h>

#include "AppFixture.h"
#include "core/ConfigPath.h"

using testing_fakes::AppTest;

TEST(ConfigPath, FromTheCommandLine) {
  struct Case {
    const char* line;
    const char* program;
    const char* path;
  } cases[] = {
      {"", "/opt/vt/vtconsole", "__RemoteHost.Cfg"},
      {"  \t\r\n", "", "__RemoteHost.Cfg"},
      {"\"\"", "", "__RemoteHost.Cfg"},
      {"/opt/vt/vtconsole", "/opt/vt/vtconsole", "__RemoteHost.Cfg"},
      {"\"/opt/vt/vtconsole\" \"my node.cfg\"", "/opt/vt/vtconsole", "my node.cfg"},
      {"/opt/vt/vtconsole node.cfg\r\n", "/opt/vt/vtconsole", "node.cfg"},
      {"node.cfg", "/opt/vt/vtconsole", "node.cfg"},
      {" \"a b.cfg\" ", "", "a b.cfg"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ConfigPathFromCommandLine(c.line, c.program), c.path) << c.line;
}

// Only a regular file ends the missing-file loop: reading a pipe or a device
// as the configuration would never end, and a folder is no file.
TEST_F(AppTest, FoldersAndPipesCountAsMissing) {
  const std::string folder = PathOf("folder.cfg");
  const std::string pipe = PathOf("pipe.cfg");
  std::filesystem::create_directory(folder);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(core::IsExistingRegularFile(folder));
  EXPECT_FALSE(core::IsExistingRegularFile(pipe));
  EXPECT_FALSE(core::IsExistingRegularFile(""));

  for (const auto& path : {folder, pipe}) {
    dialogs = {};
    dialogs.answers = {ports::MsgAnswer::No};
    dialogs.fileAnswers = {std::nullopt};
    auto& application = MakeApp(path);
    EXPECT_FALSE(application.InitInstance()) << path;
    ASSERT_FALSE(dialogs.boxes.empty()) << path;
    EXPECT_NE(text::Cp1251ToUtf8(dialogs.boxes[0].text).find("Не найден конфигурационный файл"), std::string::npos);
  }
}
