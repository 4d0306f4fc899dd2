#pragma once
// What the directory model keeps per mail server beside the registry's record:
// the COMMON texts of the node's configuration and the cache of the Router's
// routing tables (one per level) and abonent records. Text is CP1251.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/VtHostDescription.h"
#include "model/host/WatchedList.h"
#include "model/item/OrAddress.h"
#include "model/item/VxItemBase.h"

namespace model {

// Bits of VtHostData::validMask.
namespace hostvalid {
inline constexpr uint32_t kTables = 63;     // bit n: the table of level n is current
inline constexpr uint32_t kAbonents = 64;   // the abonent sections are current
inline constexpr uint32_t kAll = 127;
}  // namespace hostvalid

class VtHostData : public core::HostModelData {
 public:
  struct CRouterSection {
    std::string name;  // without brackets
    std::string text;  // its lines, each followed by "\n"
    bool operator==(const CRouterSection&) const = default;
  };

  // The fourteen COMMON keys, in field order.
  static constexpr size_t kCommonCount = 14;
  static const std::array<const char*, kCommonCount> kCommonKeys;

  // The host description of a registry record, created on first use.
  static VtHostData& Of(core::__VtHostDescription& host);

  uint32_t UpdateValidMask(uint32_t clear, uint32_t set);
  uint32_t TestValidMask(uint32_t bits) const { return validMask & bits; }
  int IsTablesEmpty() const;
  std::optional<std::string> FindAbonentSection(std::string_view name) const;
  void ParseAbonentSections(std::string_view text);

  // Stores a COMMON value when the key (any case) is one of the fourteen;
  // false for any other key.
  bool StoreCommon(std::string_view key, std::string_view value);
  // The slot of a COMMON key (any case) in `common`, or -1.
  static int CommonSlot(std::string_view key);
  void ClearCommon() { common.fill({}); }
  bool HasIdentity() const { return !HostName().empty() && !NodeAddress().empty() && !HostUid().empty(); }

  const std::string& HostName() const { return common[0]; }
  const std::string& NodeAddress() const { return common[1]; }
  const std::string& HostUid() const { return common[2]; }
  // One of the eleven directories by its key ("#QUEUE_DIR"); empty for another key.
  std::string Directory(std::string_view key) const;

  std::array<std::string, kCommonCount> common;  // by kCommonKeys
  std::array<std::string, kLevelCount> routingTable;
  std::vector<CRouterSection> abonentSections;
  uint32_t validMask = 0;
  int queueTaskIndex = -1;   // computer registry slot of the MQUEUE task interface
  int routerTaskIndex = -1;  // of the ROUTER task interface
  // The directions and abonents that favourite groups watch on this node.
  WatchedList watched;
};

}  // namespace model
