#include "model/item/VxItemBase.h"

#include "text/Strings.h"

namespace model {

_VxItemBase::_VxItemBase() = default;

_VxItemBase::_VxItemBase(ItemServerLookup& lookup, const std::string& mailServerName,
                         const std::string& mailboxName, bool abonent) {
  ItemServerNames names;
  if (!lookup.Find(mailServerName, names)) return;
  Init(mailServerName, mailboxName, names.queueTaskName, names.routerTaskName, names.nodeAddress, abonent);
}

int32_t _VxItemBase::QueryQueueCounters(rpc::CallTarget&, int32_t*, int32_t*, int32_t, const char*,
                                        QueueCounters& counters) {
  counters = {};
  return 0;
}

int _VxItemBase::Init(const std::string& mailServerName_, const std::string& mailboxName_,
                      const std::string& queueTaskName_, const std::string& routerTaskName_,
                      const std::string& nodeAddress_, bool abonent) {
  if (loaded) return 0;
  loaded = 1;
  skipQueueRefresh = 0;
  mailServerName = mailServerName_;
  mailboxName = mailboxName_;
  queueTaskName = queueTaskName_;
  routerTaskName = routerTaskName_;
  isNew = mailboxName.empty() ? 1 : 0;
  kind = kindOnServer = abonent ? 1 : 0;
  priority = 0;
  active = callAtInterval = extraOption = viaLocalFolder = forcedConnection = stateWord = 0;
  passwordSet = optionsChanged = hideFromAddressBook = 0;
  noCallOnArrival = 1;
  passwordHash = kNoPasswordHash;
  mailboxAddress.clear();
  addressBookRecord.clear();
  absAddress.clear();
  note.clear();
  nodeAddress = text::ToUpperAscii(text::TrimView(nodeAddress_));
  routingAddresses = {};
  routingAddressesAsRead = {};
  queueCounters = {};
  return 1;
}

int _VxItemBase::GetParameter(std::string_view name, std::string& value) const {
  for (const auto& p : parameters) {
    if (text::EqualsNoCaseAscii(p.name, name)) {
      value = p.value;
      return 1;
    }
  }
  value.clear();
  return 0;
}

int _VxItemBase::SetParameter(std::string_view name, const std::string& value) {
  for (auto& p : parameters) {
    if (text::EqualsNoCaseAscii(p.name, name)) {
      p.value = value;
      return 1;
    }
  }
  return 0;
}

int _VxItemBase::RemoveParameter(std::string_view name) {
  for (auto it = parameters.begin(); it != parameters.end(); ++it) {
    if (text::EqualsNoCaseAscii(it->name, name)) {
      parameters.erase(it);
      return 1;
    }
  }
  return 0;
}

bool _VxItemBase::GetFirstRoutingAddress(std::string& address, int& level) const {
  for (int l = 0; l < kLevelCount; ++l) {
    const auto& list = routingAddresses[static_cast<size_t>(l)];
    if (!list.empty()) {
      address = list.front();
      level = l;
      return true;
    }
  }
  address.clear();
  level = -1;
  return false;
}

}  // namespace model
