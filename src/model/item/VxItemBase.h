#pragma once
// One directory entry of a mail server, a direction or an abonent, as the
// console holds and edits it: the queue manager's directory entry (options,
// link parameters, schedule, queue counters), the Router's routing addresses
// per level and, for an abonent, its named parameters. Text is CP1251.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/item/NotCopied.h"
#include "model/item/OrAddress.h"
#include "model/schedule/TempModeFrame.h"

namespace ports {
class DialogPort;
}
namespace rpc {
class CallTarget;
}

namespace model {

class ItemArchive;

// What construction from a mail server name needs from the registries: the
// names of its MQUEUE and ROUTER task interfaces and the node's own address
// ("#ADDRESS_HOST" of its host description).
struct ItemServerNames {
  std::string queueTaskName;
  std::string routerTaskName;
  std::string nodeAddress;
};

class ItemServerLookup {
 public:
  virtual ~ItemServerLookup() = default;
  // False when the mail server is not registered. A value that cannot be
  // obtained is given as kNoData.
  virtual bool Find(const std::string& mailServerName, ItemServerNames& names) = 0;
};

// Stands for a task name or node address that could not be obtained.
inline constexpr std::string_view kNoData = " *** no data ***";

// The eleven queue counters, in field order.
namespace counter {
enum : size_t {
  kAbsoluteFiles = 0,
  kHighFiles,
  kReportFiles,
  kNormalFiles,
  kLowFiles,
  kLastLinkSetup,  // local wall-clock time stamp, like the five ages
  kAbsoluteAge,
  kHighAge,
  kReportAge,
  kNormalAge,
  kLowAge,
  kCount
};
}  // namespace counter
using QueueCounters = std::array<uint32_t, counter::kCount>;

using RoutingLists = std::array<std::vector<std::string>, kLevelCount>;

class _VxItemBase {
 public:
  struct CAbonentParameter {
    std::string name;   // as written, e.g. "#FULLNAME"; looked up case-insensitively
    std::string value;
    bool operator==(const CAbonentParameter&) const = default;
  };

  static constexpr uint32_t kNoPasswordHash = 13;
  static constexpr size_t kQueueWorkBuffer = 0x80000;
  static constexpr int32_t kRouterWorkBuffer = 32768;

  _VxItemBase();
  // Looks the mail server up; an unregistered one leaves the entry not loaded.
  _VxItemBase(ItemServerLookup& lookup, const std::string& mailServerName, const std::string& mailboxName,
              bool abonent);
  // Copies every field except the snapshot lists, which the copy starts
  // without (they are NotCopied). A move is a copy.
  _VxItemBase(const _VxItemBase&) = default;
  _VxItemBase& operator=(const _VxItemBase&) = default;
  virtual ~_VxItemBase() = default;
  // Every field equal, the snapshot lists included.
  bool operator==(const _VxItemBase&) const = default;

  // Fills the eleven counters; here it only clears them and returns 0.
  virtual int32_t QueryQueueCounters(rpc::CallTarget& target, int32_t* status, int32_t* rpcErr, int32_t nameSize,
                                     const char* name, QueueCounters& counters);
  virtual bool IsLoaded() const { return loaded != 0; }

  // Loads the entry once: 1, or 0 when it was already loaded.
  int Init(const std::string& mailServerName, const std::string& mailboxName, const std::string& queueTaskName,
           const std::string& routerTaskName, const std::string& nodeAddress, bool abonent);

  // Parameter list, names compared case-insensitively; the first of a name counts.
  int GetParameter(std::string_view name, std::string& value) const;
  int SetParameter(std::string_view name, const std::string& value);
  int RemoveParameter(std::string_view name);
  // The first address of the lowest level with addresses; false when there is none.
  bool GetFirstRoutingAddress(std::string& address, int& level) const;

  // Refresh from the server. A null target stands for a task interface the
  // registry does not know: that half succeeds without calls. A half returns 0
  // when a call raised an RPC failure (its code goes to *rpcFailure) or answered
  // a nonzero status word.
  //
  // The queue manager half begins a refresh: it sets lastRefreshFailed to its
  // own outcome, and the Router half sets it when it fails. A directory entry
  // the queue manager does not know (QMX_DirGetAttrs answers "not found") is no
  // failure: the half records queueEntryMissing and makes no further calls.
  int RefreshQueueManager(rpc::CallTarget* target, uint32_t* rpcFailure = nullptr);
  int RefreshRouter(rpc::CallTarget* target, uint32_t* rpcFailure = nullptr);
  // Both halves, the Router half only after the queue manager half succeeded;
  // with a window a failure is shown in a box. 1 when both succeeded.
  int Refresh(rpc::CallTarget* queueTarget, rpc::CallTarget* routerTarget, ports::DialogPort* window);
  // The box a failed refresh shows ("Ошибка канала связи").
  void ShowRefreshFailure(ports::DialogPort& window) const;

  // Text forms exchanged with the Router.
  void ParseParameterText(std::string_view text);
  std::string BuildParameterText(bool withLevel) const;
  size_t EstimateParameterTextSize() const;
  void ParseOwnRoutingAddresses(std::string_view text);
  void MergeRoutingTable(std::string_view table, int level, bool reset);
  static int ParseOrAddress(std::string_view text, bool strict, LevelValues& values) {
    return model::ParseOrAddress(text, strict, values);
  }
  int ComputeMailboxAddress();
  // Into `record`, or into addressBookRecord when none is given.
  int BuildAddressBookRecord(std::string* record = nullptr);
  void SetLinkParametersFromReply(std::string_view text);

  // Both directions by the archive's mode. A failed load leaves the entry as it was.
  bool Serialize(ItemArchive& archive);
  std::vector<uint8_t> ToArchive() const;
  bool FromArchive(std::span<const uint8_t> bytes);

  int32_t kindOnServer = 0;  // 1 abonent, 0 direction, as last read from the Router
  int32_t kind = 0;          // as edited
  std::string mailServerName;
  std::string mailboxName;
  uint32_t priority = 0;
  int32_t active = 0;  // the server keeps the opposite: blocked
  int32_t callAtInterval = 0;
  int32_t noCallOnArrival = 1;
  int32_t extraOption = 0;
  int32_t viaLocalFolder = 0;
  std::string linkParameters;  // the agent list, or the local folder's path
  int32_t forcedConnection = 0;
  int32_t stateWord = 0;
  std::vector<CTempModeFrame> schedule;
  QueueCounters queueCounters{};
  int32_t passwordSet = 0;
  uint32_t passwordHash = kNoPasswordHash;
  std::string password;
  int32_t isNew = 0;
  std::vector<CAbonentParameter> parameters;
  RoutingLists routingAddresses;
  std::string queueTaskName;
  std::string routerTaskName;
  int32_t callStatus = 0;
  int32_t callError = 0;
  int32_t routerReplyWord = 0;
  std::string passwordConfirm;
  int32_t optionsChanged = 0;
  int32_t hideFromAddressBook = 0;
  std::string mailboxAddress;
  std::string nodeAddress;
  std::string addressBookRecord;
  std::string absAddress;
  // The routing lists as this entry last read them from the server; a copy has
  // not read them.
  NotCopied<RoutingLists> routingAddressesAsRead;
  std::string note;
  int32_t loaded = 0;
  int32_t skipQueueRefresh = 0;
  // What the last refresh found; kept in copies, not in the archive form. An
  // entry whose last refresh failed is not applied (what would be written back
  // was never read); one without a directory entry is added again on apply.
  int32_t lastRefreshFailed = 0;
  int32_t queueEntryMissing = 0;

 private:
  int QueueManagerHalf(rpc::CallTarget* target, uint32_t* rpcFailure);
  int RouterHalf(rpc::CallTarget* target, uint32_t* rpcFailure);
  bool SerializeFields(ItemArchive& archive);
};

}  // namespace model
