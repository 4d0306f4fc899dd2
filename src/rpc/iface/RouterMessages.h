#pragma once
// Request and response bodies of the Router operations. The client functions and the node
// simulator both use them, so the two sides encode the same bytes. A request holds
// the [in] and [in,out] parameters, a response the [out] and [in,out] ones and the
// return value, each in wire order.

#include <array>
#include <cstdint>
#include <string>

#include "rpc/iface/Opnums.h"
#include "rpc/iface/StatusOnlyResponse.h"

namespace rpc {

class NdrWriter;
class NdrReader;

struct AddRoutItemRequest;
using AddRoutItemResponse = StatusOnlyResponse<AddRoutItemRequest>;

// Adds a routing-table entry.
struct AddRoutItemRequest {
  static constexpr uint16_t kOpnum = opnum::AddRoutItem;
  using Response = AddRoutItemResponse;

  int32_t Level = 0;
  std::string Address;
  std::string Target;
  int32_t Flag = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct RedirRoutItemRequest;
using RedirRoutItemResponse = StatusOnlyResponse<RedirRoutItemRequest>;

// Redirects a routing-table entry to another target.
struct RedirRoutItemRequest {
  static constexpr uint16_t kOpnum = opnum::RedirRoutItem;
  using Response = RedirRoutItemResponse;

  int32_t Level = 0;
  std::string Address;
  std::string Target;
  int32_t Flag = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct DelRoutItemRequest;
using DelRoutItemResponse = StatusOnlyResponse<DelRoutItemRequest>;

// Removes a routing address (level | 0x80) or an abonent (111).
struct DelRoutItemRequest {
  static constexpr uint16_t kOpnum = opnum::DelRoutItem;
  using Response = DelRoutItemResponse;

  int32_t Level = 0;
  std::string Address;
  int32_t Flag = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetRoutListResponse;

// The routing table of one level as text; -1 with Needed when the buffer is too small.
struct GetRoutListRequest {
  static constexpr uint16_t kOpnum = opnum::GetRoutList;
  using Response = GetRoutListResponse;

  int32_t Level = 0;
  int32_t TableCapacity = 0;
  int32_t TableLength = 0;  // [in,out]; the reply's length is the size of Table

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetRoutListResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t Needed = 0;
  std::string Table;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetRoutListRequest& request) const;
  void Read(NdrReader& r, const GetRoutListRequest& request);
};

struct SetRoutItemRequest;
using SetRoutItemResponse = StatusOnlyResponse<SetRoutItemRequest>;

// Writes a routing entry for a direction or an abonent.
struct SetRoutItemRequest {
  static constexpr uint16_t kOpnum = opnum::SetRoutItem;
  using Response = SetRoutItemResponse;

  int32_t Level = 0;
  std::string Address;
  std::string Name;
  std::string Params;
  int32_t Flag = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetAbonentInfoResponse;

// Abonent (111) or direction (112) information as text; -1 with Needed when too small.
struct GetAbonentInfoRequest {
  static constexpr uint16_t kOpnum = opnum::GetAbonentInfo;
  using Response = GetAbonentInfoResponse;

  int32_t Kind = 0;
  std::string Name;
  int32_t InfoCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetAbonentInfoResponse {
  int32_t Status = 0;
  int32_t RpcErr = 0;
  int32_t Needed = 0;
  std::string Info;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetAbonentInfoRequest& request) const;
  void Read(NdrReader& r, const GetAbonentInfoRequest& request);
};

}  // namespace rpc
