// The control channel: many short clients one after the other and a client that
// keeps its connection for several commands, each answered once it took effect.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Interface.h"
#include "sim/lib/ControlChannel.h"

namespace {

TEST(ControlChannel, AnswersEveryCommandAfterItTookEffect) {
  simtest::Harness h;
  const std::string path = simtest::TempPath("control.sock");
  h.simulator->ListenControl(path);
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(sim::SendControlCommand(path, "folder 0 " + std::to_string(i)), "ok");
    int32_t files = -1, length = 0;
    char first[1025] = {}, second[1025] = {};
    rpc::GetFolderAt(h.Target(), 0, 1024, &length, first, 1024, &length, second, &files);
    ASSERT_EQ(files, i);
  }

  // One connection, several lines in one write, blank lines ignored.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  const std::string lines = "stateflag\r\n\nnonsense\nmessages IVANOV 9\n";
  ASSERT_EQ(::write(fd, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
  const std::string answers = simtest::ReadUntil(
      fd, [](const std::string& text) { return std::count(text.begin(), text.end(), '\n') == 3; });
  ::close(fd);
  EXPECT_EQ(answers, "ok\nerror: unknown command \"nonsense\"\nok\n");
  h.simulator->WithNode([](sim::SimNode& n) { EXPECT_EQ(n.FindEntry("IVANOV")->messages, 9); });

  h.simulator->Stop();
  EXPECT_THROW(sim::SendControlCommand(path, "clear"), std::runtime_error);
}

TEST(ControlChannel, NodeCommandsChangeWhatTheClientReads) {
  simtest::Harness h;
  h.Command("counters SPB-NODE 1 2 3 4 5 now-60 0 0 0 0 1000");
  int32_t status = -1, rpcErr = -1, c[11];
  rpc::QMX_DirGetQueueCounters(h.Target(), &status, &rpcErr, "SPB-NODE", &c[0], &c[1], &c[2], &c[3], &c[4], &c[5],
                               &c[6], &c[7], &c[8], &c[9], &c[10]);
  EXPECT_EQ(c[0], 1);
  EXPECT_EQ(c[4], 5);
  EXPECT_GT(c[5], 1700000000);  // a time stamp near the moment of the command
  EXPECT_EQ(c[10], 1000);

  h.Command("admin ROOT WinComputerName=OTHER;FQDN=;IP=10.0.0.7");
  char connection[512] = {}, user[512] = {};
  int32_t connectionLength = 0, userLength = 0, unused = 0;
  rpc::GetCurrentAdmin(h.Target(), 511, &connectionLength, connection, 511, &userLength, user, &unused);
  EXPECT_STREQ(user, "ROOT");
  EXPECT_STREQ(connection, "WinComputerName=OTHER;FQDN=;IP=10.0.0.7");
  int32_t level = 0;
  rpc::Logon(h.Target(), 3, "WS", 6, "ADMIN", 6, "admin", &level);
  EXPECT_EQ(level, rpc::access::kAdministratorShared) << "another administrator holds the rights";
  h.Command("admin none");
  rpc::Logon(h.Target(), 3, "WS", 6, "ADMIN", 6, "admin", &level);
  EXPECT_EQ(level, rpc::access::kAdministrator);
}

}  // namespace
