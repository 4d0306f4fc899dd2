#pragma once
// A simulated node on a free loopback port and the console's services wired
// to it (not started: the computers are registered directly), with
// recording ports. Fixture texts are UTF-8 here.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/FakePorts.h"
#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "core/net/NetworkServices.h"
#include "core/poll/CStatePoller.h"
#include "core/poll/CTaskLists.h"
#include "ports/AlertPort.h"
#include "ports/ViewNotifier.h"
#include "services/ConsoleServices.h"
#include "sim/lib/NodeSimulator.h"

namespace polltest {

inline constexpr const char* kIdentity = "WinComputerName=CONSOLE;FQDN=console.test;IP=10.0.0.9";

class RecordingAlertPort : public ports::AlertPort {
 public:
  std::vector<std::string> calls;  // "stop", "play:PATH", "start:CMD|TITLE"
  void StopSound() override { calls.push_back("stop"); }
  void PlaySound(const std::string& path) override { calls.push_back("play:" + path); }
  void StartProgram(const std::string& commandLine, const std::string& title) override {
    calls.push_back("start:" + commandLine + "|" + title);
  }
};

class RecordingViews : public ports::ViewNotifier {
 public:
  std::vector<std::string> calls;
  void ComputerStateChanged(int i, bool online) override {
    calls.push_back("state " + std::to_string(i) + (online ? " on" : " off"));
  }
  void RightsChanged(int i) override { calls.push_back("rights " + std::to_string(i)); }
  void DisksChanged(int i) override { calls.push_back("disks " + std::to_string(i)); }
  void FoldersChanged(int i) override { calls.push_back("folders " + std::to_string(i)); }
  void ReplicationChanged(int i) override { calls.push_back("replication " + std::to_string(i)); }
  void TasksChanged(int i) override { calls.push_back("tasks " + std::to_string(i)); }
  size_t Count(const std::string& call) const;
};

// A fixture text with the given extra sections; always one administrator
// ADMIN/admin and one user OPERATOR/operator.
std::string NodeText(std::string_view sectionsUtf8);

class PollHarness {
 public:
  // One simulated computer "SRV1" under the mail server "NODE".
  explicit PollHarness(std::string_view sectionsUtf8);
  ~PollHarness();

  // A further computer on an address and port of the caller's choosing,
  // added to NODE's list is not needed: it is polled as a slot of its own.
  void AddComputer(const std::string& name, const std::string& value);
  // Logs on to SRV1 as `user` and stores the logon data as the start-up does.
  void Logon(const std::string& user, const std::string& password);
  void Command(std::string_view line);
  // The harness's own parts as a poller's environment; tests swap single ports.
  core::PollEnvironment Environment();

  core::__RpcClientDescription& Srv1();
  // The message list lines, BEL and code kept, trailing blanks dropped.
  std::vector<std::string> Lines() const;
  // The whole list as one text with the per-line codes dropped ("\n" joined).
  std::string Text() const;
  // Lines of the request log.
  std::vector<std::string> Requests() const;

  std::unique_ptr<sim::NodeSimulator> simulator;
  uint16_t port = 0;
  std::string requestLog;
  testing_fakes::FakeDialogPort dialogs;
  testing_fakes::FixedClock clock;
  RecordingAlertPort alerts;
  RecordingViews views;
  std::unique_ptr<services::ConsoleServices> console;
  // The console's parts under test.
  core::NetworkServices& net;
  core::MessageLog& log;
  core::ProgramSettings& settings;
  core::CTaskLists* tasks;
  core::CStatePoller* poller;
};

// The CP1251 form of a UTF-8 literal.
std::string Cp(std::string_view utf8);
// A file name in a fresh temporary folder of this test process.
std::string TempPath(std::string_view name);

}  // namespace polltest
