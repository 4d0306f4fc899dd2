// The vtnode-sim program as a process: it says where it listens, serves the
// demo node over TCP and the local endpoint, takes control commands, writes the
// request log, stops on SIGTERM with exit 0 and refuses a bad fixture.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcException.h"
#include "sim/lib/ControlChannel.h"
#include "support/ChildProcesses.h"

namespace {

using testing::HasSubstr;

// A child process with its standard output and error in pipes; every wait on
// it is bounded.
class Program {
 public:
  explicit Program(std::vector<std::string> args) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      ::close(out[0]);
      ::close(err[0]);
      std::vector<char*> argv{const_cast<char*>(VTNODE_SIM_PATH)};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(VTNODE_SIM_PATH, argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    ::close(outFd_);
    ::close(errFd_);
  }
  std::string Line() {
    return simtest::ReadUntil(outFd_, [](const std::string& text) { return !text.empty() && text.back() == '\n'; });
  }
  // All of standard error, up to its close.
  std::string Errors() {
    return simtest::ReadUntil(errFd_, [](const std::string&) { return false; });
  }
  void Signal(int signal) { ::kill(pid_, signal); }
  // The exit status, or 128 + the signal that ended it (see WaitForExit).
  int Wait() {
    exited_ = true;
    return testsupport::WaitForExit(pid_);
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int outFd_ = -1;
  int errFd_ = -1;
};

TEST(Program, ServesTheDemoNodeAndStopsOnSigterm) {
  const std::string log = simtest::TempPath("program.log");
  const std::string control = simtest::TempPath("program.ctl");
  const std::string localDir = simtest::TempPath("local");
  ::setenv("VT_RPC_LOCAL_DIR", localDir.c_str(), 1);
  Program program({"--listen", "127.0.0.1:0", "--local", "sim_test_ep", "--request-log", log, "--control", control});
  const std::string line = program.Line();
  const std::string head = "vtnode-sim: listening on 127.0.0.1:";
  ASSERT_EQ(line.rfind(head, 0), 0u) << line;
  const std::string port = line.substr(head.size(), line.find(' ', head.size()) - head.size());
  ASSERT_FALSE(port.empty());
  EXPECT_EQ(port.find_first_not_of("0123456789"), std::string::npos) << line;
  EXPECT_EQ(line.substr(head.size() + port.size()), " local=sim_test_ep control=" + control + "\n");

  rpc::RpcBinding tcp("ncacn_ip_tcp:127.0.0.1[" + port + "]");
  int32_t count = 0;
  rpc::TaskGetCount(tcp, &count);
  EXPECT_EQ(count, 5);

  rpc::RpcBinding local("ncalrpc:[sim_test_ep]");
  EXPECT_EQ(rpc::GetFolderCount(local), 3);

  EXPECT_EQ(sim::SendControlCommand(control, "fault 1783 next"), "ok");
  EXPECT_THAT(sim::SendControlCommand(control, "frobnicate"), HasSubstr("error: unknown command"));
  uint32_t code = 0;
  try {
    rpc::TaskGetCount(tcp, &count);
  } catch (const rpc::RpcException& e) {
    code = e.Code();
  }
  EXPECT_EQ(code, rpc::status::kBadStubData);

  // The program's own client for the control socket.
  Program send({"--send", control, "taskstate", "ZMODEM", "1"});
  EXPECT_EQ(send.Line(), "ok\n");
  EXPECT_EQ(send.Wait(), 0);
  int32_t state = 5;
  rpc::TaskGetState(local, "ZMODEM", &state);
  EXPECT_EQ(state, 1);

  EXPECT_THAT(simtest::ReadLines(log),
              testing::ElementsAre("TaskGetCount", "GetFolderCount", "TaskGetCount", "TaskGetState TaskName=\"ZMODEM\" State=5"));

  program.Signal(SIGTERM);
  EXPECT_EQ(program.Wait(), 0);
  EXPECT_FALSE(std::ifstream(control).good()) << "the control socket is removed";
}

TEST(Program, SigintStopsItToo) {
  Program program({"--listen", "127.0.0.1:0"});
  EXPECT_THAT(program.Line(), HasSubstr("listening on 127.0.0.1:"));
  program.Signal(SIGINT);
  EXPECT_EQ(program.Wait(), 0);
}

TEST(Program, ABadFixtureIsReportedClearly) {
  const std::string path = simtest::TempPath("bad.cfg");
  std::ofstream(path) << "[DIR RELAY1]\nPRIORITY=first\n";
  Program program({"--listen", "127.0.0.1:0", "--fixture", path});
  EXPECT_EQ(program.Wait(), 2);
  EXPECT_EQ(program.Errors(),
            "vtnode-sim: fixture " + path + ": section [DIR RELAY1]: key PRIORITY: \"first\" is not a number\n");
}

TEST(Program, MistakesOnTheCommandLine) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--listen", "localhost"}, {"--listen", "127.0.0.1:70000"}, {"--bogus"},
        {"--fixture"}, {"--send", "/nonexistent/socket", "clear"}}) {
    Program program(args);
    EXPECT_EQ(program.Wait(), 2) << args[0];
    EXPECT_THAT(program.Errors(), HasSubstr("vtnode-sim: ")) << args[0];
  }
  Program help({"--help"});
  EXPECT_THAT(help.Line(), HasSubstr("usage: vtnode-sim"));
  EXPECT_EQ(help.Wait(), 0);
}

}  // namespace
