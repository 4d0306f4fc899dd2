#pragma once
// A simulated node "NODE" on computer "SRV1" (loopback TCP), the network
// services, a task-carrier lookup scripted per test, recording ports and the
// host services under test. Fixture texts are UTF-8 here.

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
  // Whole request log lines.
  std::vector<std::string> Requests() const;

  std::unique_ptr<sim::NodeSimulator> simulator;
  std::string requestLog;
  ScriptedCarriers carriers;
  core::NetworkServices net;
  std::vector<std::pair<std::string, int>> log;  // message list lines (UTF-8) and codes
  testing_fakes::FakeDialogPort dialogs;
  testing_fakes::RecordingProgressPort progress;
  model::HostServices hosts;
};

std::string Cp(std::string_view utf8);
std::string Utf8(std::string_view cp1251);

}  // namespace hosttest
