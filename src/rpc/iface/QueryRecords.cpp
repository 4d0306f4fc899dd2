#include "rpc/iface/QueryRecords.h"

#include <algorithm>
#include <cstring>

#include "rpc/iface/Capacities.h"
#include "rpc/iface/DirCalls.h"

namespace rpc {

namespace {

void PutU32(std::vector<char>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

uint32_t GetU32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
  return value;
}

// Kinds 1 to 3 are taken only with both status words 0, a return value and a
// Result of at least 1, and at least `minLength` reply bytes.
bool ReplicationAccepted(const QueryReply& reply, size_t minLength) {
  return reply.status == 0 && reply.rpcErr == 0 && reply.returnValue >= 1 && reply.result >= 1 &&
         reply.record.size() >= minLength;
}

ReplicationRecord RecordFrom(const std::string& bytes) {
  ReplicationRecord record{};
  std::memcpy(record.data(), bytes.data(), record.size());
  return record;
}

void PutName(std::vector<char>& bytes, std::string_view itemName) {
  const size_t n = std::min(itemName.size(), query::kMaxItemName);
  std::memcpy(bytes.data() + 8, itemName.data(), n);
}

}  // namespace

QueryBuffer::QueryBuffer() : bytes(static_cast<size_t>(cap::kQueryRecord) + 1, 0) {}

QueryBuffer ItemQuery(int32_t kind, std::string_view itemName, uint8_t flag) {
  QueryBuffer q;
  PutU32(q.bytes, 0, static_cast<uint32_t>(kind));
  PutName(q.bytes, itemName);
  q.bytes[query::kItemFlagOffset] = static_cast<char>(flag);
  q.length = query::kItemQueryLength;
  return q;
}

QueryBuffer ItemStateQuery(std::string_view itemName) {
  QueryBuffer q;
  PutU32(q.bytes, 0, static_cast<uint32_t>(query::kItemState));
  PutName(q.bytes, itemName);
  q.length = query::kItemStateQueryLength;
  return q;
}

QueryBuffer ReplicationQuery(int32_t kind, uint32_t recordWord1) {
  QueryBuffer q;
  PutU32(q.bytes, 0, static_cast<uint32_t>(kind));
  PutU32(q.bytes, 4, recordWord1);
  // Only 8 bytes mean anything, but the announced length is also the count of
  // bytes that travel, so the zeros after them go too.
  switch (kind) {
    case query::kReplicationStart: q.length = query::kReplicationStartLength; break;
    case query::kReplicationLog: q.length = query::kReplicationLogLength; break;
    default: q.length = query::kReplicationRecordSize; break;
  }
  return q;
}

QueryReply RunQuery(CallTarget& target, QueryBuffer buffer) {
  QueryReply reply;
  int32_t length = buffer.length;
  reply.returnValue = QMX_VtQmx_ExecuteQuery(target, &reply.status, &reply.rpcErr, &reply.result,
                                             cap::kQueryRecord, &length, buffer.bytes.data());
  reply.record.assign(buffer.bytes.data(), static_cast<size_t>(length));
  return reply;
}

std::optional<ReplicationRecord> ReplicationStateFrom(const QueryReply& reply) {
  if (!ReplicationAccepted(reply, query::kReplicationRecordSize)) return std::nullopt;
  return RecordFrom(reply.record);
}

std::optional<ReplicationStart> ReplicationStartFrom(const QueryReply& reply) {
  if (!ReplicationAccepted(reply, query::kReplicationStartLength)) return std::nullopt;
  ReplicationStart start;
  start.record = RecordFrom(reply.record);
  start.record[0] = 1;
  start.record[1] = start.record[2] = start.record[3] = 0;
  start.started = reply.record[query::kReplicationRecordSize] != 0;
  return start;
}

std::optional<std::string> ReplicationLogFrom(const QueryReply& reply) {
  if (!ReplicationAccepted(reply, query::kReplicationLogLength)) return std::nullopt;
  // The byte count is believed only as far as the reply reaches.
  const size_t available = reply.record.size() - query::kReplicationLogLength;
  const size_t count = std::min<size_t>(GetU32(reply.record, 8), available);
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const char c = reply.record[query::kReplicationLogLength + i];
    if (c == '\0') break;  // the log is a C text: nothing after its NUL is shown
    if (c != '\r') text += c;
  }
  return text;
}

std::optional<bool> ForcedFlagFrom(const QueryReply& reply) {
  if (reply.status != 0 || reply.rpcErr != 0) return std::nullopt;
  return reply.result == 1;
}

std::optional<CallFailure> ForcedFlagSetFailure(const QueryReply& reply) {
  if (reply.status == 0 && reply.rpcErr == 0 && reply.result == 1) return std::nullopt;
  // A status word set: the report gets code 0 and speaks of the status words
  // alone (a transport failure as an access problem, Status alone as nothing).
  if (reply.status != 0 || reply.rpcErr != 0)
    return CallFailure{"QMX_VtQmx_ExecuteQuery", 0, reply.status, reply.rpcErr};
  // Status words 0 and a return value 0 would read as success in the report:
  // the refusal lies in Result, so the report is given -1 instead.
  return CallFailure{"QMX_VtQmx_ExecuteQuery", reply.returnValue != 0 ? reply.returnValue : -1, 0, 0};
}

std::optional<uint32_t> ItemStateFrom(const QueryReply& reply) {
  if (reply.status != 0 || reply.rpcErr != 0) return std::nullopt;
  // The state word lies at 140: a shorter reply does not carry it.
  if (reply.record.size() < query::kItemStateOffset + 4) return std::nullopt;
  return GetU32(reply.record, query::kItemStateOffset);
}

}  // namespace rpc
