#pragma once
// A simulated node "NODE" on computer "SRV1" (loopback TCP), the console's
// services (not started: the computers are registered directly) with a
// task-carrier lookup scripted per test and recording ports, and the host
// services under test. Fixture texts are UTF-8 here.

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FakePorts.h"
#include "core/net/NetworkServices.h"
#include "core/net/TaskCarrierLookup.h"
#include "model/host/HostServices.h"
#include "model/host/VtHostData.h"
#include "services/ConsoleServices.h"
#include "sim/lib/NodeSimulator.h"

namespace hosttest {

// Which computer carries a task, as the task lists would answer it.
class ScriptedCarriers : public core::TaskCarrierLookup {
 public:
  std::map<std::pair<std::string, std::string>, std::string> carriers;
  std::string FindTaskComputer(const std::string& mailServer, const std::string& task) override {
    auto it = carriers.find({mailServer, task});
    return it == carriers.end() ? std::string() : it->second;
  }
};

// The fake dialogs with scripted answers for the questions with own buttons.
class Dialogs : public testing_fakes::FakeDialogPort {
 public:
  std::deque<int> askAnswers;  // empty: the question is a test fault
  std::vector<ports::QuestionRequest> questions;
  int Ask(const ports::QuestionRequest& request) override;
  // The texts shown, in UTF-8 ("box:caption:text", "ask:caption:plain body").
  std::vector<std::string> ShownUtf8() const;
};

// The node used unless a test gives its own sections.
extern const char* const kNodeSections;

class HostHarness {
 public:
  explicit HostHarness(std::string_view sectionsUtf8 = kNodeSections);
  ~HostHarness();

  void Command(std::string_view line);
  core::__VtHostDescription& Node();
  model::VtHostData& Data() { return model::VtHostData::Of(Node()); }
  // The operations received, in order (names only).
  std::vector<std::string> Operations() const;
  // Whole request log lines; Mark() is their present count.
  std::vector<std::string> Requests() const;
  size_t Mark() const { return Requests().size(); }
  // The lines from `mark` on.
  std::vector<std::string> RequestsSince(size_t mark) const;

  std::unique_ptr<sim::NodeSimulator> simulator;
  std::string requestLog;
  ScriptedCarriers carriers;
  std::vector<std::pair<std::string, int>> log;  // message list messages (UTF-8) and codes
  Dialogs dialogs;
  testing_fakes::RecordingProgressPort progress;
  testing_fakes::FixedClock clock;
  std::unique_ptr<services::ConsoleServices> console;
  core::NetworkServices& net;
  model::HostServices& hosts;
};

std::string Cp(std::string_view utf8);
std::string Utf8(std::string_view cp1251);

}  // namespace hosttest
