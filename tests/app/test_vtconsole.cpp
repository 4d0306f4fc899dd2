// The built program, run as a process: options, files and exit codes.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Sha256.h"
#include "support/ChildProcesses.h"

namespace {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class VtConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / ("vt_app_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Runs vtconsole with `args` in the test's folder; standard input is empty.
  ProcessResult Start(const std::vector<std::string>& args) const {
    const std::string outPath = PathOf(".stdout"), errPath = PathOf(".stderr");
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(126);
      const int in = open("/dev/null", O_RDONLY);
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      std::vector<char*> argv{const_cast<char*>(VTCONSOLE_PATH)};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(VTCONSOLE_PATH, argv.data());
      _exit(127);
    }
    ProcessResult run;
    run.exitCode = testsupport::WaitForExit(pid);
    run.out = ReadAll(outPath);
    run.err = ReadAll(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
  }

  std::filesystem::path dir_;
};

constexpr const char* kDefaultSha = "afe9581202150a6377d2256b07a43093986a439ff70222b48180388f4c489d0d";

}  // namespace

TEST_F(VtConsole, CreateConfigWritesTheDefaultTextOnce) {
  const std::string path = PathOf("new.cfg");
  ProcessResult run = Start({"--headless", "--create-config", path});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string written = ReadAll(path);
  EXPECT_EQ(written.size(), 2472u);
  EXPECT_EQ(testing_fakes::Sha256Hex(written), kDefaultSha);

  std::ofstream(path, std::ios::binary | std::ios::trunc) << "mine";
  run = Start({"--headless", "--create-config", path});
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll(path), "mine") << "refused without --force";

  run = Start({"--headless", "--create-config=" + path, "--force"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(testing_fakes::Sha256Hex(ReadAll(path)), kDefaultSha);
}

TEST_F(VtConsole, HeadlessRunPrintsStartUpAndShutdown) {
  const std::string path = PathOf("node.cfg");
  ASSERT_EQ(Start({"--create-config", path}).exitCode, 0);
  const ProcessResult run = Start({"--headless", "--config", path, "--polls", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.find('\x07'), std::string::npos) << "no BEL bytes on the terminal";

  const auto lines = SplitLines(run.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "13Старт ...");
  const std::vector<std::string> expectedInOrder = {
      "05Инициализация Sockets Library ...", "03Идентификация в сети:", "18Инициализация подистемы обработки",
      "00Загрузка конфигурации ...",          "08  OK.",               "13Проверка подсистем сканирования",
      "01Стоп ...",                           "00Сохранение конфигурации ...", "05Деинициализация Sockets Library ...",
  };
  auto at = lines.begin();
  for (const auto& expected : expectedInOrder) {
    at = std::find(at, lines.end(), expected);
    ASSERT_NE(at, lines.end()) << "missing or out of order: " << expected << "\n" << run.out;
  }
  EXPECT_EQ(lines.back(), "01  OK.");
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(VtConsole, HeadlessRunWithoutTheFileNamesItAndTheOptionThatCreatesIt) {
  const std::string path = PathOf("absent.cfg");
  const ProcessResult run = Start({"--headless", "--config", path, "--polls", "0"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("\"" + path + "\" not found"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--create-config"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(path));

  // A folder where the file should be is named as what it is.
  const std::string folder = PathOf("folder.cfg");
  std::filesystem::create_directory(folder);
  const ProcessResult onFolder = Start({"--headless", "--config", folder, "--polls", "0"});
  EXPECT_EQ(onFolder.exitCode, 3);
  EXPECT_NE(onFolder.err.find("\"" + folder + "\" is a folder, not a file"), std::string::npos) << onFolder.err;

  // Without --config the default name in the current folder is meant.
  const ProcessResult bare = Start({"--headless"});
  EXPECT_EQ(bare.exitCode, 3);
  EXPECT_NE(bare.err.find("__RemoteHost.Cfg"), std::string::npos) << bare.err;
}

TEST_F(VtConsole, MessageBoxesGoToStandardErrorInUtf8) {
  const std::string path = PathOf("p.cfg");
  std::ofstream(path, std::ios::binary) << "[COMMON]\r\nPERIOD_VERIFY=3\r\n";
  const ProcessResult run = Start({"--headless", "--config", path, "--polls", "0"});
  EXPECT_EQ(run.exitCode, 0) << "a refused value is no failure: " << run.err;
  EXPECT_NE(run.err.find("[Ошибка] Для параметра \"PERIOD_VERIFY\" из секции \"COMMON\""), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("задано значение 3 меньше допустимого мининмального значения 5"), std::string::npos);
}

TEST_F(VtConsole, AStartUpFailureEndsWithItsReasonAndExitCode) {
  // A path too long for the configuration file's lock: the file is there but
  // cannot be opened as a configuration.
  std::filesystem::path deep = dir_;
  for (int i = 0; i < 5; ++i) deep /= std::string(220, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  const std::string path = (deep / "node.cfg").string();
  ASSERT_EQ(Start({"--create-config", path}).exitCode, 0);

  const ProcessResult run = Start({"--headless", "--config", path, "--polls", "0"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Ошибка открытия конфигурационного файла"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("start-up failed"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("00Загрузка конфигурации ..."), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("08  OK."), std::string::npos) << run.out;
}

TEST_F(VtConsole, MalformedCommandLinesAreRefusedClearly) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--headless", "--bogus"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--headless", "--config"}, "option '--config' needs a value (PATH)"},
      {{"--headless", "--config", "--force"}, "option '--config' needs a value (PATH)"},
      {{"--create-config="}, "option '--create-config' needs a value (PATH)"},
      {{"--headless=yes"}, "option '--headless' takes no value"},
      {{"--headless", "a.cfg", "b.cfg"}, "more than one configuration file"},
      {{"--force", "--headless"}, "--force is only used with --create-config"},
      {{"--demo", "--headless"}, "--demo writes its own configuration"},
      {{"--polls", "3"}, "are used with --headless"},
  };
  for (const auto& c : cases) {
    const ProcessResult run = Start(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

TEST_F(VtConsole, HelpDocumentsOptionsAndExitCodes) {
  const ProcessResult run = Start({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* part : {"--headless", "--config PATH", "--create-config PATH", "--force", "Exit codes:", "  3  "})
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
}
