#pragma once
// A simulated node "NODE" on computer "SRV1" (loopback TCP) with a direction
// RELAY1 and an abonent IVANOV, the network and host services, scripted
// dialogs and a view that edits through a callback. Fixture texts are UTF-8.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FakePorts.h"
#include "core/net/NetworkServices.h"
#include "core/net/TaskCarrierLookup.h"
#include "model/apply/ApplyChanges.h"
#include "model/host/HostServices.h"
#include "model/item/VxItemBase.h"
#include "sim/lib/NodeSimulator.h"

namespace applytest {

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

// The direction and abonent view as the apply command sees it.
class FakeView : public model::ApplyView {
 public:
  FakeView(applytest::Dialogs& dialogs, ports::ProgressPort* progress) : dialogs_(dialogs), progress_(progress) {}

  model::_VxItemBase* shown = nullptr;
  std::function<void(model::_VxItemBase&)> edit;  // what the user changed
  bool scan = false;
  bool rights = true;
  bool addressFieldOk = true;
  std::vector<std::string> events;  // "busy", "idle", "address page", "check loud", ...
  std::optional<bool> routingChanged;
  std::unique_ptr<model::_VxItemBase> keptInEditor;

  model::_VxItemBase* ShownEntry() override { return shown; }
  void TakePendingInput() override { events.push_back("pending"); }
  void GatherInto(model::_VxItemBase& work) override {
    if (edit) edit(work);
  }
  void EnterBusy() override { events.push_back("busy"); }
  void LeaveBusy() override { events.push_back("idle"); }
  bool ScanRunning() const override { return scan; }
  bool HasAdministratorRights() const override { return rights; }
  std::string NodeName() const override { return "NODE"; }
  bool CheckAddressField(bool withMessage) override {
    events.push_back(withMessage ? "check loud" : "check silent");
    return addressFieldOk;
  }
  void ShowAddressPage() override { events.push_back("address page"); }
  void SetRoutingChanged(bool changed) override { routingChanged = changed; }
  void ShowWorkCopy(const model::_VxItemBase& work) override {
    keptInEditor = std::make_unique<model::_VxItemBase>(work);
  }
  void Redisplay() override { events.push_back("redisplay"); }
  ports::DialogPort& Dialogs() override { return dialogs_; }
  ports::ProgressPort* Progress() override { return progress_; }

 private:
  ports::DialogPort& dialogs_;
  ports::ProgressPort* progress_;
};

extern const char* const kNodeSections;

class ApplyHarness {
 public:
  explicit ApplyHarness(std::string_view sectionsUtf8 = kNodeSections);
  ~ApplyHarness();

  void Command(std::string_view line);
  core::__VtHostDescription& Node();

  // An entry of the node as the view would hold it: read from the server, or
  // new (empty name) when `mailbox` is empty.
  std::unique_ptr<model::_VxItemBase> Entry(const std::string& mailbox, bool abonent);
  // Shows `entry` in the view, applies with `edit`, returns the outcome.
  model::ApplyOutcome Apply(model::_VxItemBase& entry, std::function<void(model::_VxItemBase&)> edit);

  // Request log lines (UTF-8) from `mark` on; Mark() is the present count.
  std::vector<std::string> Requests() const;
  size_t Mark() const { return Requests().size(); }
  std::vector<std::string> RequestsSince(size_t mark) const;
  // The lines the apply itself sent: after the routing load, before the read-back.
  std::vector<std::string> ApplyCalls() const { return applyCalls; }
  // The operation names the read-back sent.
  std::vector<std::string> ReadBackOperations() const { return readBack; }

  std::unique_ptr<sim::NodeSimulator> simulator;
  std::string requestLog;
  ScriptedCarriers carriers;
  core::NetworkServices net;
  std::vector<std::pair<std::string, int>> log;
  Dialogs dialogs;
  testing_fakes::RecordingProgressPort progress;
  model::HostServices hosts;
  FakeView view;
  std::vector<std::string> applyCalls;
  std::vector<std::string> loadCalls;
  std::vector<std::string> readBack;
};

std::string Cp(std::string_view utf8);
std::string Utf8(std::string_view cp1251);

}  // namespace applytest
