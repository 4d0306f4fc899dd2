#pragma once
// The network services wired to recording ports, and simulated nodes started
// in-process on free loopback ports. Texts are written in UTF-8 here and
// turned into CP1251 where they meet the code under test.

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/net/LocalMachine.h"
#include "core/net/NetworkServices.h"
#include "ports/DialogPort.h"
#include "ports/ViewNotifier.h"
#include "sim/lib/NodeSimulator.h"
#include "text/Cp1251.h"

namespace nettest {

inline std::string Cp(std::string_view utf8) { return text::Cp(utf8); }

// The identity this console sends in the tests.
inline const std::string kIdentity = "WinComputerName=WS;FQDN=ws.lan;IP=10.0.0.7";

// One log line as the services wrote it: text (UTF-8) and code.
using LogEntry = std::pair<std::string, int>;

class ScriptedDialogs : public ports::DialogPort {
 public:
  std::vector<ports::MessageBoxRequest> boxes;
  std::vector<ports::QuestionRequest> questions;
  std::vector<ports::LogonRequest> logons;
  std::deque<int> askAnswers;                              // for Ask, in order
  std::deque<std::optional<ports::LogonAnswer>> logonAnswers;  // for Logon, in order

  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override {
    boxes.push_back(request);
    return ports::MsgAnswer::Ok;
  }
  void ShowRichMessage(const std::string&, const ports::RichText&) override {}
  int Ask(const ports::QuestionRequest& request) override {
    questions.push_back(request);
    if (askAnswers.empty()) throw std::logic_error("unscripted question");
    const int answer = askAnswers.front();
    askAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> SaveFile(const ports::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> OpenFile(const ports::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest& request) override {
    logons.push_back(request);
    if (logonAnswers.empty()) throw std::logic_error("unscripted logon dialog");
    auto answer = logonAnswers.front();
    logonAnswers.pop_front();
    return answer;
  }
};

class RecordingNotifier : public ports::NullViewNotifier {
 public:
  std::vector<std::pair<int, bool>> states;
  std::vector<int> rights;
  void ComputerStateChanged(int index, bool online) override { states.emplace_back(index, online); }
  void RightsChanged(int index) override { rights.push_back(index); }
};

// A node with an administrator, a second administrator and an operator.
inline sim::Node Users() {
  sim::Node node;
  node.users = {{"ADMIN", "adm", 2}, {"CHIEF", "chief", 2}, {"OPER", "op", 1}};
  return node;
}

// A simulator on a loopback port; Restart brings it back on the same port.
class SimNode {
 public:
  explicit SimNode(sim::Node node = Users()) : node_(node) {
    simulator_ = std::make_unique<sim::NodeSimulator>(std::move(node));
    port_ = simulator_->ListenTcp("127.0.0.1", 0);
  }
  void Stop() { simulator_.reset(); }
  void Restart() {
    simulator_ = std::make_unique<sim::NodeSimulator>(node_);
    simulator_->ListenTcp("127.0.0.1", port_);
  }
  sim::NodeSimulator& operator*() { return *simulator_; }
  sim::NodeSimulator* operator->() { return simulator_.get(); }
  uint16_t Port() const { return port_; }
  std::string Entry() const { return "127.0.0.1:" + std::to_string(port_); }
  void Command(std::string_view line) { ASSERT_EQ(simulator_->Command(line), "ok") << line; }

 private:
  sim::Node node_;
  std::unique_ptr<sim::NodeSimulator> simulator_;
  uint16_t port_ = 0;
};

// The services with every port recorded; no address counts as this machine
// unless a test says so (the loopback address may resolve as the host's own).
class NetTest : public ::testing::Test {
 protected:
  NetTest() {
    net.SetLog([this](const std::string& text, int code) { log.emplace_back(text::Cp1251ToUtf8(text), code); });
    net.SetDialogs(&dialogs);
    net.SetNotifier(&notifier);
    net.SetIdentity([] { return kIdentity; });
    net.SetTimeouts(std::chrono::milliseconds(2000), std::chrono::milliseconds(5000));
    net.Computers().SetLocalTest([](const std::string&) { return false; });
  }

  // Registers a computer and returns its record.
  core::__RpcClientDescription& Computer(const std::string& name, const std::string& value) {
    EXPECT_EQ(net.RegisterComputer(name, Cp(value)), 0);
    core::__RpcClientDescription* computer = net.FindComputer(name);
    if (!computer) throw std::logic_error("not registered: " + name);
    return *computer;
  }

  ScriptedDialogs dialogs;
  RecordingNotifier notifier;
  core::NetworkServices net;
  std::vector<LogEntry> log;
};

}  // namespace nettest
