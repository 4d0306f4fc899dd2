#pragma once
// The host tests' simulated node "NODE" on computer "SRV1" (loopback TCP), here
// with a direction RELAY1 and an abonent IVANOV, and a view that edits through
// a callback. Fixture texts are UTF-8.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostHarness.h"
#include "model/apply/ApplyChanges.h"
#include "model/item/VxItemBase.h"

namespace applytest {

using hosttest::Cp;
using hosttest::Dialogs;
using hosttest::Utf8;

// The direction and abonent view as the apply command sees it.
class FakeView : public model::ApplyView {
 public:
  FakeView(applytest::Dialogs& dialogs, ports::ProgressPort* progress) : dialogs_(dialogs), progress_(progress) {}

  model::_VxItemBase* shown = nullptr;
  std::function<void(model::_VxItemBase&)> edit;  // what the user changed
  bool scan = false;
  bool rights = true;
  bool addressFieldOk = true;
  std::vector<std::string> events;  // "pending", "address page", "check loud", ...
  std::optional<bool> routingChanged;
  std::unique_ptr<model::_VxItemBase> keptInEditor;
  std::vector<std::string> opened;  // stored entries the user asked to open

  model::_VxItemBase* ShownEntry() override { return shown; }
  void TakePendingInput() override { events.push_back("pending"); }
  void GatherInto(model::_VxItemBase& work) override {
    if (edit) edit(work);
  }
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
  void OpenExisting(const std::string& mailboxName) override { opened.push_back(mailboxName); }

 private:
  ports::DialogPort& dialogs_;
  ports::ProgressPort* progress_;
};

// The node used unless a test gives its own sections.
extern const char* const kNodeSections;

// The host tests' node and services, with the view and the record of what an
// apply sent.
class ApplyHarness : public hosttest::HostHarness {
 public:
  explicit ApplyHarness(std::string_view sectionsUtf8 = kNodeSections);

  // An entry of the node as the view would hold it: read from the server, or
  // new (empty name) when `mailbox` is empty.
  std::unique_ptr<model::_VxItemBase> Entry(const std::string& mailbox, bool abonent);
  // Shows `entry` in the view, applies with `edit`, returns the outcome.
  model::ApplyOutcome Apply(model::_VxItemBase& entry, std::function<void(model::_VxItemBase&)> edit);

  // The lines the apply itself sent: after the routing load, before the read-back.
  std::vector<std::string> ApplyCalls() const { return applyCalls; }
  // The operation names the read-back sent.
  std::vector<std::string> ReadBackOperations() const { return readBack; }

  FakeView view;
  std::vector<std::string> applyCalls;
  std::vector<std::string> loadCalls;
  std::vector<std::string> readBack;
};

}  // namespace applytest
