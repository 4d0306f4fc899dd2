#pragma once
// The apply command of the direction and abonent view: validates the edited
// entry, writes it to the Router and then to the queue manager, and reads it
// back. The view supplies what only it knows through ApplyView.
//
//   class CViewAbonent : public model::ApplyView { ... };
//   model::ApplyChanges(view, net, hosts, gate);

#include <string>

namespace core {
class NetworkServices;
class OperationGate;
}  // namespace core
namespace ports {
class DialogPort;
class ProgressPort;
}  // namespace ports

namespace model {

class _VxItemBase;
class HostServices;

class ApplyView {
 public:
  virtual ~ApplyView() = default;

  // The shown entry: the state last read from or written to the server; null
  // when the view shows none.
  virtual _VxItemBase* ShownEntry() = 0;
  // Ends any edit in progress, so that its value is taken.
  virtual void TakePendingInput() = 0;
  // Writes every page's fields into the work copy.
  virtual void GatherInto(_VxItemBase& work) = 0;
  // A scan of server data is running.
  virtual bool ScanRunning() const = 0;
  // This console holds administrator rights on the node.
  virtual bool HasAdministratorRights() const = 0;
  virtual std::string NodeName() const = 0;
  // The check of the abonent's address field; `withMessage` false: silent.
  virtual bool CheckAddressField(bool withMessage) = 0;
  virtual void ShowAddressPage() = 0;
  virtual void SetRoutingChanged(bool changed) = 0;
  // Shows the work copy in the editor without making it the shown entry
  // (the command left before anything was sent).
  virtual void ShowWorkCopy(const _VxItemBase& work) = 0;
  // Shows the shown entry again on every page.
  virtual void Redisplay() = 0;
  virtual ports::DialogPort& Dialogs() = 0;
  // Null: no progress window.
  virtual ports::ProgressPort* Progress() = 0;
  // The user asked to open the stored entry whose name a new one took.
  virtual void OpenExisting(const std::string& /*mailboxName*/) {}
};

enum class ApplyOutcome {
  kNothing,       // no entry shown
  kRefused,       // channel busy, rights, scan, stale entry, routing load or validation: nothing sent
  kKeptInEditor,  // the user stopped after validation: nothing sent, the editor keeps the input
  kNameTaken,     // a new entry under the name of a stored one: nothing sent, the editor keeps the input
  kRouterFailed,  // the Router half failed; the queue manager half did not run
  kQueueFailed,   // the Router half succeeded, the queue manager half failed
  kApplied,
};

// The text shown when the last refresh of the entry failed (CP1251).
std::string StaleEntryText(const std::string& mailboxName);

// Holds `gate` from the first question to the last call: no poll or scan
// enters while one of its boxes is open.
ApplyOutcome ApplyChanges(ApplyView& view, core::NetworkServices& net, HostServices& hosts, core::OperationGate& gate);

// The question when a new entry takes the name of a stored one (CP1251).
std::string NameTakenText(const std::string& mailboxName, const std::string& nodeName);

// The refusal shown without administrator rights on the node (CP1251).
std::string NoRightsText(const std::string& nodeName);

}  // namespace model
