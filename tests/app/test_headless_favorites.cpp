// vtconsole --headless with favourite groups, run as its own process against a
// vtnode-sim process: the groups of [Favorites] are loaded at start-up,
// scanned at once, a group over its threshold prints its alarm message and
// starts its program, and the file is saved unchanged at shutdown.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/ChildProcesses.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Child;
using testsupport::Count;
using testsupport::ReadAll;
using testsupport::WaitForText;

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
    dir_ = testsupport::FreshTestDir("vt_favorites_app_");
    std::ofstream(Path("node.cfg"), std::ios::binary) << kNode;
    port_ = testsupport::StartNodeSimulator(VTNODE_SIM_PATH, {"--fixture", Path("node.cfg"), "--request-log",
                                                              Path("requests.log")},
                                            dir_, sim_);
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
