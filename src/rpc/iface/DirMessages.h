#pragma once
// Request and response bodies of the queue manager directory operations. The client functions and the node
// simulator both use them, so the two sides encode the same bytes. A request holds
// the [in] and [in,out] parameters, a response the [out] and [in,out] ones and the
// return value, each in wire order.

#include <array>
#include <cstdint>
#include <string>

#include "rpc/iface/Opnums.h"
#include "rpc/iface/StatusOnlyResponse.h"
#include "rpc/iface/DirAttributes.h"

namespace rpc {

class NdrWriter;
class NdrReader;

struct QMX_VtQmx_ExecuteQueryResponse;

// A typed query record out, the reply record back in the same buffer.
struct QMX_VtQmx_ExecuteQueryRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_VtQmx_ExecuteQuery;
  using Response = QMX_VtQmx_ExecuteQueryResponse;

  int32_t Capacity = 0;
  std::string Record;  // [in,out]; Length is its size, both ways

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_VtQmx_ExecuteQueryResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t Result = 0;
  std::string Record;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const QMX_VtQmx_ExecuteQueryRequest& request) const;
  void Read(NdrReader& r, const QMX_VtQmx_ExecuteQueryRequest& request);
};

struct QMX_DirAddRequest;
using QMX_DirAddResponse = StatusOnlyResponse<QMX_DirAddRequest>;

// Adds a directory item; Name carries its NUL.
struct QMX_DirAddRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirAdd;
  using Response = QMX_DirAddResponse;

  std::string Name;  // B; its length travels before it
  DirAttributes Attributes{};

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirDeleteRequest;
using QMX_DirDeleteResponse = StatusOnlyResponse<QMX_DirDeleteRequest>;

// Removes an abonent from the queue manager.
struct QMX_DirDeleteRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirDelete;
  using Response = QMX_DirDeleteResponse;

  std::string Name;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetCountResponse;

// Number of directory items.
struct QMX_DirGetCountRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetCount;
  using Response = QMX_DirGetCountResponse;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetCountResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const QMX_DirGetCountRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetCountRequest& request);
};

struct QMX_DirGetAtResponse;

// One directory item as text and five item values.
struct QMX_DirGetAtRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetAt;
  using Response = QMX_DirGetAtResponse;

  int32_t Index = 0;
  int32_t ItemTextCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetAtResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  std::string ItemText;  // its length travels before it
  std::array<int32_t, 5> ItemValues{};
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const QMX_DirGetAtRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetAtRequest& request);
};

struct QMX_DirGetAttrsResponse;

// Reads back the five attributes of QMX_DirAdd.
struct QMX_DirGetAttrsRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetAttrs;
  using Response = QMX_DirGetAttrsResponse;

  std::string Name;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetAttrsResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  DirAttributes Attributes{};
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const QMX_DirGetAttrsRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetAttrsRequest& request);
};

struct QMX_DirModifyRequest;
using QMX_DirModifyResponse = StatusOnlyResponse<QMX_DirModifyRequest>;

// Changes an item; PrevName is its name before editing.
struct QMX_DirModifyRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirModify;
  using Response = QMX_DirModifyResponse;

  std::string PrevName;
  std::string Name;
  DirAttributes Attributes{};

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetTimingsArrayResponse;

// The call schedule as Count frames of 72 bytes.
struct QMX_DirGetTimingsArrayRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetTimingsArray;
  using Response = QMX_DirGetTimingsArrayResponse;

  std::string Name;
  int32_t TimingsCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetTimingsArrayResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  std::string Timings;  // its length travels before it
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const QMX_DirGetTimingsArrayRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetTimingsArrayRequest& request);
};

struct QMX_DirSetTimingsArrayRequest;
using QMX_DirSetTimingsArrayResponse = StatusOnlyResponse<QMX_DirSetTimingsArrayRequest>;

// Writes the call schedule: frames x 72 bytes.
struct QMX_DirSetTimingsArrayRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirSetTimingsArray;
  using Response = QMX_DirSetTimingsArrayResponse;

  std::string Name;
  std::string Timings;  // B; its length travels before it

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetQueueCountersResponse;

// The eleven queue counters of an item.
struct QMX_DirGetQueueCountersRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetQueueCounters;
  using Response = QMX_DirGetQueueCountersResponse;

  std::string Name;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetQueueCountersResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  std::array<int32_t, 11> Counters{};
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const QMX_DirGetQueueCountersRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetQueueCountersRequest& request);
};

struct QMX_DirSetOptionRequest;
using QMX_DirSetOptionResponse = StatusOnlyResponse<QMX_DirSetOptionRequest>;

// Sets the password option (the password hash).
struct QMX_DirSetOptionRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirSetOption;
  using Response = QMX_DirSetOptionResponse;

  std::string Name;
  int32_t Option = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirReSetOptionRequest;
using QMX_DirReSetOptionResponse = StatusOnlyResponse<QMX_DirReSetOptionRequest>;

// Clears the password option.
struct QMX_DirReSetOptionRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirReSetOption;
  using Response = QMX_DirReSetOptionResponse;

  std::string Name;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetOptionResponse;

// Reads the password option: 0 means a password is set.
struct QMX_DirGetOptionRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetOption;
  using Response = QMX_DirGetOptionResponse;

  std::string Name;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetOptionResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t Option = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const QMX_DirGetOptionRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetOptionRequest& request);
};

struct QMX_DirGetApfListResponse;

// The link parameter text and the via-local-folder flag.
struct QMX_DirGetApfListRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirGetApfList;
  using Response = QMX_DirGetApfListResponse;

  std::string Name;
  int32_t ApfListCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct QMX_DirGetApfListResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  std::string ApfList;  // its length travels before it
  int32_t Flag = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const QMX_DirGetApfListRequest& request) const;
  void Read(NdrReader& r, const QMX_DirGetApfListRequest& request);
};

struct QMX_DirSetApfListRequest;
using QMX_DirSetApfListResponse = StatusOnlyResponse<QMX_DirSetApfListRequest>;

// Writes the link parameter text.
struct QMX_DirSetApfListRequest {
  static constexpr uint16_t kOpnum = opnum::QMX_DirSetApfList;
  using Response = QMX_DirSetApfListResponse;

  std::string Name;
  std::string ApfList;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

}  // namespace rpc
