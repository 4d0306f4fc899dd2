#include "rpc/iface/RouterMessages.h"

#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void AddRoutItemRequest::Write(NdrWriter& w) const {
  w.Long(Level);
  w.String(Address);
  w.String(Target);
  w.Long(Flag);
}

void AddRoutItemRequest::Read(NdrReader& r) {
  Level = r.Long();
  Address = r.String();
  Target = r.String();
  Flag = r.Long();
}

void RedirRoutItemRequest::Write(NdrWriter& w) const {
  w.Long(Level);
  w.String(Address);
  w.String(Target);
  w.Long(Flag);
}

void RedirRoutItemRequest::Read(NdrReader& r) {
  Level = r.Long();
  Address = r.String();
  Target = r.String();
  Flag = r.Long();
}

void DelRoutItemRequest::Write(NdrWriter& w) const {
  w.Long(Level);
  w.String(Address);
  w.Long(Flag);
}

void DelRoutItemRequest::Read(NdrReader& r) {
  Level = r.Long();
  Address = r.String();
  Flag = r.Long();
}

void GetRoutListRequest::Write(NdrWriter& w) const {
  w.Long(Level);
  w.Long(TableCapacity);
  w.Long(TableLength);
}

void GetRoutListRequest::Read(NdrReader& r) {
  Level = r.Long();
  TableCapacity = r.Long();
  TableLength = r.Long();
}

void GetRoutListResponse::Write(NdrWriter& w, const GetRoutListRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  w.LongArray1(Needed);
  wire::WriteCounted(w, request.TableCapacity, Table);
  w.Long(ReturnValue);
}

void GetRoutListResponse::Read(NdrReader& r, const GetRoutListRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Needed = r.LongArray1();
  Table = wire::ReadCounted(r, request.TableCapacity);
  ReturnValue = r.Long();
}

void SetRoutItemRequest::Write(NdrWriter& w) const {
  w.Long(Level);
  w.String(Address);
  w.String(Name);
  w.String(Params);
  w.Long(Flag);
}

void SetRoutItemRequest::Read(NdrReader& r) {
  Level = r.Long();
  Address = r.String();
  Name = r.String();
  Params = r.String();
  Flag = r.Long();
}

void GetAbonentInfoRequest::Write(NdrWriter& w) const {
  w.Long(Kind);
  w.String(Name);
  w.Long(InfoCapacity);
}

void GetAbonentInfoRequest::Read(NdrReader& r) {
  Kind = r.Long();
  Name = r.String();
  InfoCapacity = r.Long();
}

void GetAbonentInfoResponse::Write(NdrWriter& w, const GetAbonentInfoRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  w.LongArray1(Needed);
  wire::WriteCounted(w, request.InfoCapacity, Info);
  w.Long(ReturnValue);
}

void GetAbonentInfoResponse::Read(NdrReader& r, const GetAbonentInfoRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Needed = r.LongArray1();
  Info = wire::ReadCounted(r, request.InfoCapacity);
  ReturnValue = r.Long();
}

}  // namespace rpc
