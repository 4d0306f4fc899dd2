#pragma once
// The typed records of QMX_VtQmx_ExecuteQuery: builders that lay a record out
// in its zero-filled buffer, one call that sends it, and the readers that
// accept or refuse a reply by the rules of each kind. Integers in the records
// are little-endian 32-bit whatever the host.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rpc/iface/CallFailure.h"

namespace rpc {

class CallTarget;

namespace query {
inline constexpr int32_t kReplicationState = 1;  // read the replication record
inline constexpr int32_t kReplicationStart = 2;  // start replication
inline constexpr int32_t kReplicationLog = 3;    // read the replication log text
inline constexpr int32_t kForcedGet = 4;         // read an item's forced-connection flag
inline constexpr int32_t kForcedSet = 5;         // write it
inline constexpr int32_t kItemState = 6;         // read an item's state word

inline constexpr int32_t kItemQueryLength = 140;
inline constexpr int32_t kItemStateQueryLength = 144;
inline constexpr size_t kMaxItemName = 128;  // in a char[129] at offset 8
inline constexpr size_t kItemFlagOffset = 137;
inline constexpr size_t kItemStateOffset = 140;
inline constexpr int32_t kReplicationRecordSize = 292;
inline constexpr int32_t kReplicationStartLength = 296;
inline constexpr int32_t kReplicationLogLength = 12;
}  // namespace query

using ReplicationRecord = std::array<uint8_t, query::kReplicationRecordSize>;

// A record in the buffer the operation sends it from and receives the reply in:
// capacity (11264) + 1 bytes, zero-filled, and the length that travels.
struct QueryBuffer {
  std::vector<char> bytes;
  int32_t length = 0;

  QueryBuffer();
};

// Kinds 4 and 5: kind, 0, the name (cut to 128 characters), the flag byte at 137. Length 140.
QueryBuffer ItemQuery(int32_t kind, std::string_view itemName, uint8_t flag);
// Kind 6: the same head with a zero flag; length 144.
QueryBuffer ItemStateQuery(std::string_view itemName);
// Kinds 1 to 3: kind, then word 1 of the computer's replication record, the rest
// zero. The announced length, which is also the count of bytes that travel, is
// 292 for kind 1, 296 for kind 2 and 12 for kind 3.
QueryBuffer ReplicationQuery(int32_t kind, uint32_t recordWord1);

struct QueryReply {
  int32_t status = 0;
  int32_t rpcErr = 0;
  int32_t result = 0;
  int32_t returnValue = 0;
  std::string record;  // the reply's bytes; its size is the reply length
};

// Sends the record; RPC failures arrive as RpcException.
QueryReply RunQuery(CallTarget& target, QueryBuffer buffer);

// Kind 1: the first 292 reply bytes, when the reply is accepted.
std::optional<ReplicationRecord> ReplicationStateFrom(const QueryReply& reply);

struct ReplicationStart {
  ReplicationRecord record{};  // its first word set to 1
  bool started = false;        // reply byte 292 nonzero: the queue manager started replication
};
// Kind 2.
std::optional<ReplicationStart> ReplicationStartFrom(const QueryReply& reply);

// Kind 3: the log text, carriage returns dropped, lines separated by '\n'.
std::optional<std::string> ReplicationLogFrom(const QueryReply& reply);

// Kind 4: whether the item's forced-connection flag is set on the server.
std::optional<bool> ForcedFlagFrom(const QueryReply& reply);

// Kind 5: empty on success, else the failure of "QMX_VtQmx_ExecuteQuery" to report.
std::optional<CallFailure> ForcedFlagSetFailure(const QueryReply& reply);

// Kind 6: the item's state word.
std::optional<uint32_t> ItemStateFrom(const QueryReply& reply);

}  // namespace rpc
