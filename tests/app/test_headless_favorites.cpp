// vtconsole --headless with favourite groups, run as its own process against a
// vtnode-sim process: the groups of [Favorites] are loaded at start-up,
// scanned at once, a group over its threshold prints its alarm message and
// starts its program, and the file is saved unchanged at shutdown.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A child process in `dir` with its output in files.
struct Child {
  pid_t pid = -1;
  std::string out, err;

  static Child Start(const std::vector<std::string>& argv, const fs::path& dir, const std::string& name) {
    Child child;
    child.out = (dir / (name + ".out")).string();
    child.err = (dir / (name + ".err")).string();
    child.pid = fork();
    if (child.pid == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      const int in = open("/dev/null", O_RDONLY);
      const int out = open(child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
    return child;
  }
  int Wait() {
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  void Stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      Wait();
    }
  }
};

// Waits until the file holds `part` (the test's own timeout ends a hang).
void WaitForText(const std::string& path, const std::string& part) {
  while (ReadAll(path).find(part) == std::string::npos) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// RELAY has 80 normal priority files waiting, QUIET none.
const char* const kNode =
    "[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n"
    "[TASK MQUEUE]\nSTATE=1\n\n[TASK ROUTER]\nSTATE=1\n\n"
    "[CFG COMMON]\n#HOST_NAME=NODE1\n#ADDRESS_HOST=C:RU/ADMD:VELTRANE\n#HOST_UID=U-1\n\n"
    "[DIR RELAY]\nKIND=DIRECTION\nPRIORITY=1\nCOUNTS=0,0,0,80,0\n\n"
    "[DIR QUIET]\nKIND=DIRECTION\nPRIORITY=2\n";

class HeadlessFavorites : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("vt_favorites_app_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::ofstream(Path("node.cfg"), std::ios::binary) << kNode;
    // 127.0.0.2: on the loopback but not this machine's own address, so that
    // the console reaches it over TCP.
    sim_ = Child::Start({VTNODE_SIM_PATH, "--listen", "127.0.0.2:0", "--fixture", Path("node.cfg"), "--request-log",
                         Path("requests.log")},
                        dir_, "sim");
    WaitForText(sim_.out, "listening on 127.0.0.2:");
    const std::string out = ReadAll(sim_.out);
    port_ = std::stoi(out.substr(out.find("127.0.0.2:") + 10));
    std::ofstream(Path("pw")) << "admin\n";
    std::ofstream(Path("alert.sh")) << "#!/bin/sh\necho \"$VT_ALERT_TITLE\" > " << Path("alerted") << "\n";
    fs::permissions(Path("alert.sh"), fs::perms::owner_all);
  }
  void TearDown() override {
    sim_.Stop();
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  Child sim_;
  int port_ = 0;
};

TEST_F(HeadlessFavorites, GroupsAreLoadedScannedAndSavedUnchanged) {
  const std::string group = ",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"";
  const std::string config =
      "[COMMON]\r\nPERIOD_VERIFY=5\r\n"
      "[Remote interfaces]\r\nSRV1=127.0.0.2:" +
      std::to_string(port_) +
      "\r\n"
      "[Hosts]\r\nNODE=SRV1\r\n"
      "[Links]\r\n"
      "[Favorites]\r\n"
      "GROUP=\"Links\"" + group + Path("alert.sh") + "\",0,3600,3600,3600,3600,3600\r\n" +
      "FAVORIT=\"Links\",\"NODE\",\"RELAY\"\r\n"
      "FAVORIT=\"Links\",\"GONE\",\"KEPT\"\r\n"
      "GROUP=\"Calm\"" + group + "\",0,3600,3600,3600,3600,3600\r\n" +
      "FAVORIT=\"Calm\",\"NODE\",\"QUIET\"\r\n"
      "FAVORIT=\"Calm\",\"NODE\",\"RELAY\"\r\n";
  std::ofstream(Path("mon.cfg"), std::ios::binary) << config;

  Child console = Child::Start({VTCONSOLE_PATH, "--headless", "--config", Path("mon.cfg"), "--user", "ADMIN",
                                "--password-file", Path("pw"), "--poll-period-ms", "50", "--polls", "1"},
                               dir_, "console");
  ASSERT_EQ(console.Wait(), 0) << ReadAll(console.err);
  const std::string out = ReadAll(console.out);

  // Start-up step: the groups are read after the first poll.
  const size_t loaded = out.find("20Инициализация подсистемы сканирования");
  ASSERT_NE(loaded, std::string::npos) << out;
  EXPECT_EQ(ReadAll(console.err).find("Ошибка чтения параметров групп"), std::string::npos) << ReadAll(console.err);

  // The first scan: both groups hold RELAY, which is over 75 normal files.
  const size_t alarm = out.find("\n01Группа избранных направлений/абонентов");
  ASSERT_NE(alarm, std::string::npos) << out;
  const size_t head = out.rfind("\n17", alarm);
  ASSERT_NE(head, std::string::npos);
  EXPECT_LT(loaded, head);
  EXPECT_EQ(Count(out, "01Группа избранных направлений/абонентов"), 2) << out;
  EXPECT_NE(out.find("01  \"Links\"", alarm), std::string::npos) << out;
  EXPECT_NE(out.find("01  \"Calm\""), std::string::npos) << out;
  EXPECT_EQ(Count(out, "01содержит информацию об ошибках."), 2);

  // The group's program is started with its title.
  WaitForText(Path("alerted"), "Started from Veltrane32 configuration program : ");
  EXPECT_NE(ReadAll(Path("alerted")).find(" - [" + Path("alert.sh") + "]"), std::string::npos);

  // One fetch of the shared entry, one of the other.
  const std::string requests = ReadAll(Path("requests.log"));
  EXPECT_EQ(Count(requests, "QMX_DirGetAttrs Name=\"RELAY\""), 1) << requests;
  EXPECT_EQ(Count(requests, "QMX_DirGetAttrs Name=\"QUIET\""), 1) << requests;

  // Saved at shutdown, byte for byte, the unregistered server's line included.
  EXPECT_NE(out.find("00Сохранение конфигурации ..."), std::string::npos);
  EXPECT_EQ(ReadAll(Path("mon.cfg")), config);
}

}  // namespace
