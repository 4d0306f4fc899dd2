// The desktop program run as a process (offscreen): a stop signal ends it
// whatever waits, and it ends with the same codes and standard-error lines
// as the headless program.

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcesses.h"

#ifdef VT_HAVE_DESKTOP

namespace {

namespace fs = std::filesystem;
using testsupport::Child;
using testsupport::ReadAll;

class DesktopProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::FreshTestDir("vt_desktop_");
    // The child's windows draw nowhere and its profile stays in the test's folder.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    fs::create_directories(dir_ / "runtime");
    fs::permissions(dir_ / "runtime", fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (dir_ / "runtime").c_str(), 1);
  }
  void TearDown() override {
    sim_.Stop();
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  Child sim_;
};

// With the missing-file question open, SIGTERM ends the program: nothing is
// created and nothing is reported as a failure.
TEST_F(DesktopProgram, AStopSignalDuringTheMissingFileQuestionEndsItWithoutAFile) {
  Child console = Child::Start({VTCONSOLE_PATH, Path("missing.cfg")}, dir_, "console");
  // The question comes before any network; the signal finds it open or
  // arrives just before it, and the outcome is the same.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  kill(console.pid, SIGTERM);
  EXPECT_EQ(testsupport::WaitForExit(console.pid, std::chrono::seconds(20)), 0) << ReadAll(console.err);
  console.pid = -1;
  EXPECT_FALSE(fs::exists(Path("missing.cfg")));
}

// A configuration file that cannot be saved at the end: exit code 7 and the
// reason on standard error, as headless.
TEST_F(DesktopProgram, AFileThatCannotBeSavedIsTheExitCode) {
  const int port = testsupport::StartNodeSimulator(VTNODE_SIM_PATH, {"--request-log", Path("requests.log")}, dir_, sim_);
  ASSERT_GT(port, 0);
  std::ofstream(Path("pw")) << "admin\n";
  std::ofstream(Path("ro.cfg"), std::ios::binary)
      << "[COMMON]\r\nPERIOD_VERIFY=3600\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n[Remote interfaces]\r\nSRV1=127.0.0.2:" << port
      << "\r\n[Hosts]\r\nNODE=SRV1\r\n";
  fs::permissions(Path("ro.cfg"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = ReadAll(Path("ro.cfg"));
  Child console = Child::Start(
      {VTCONSOLE_PATH, Path("ro.cfg"), "--user", "ADMIN", "--password-file", Path("pw")}, dir_, "console");
  // The start-up's second poll: the favourites are loaded by then.
  ASSERT_TRUE(testsupport::WaitForText(Path("requests.log"), "GetStateFlag"));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  kill(console.pid, SIGTERM);
  EXPECT_EQ(testsupport::WaitForExit(console.pid, std::chrono::seconds(20)), 7);
  console.pid = -1;
  const std::string err = ReadAll(console.err);
  EXPECT_NE(err.find("vtconsole: the configuration file \"" + Path("ro.cfg") + "\" was not saved: "), std::string::npos)
      << err;
  EXPECT_EQ(ReadAll(Path("ro.cfg")), before);
  EXPECT_NE(ReadAll(Path("requests.log")).find("\nLogoff "), std::string::npos);
}

}  // namespace

#endif
