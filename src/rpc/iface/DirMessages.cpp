#include "rpc/iface/DirMessages.h"

#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void QMX_VtQmx_ExecuteQueryRequest::Write(NdrWriter& w) const {
  w.Long(Capacity);
  wire::WriteCounted(w, Capacity, Record);
}

void QMX_VtQmx_ExecuteQueryRequest::Read(NdrReader& r) {
  Capacity = r.Long();
  Record = wire::ReadCounted(r, Capacity);
}

void QMX_VtQmx_ExecuteQueryResponse::Write(NdrWriter& w, const QMX_VtQmx_ExecuteQueryRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  w.LongArray1(Result);
  wire::WriteCounted(w, request.Capacity, Record);
  w.Long(ReturnValue);
}

void QMX_VtQmx_ExecuteQueryResponse::Read(NdrReader& r, const QMX_VtQmx_ExecuteQueryRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Result = r.LongArray1();
  Record = wire::ReadCounted(r, request.Capacity);
  ReturnValue = r.Long();
}

void QMX_DirAddRequest::Write(NdrWriter& w) const {
  wire::WriteSized(w, Name);
  Attributes.WriteIn(w);
}

void QMX_DirAddRequest::Read(NdrReader& r) {
  Name = wire::ReadSized(r);
  Attributes.ReadIn(r);
}

void QMX_DirDeleteRequest::Write(NdrWriter& w) const {
  w.String(Name);
}

void QMX_DirDeleteRequest::Read(NdrReader& r) {
  Name = r.String();
}

void QMX_DirGetCountRequest::Write(NdrWriter&) const {
}

void QMX_DirGetCountRequest::Read(NdrReader&) {
}

void QMX_DirGetCountResponse::Write(NdrWriter& w, const QMX_DirGetCountRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  w.LongArray1(Count);
  w.Long(ReturnValue);
}

void QMX_DirGetCountResponse::Read(NdrReader& r, const QMX_DirGetCountRequest&) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Count = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirGetAtRequest::Write(NdrWriter& w) const {
  w.Long(Index);
  w.Long(ItemTextCapacity);
}

void QMX_DirGetAtRequest::Read(NdrReader& r) {
  Index = r.Long();
  ItemTextCapacity = r.Long();
}

void QMX_DirGetAtResponse::Write(NdrWriter& w, const QMX_DirGetAtRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  wire::WriteCounted(w, request.ItemTextCapacity, ItemText);
  for (int32_t v : ItemValues) w.LongArray1(v);
  w.Long(ReturnValue);
}

void QMX_DirGetAtResponse::Read(NdrReader& r, const QMX_DirGetAtRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  ItemText = wire::ReadCounted(r, request.ItemTextCapacity);
  for (int32_t& v : ItemValues) v = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirGetAttrsRequest::Write(NdrWriter& w) const {
  w.String(Name);
}

void QMX_DirGetAttrsRequest::Read(NdrReader& r) {
  Name = r.String();
}

void QMX_DirGetAttrsResponse::Write(NdrWriter& w, const QMX_DirGetAttrsRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  Attributes.WriteOut(w);
  w.Long(ReturnValue);
}

void QMX_DirGetAttrsResponse::Read(NdrReader& r, const QMX_DirGetAttrsRequest&) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Attributes.ReadOut(r);
  ReturnValue = r.Long();
}

void QMX_DirModifyRequest::Write(NdrWriter& w) const {
  w.String(PrevName);
  w.String(Name);
  Attributes.WriteIn(w);
}

void QMX_DirModifyRequest::Read(NdrReader& r) {
  PrevName = r.String();
  Name = r.String();
  Attributes.ReadIn(r);
}

void QMX_DirGetTimingsArrayRequest::Write(NdrWriter& w) const {
  w.String(Name);
  w.Long(TimingsCapacity);
}

void QMX_DirGetTimingsArrayRequest::Read(NdrReader& r) {
  Name = r.String();
  TimingsCapacity = r.Long();
}

void QMX_DirGetTimingsArrayResponse::Write(NdrWriter& w, const QMX_DirGetTimingsArrayRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  wire::WriteCounted(w, request.TimingsCapacity, Timings);
  w.LongArray1(Count);
  w.Long(ReturnValue);
}

void QMX_DirGetTimingsArrayResponse::Read(NdrReader& r, const QMX_DirGetTimingsArrayRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Timings = wire::ReadCounted(r, request.TimingsCapacity);
  Count = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirSetTimingsArrayRequest::Write(NdrWriter& w) const {
  w.String(Name);
  wire::WriteSized(w, Timings);
}

void QMX_DirSetTimingsArrayRequest::Read(NdrReader& r) {
  Name = r.String();
  Timings = wire::ReadSized(r);
}

void QMX_DirGetQueueCountersRequest::Write(NdrWriter& w) const {
  w.String(Name);
}

void QMX_DirGetQueueCountersRequest::Read(NdrReader& r) {
  Name = r.String();
}

void QMX_DirGetQueueCountersResponse::Write(NdrWriter& w, const QMX_DirGetQueueCountersRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  for (int32_t v : Counters) w.LongArray1(v);
  w.Long(ReturnValue);
}

void QMX_DirGetQueueCountersResponse::Read(NdrReader& r, const QMX_DirGetQueueCountersRequest&) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  for (int32_t& v : Counters) v = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirSetOptionRequest::Write(NdrWriter& w) const {
  w.String(Name);
  w.Long(Option);
}

void QMX_DirSetOptionRequest::Read(NdrReader& r) {
  Name = r.String();
  Option = r.Long();
}

void QMX_DirReSetOptionRequest::Write(NdrWriter& w) const {
  w.String(Name);
}

void QMX_DirReSetOptionRequest::Read(NdrReader& r) {
  Name = r.String();
}

void QMX_DirGetOptionRequest::Write(NdrWriter& w) const {
  w.String(Name);
}

void QMX_DirGetOptionRequest::Read(NdrReader& r) {
  Name = r.String();
}

void QMX_DirGetOptionResponse::Write(NdrWriter& w, const QMX_DirGetOptionRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  w.LongArray1(Option);
  w.Long(ReturnValue);
}

void QMX_DirGetOptionResponse::Read(NdrReader& r, const QMX_DirGetOptionRequest&) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  Option = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirGetApfListRequest::Write(NdrWriter& w) const {
  w.String(Name);
  w.Long(ApfListCapacity);
}

void QMX_DirGetApfListRequest::Read(NdrReader& r) {
  Name = r.String();
  ApfListCapacity = r.Long();
}

void QMX_DirGetApfListResponse::Write(NdrWriter& w, const QMX_DirGetApfListRequest& request) const {
  w.LongArray1(Status);
  w.LongArray1(RpcErr);
  wire::WriteCounted(w, request.ApfListCapacity, ApfList);
  w.LongArray1(Flag);
  w.Long(ReturnValue);
}

void QMX_DirGetApfListResponse::Read(NdrReader& r, const QMX_DirGetApfListRequest& request) {
  Status = r.LongArray1();
  RpcErr = r.LongArray1();
  ApfList = wire::ReadCounted(r, request.ApfListCapacity);
  Flag = r.LongArray1();
  ReturnValue = r.Long();
}

void QMX_DirSetApfListRequest::Write(NdrWriter& w) const {
  w.String(Name);
  w.String(ApfList);
}

void QMX_DirSetApfListRequest::Read(NdrReader& r) {
  Name = r.String();
  ApfList = r.String();
}

}  // namespace rpc
