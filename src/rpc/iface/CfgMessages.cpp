#include "rpc/iface/CfgMessages.h"

#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void CfgGetSectionCountRequest::Write(NdrWriter&) const {
}

void CfgGetSectionCountRequest::Read(NdrReader&) {
}

void CfgGetSectionCountResponse::Write(NdrWriter& w, const CfgGetSectionCountRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(Count);
  w.Long(ReturnValue);
}

void CfgGetSectionCountResponse::Read(NdrReader& r, const CfgGetSectionCountRequest&) {
  Status = r.LongArray1();
  Count = r.LongArray1();
  ReturnValue = r.Long();
}

void CfgGetSectionAtRequest::Write(NdrWriter& w) const {
  w.Long(Index);
  w.Long(SectionNameCapacity);
  w.Long(SecondTextCapacity);
  w.Long(ThirdTextCapacity);
}

void CfgGetSectionAtRequest::Read(NdrReader& r) {
  Index = r.Long();
  SectionNameCapacity = r.Long();
  SecondTextCapacity = r.Long();
  ThirdTextCapacity = r.Long();
}

void CfgGetSectionAtResponse::Write(NdrWriter& w, const CfgGetSectionAtRequest& request) const {
  w.LongArray1(Status);
  wire::WriteCounted(w, request.SectionNameCapacity, SectionName);
  wire::WriteCounted(w, request.SecondTextCapacity, SecondText);
  wire::WriteCounted(w, request.ThirdTextCapacity, ThirdText);
  w.Long(ReturnValue);
}

void CfgGetSectionAtResponse::Read(NdrReader& r, const CfgGetSectionAtRequest& request) {
  Status = r.LongArray1();
  SectionName = wire::ReadCounted(r, request.SectionNameCapacity);
  SecondText = wire::ReadCounted(r, request.SecondTextCapacity);
  ThirdText = wire::ReadCounted(r, request.ThirdTextCapacity);
  ReturnValue = r.Long();
}

void CfgGetParamCountRequest::Write(NdrWriter& w) const {
  w.String(Section);
}

void CfgGetParamCountRequest::Read(NdrReader& r) {
  Section = r.String();
}

void CfgGetParamCountResponse::Write(NdrWriter& w, const CfgGetParamCountRequest&) const {
  w.LongArray1(Status);
  w.LongArray1(Count);
  w.Long(ReturnValue);
}

void CfgGetParamCountResponse::Read(NdrReader& r, const CfgGetParamCountRequest&) {
  Status = r.LongArray1();
  Count = r.LongArray1();
  ReturnValue = r.Long();
}

void CfgGetParamAtRequest::Write(NdrWriter& w) const {
  w.String(Section);
  w.Long(Index);
  w.Long(KeyCapacity);
  w.Long(ValueCapacity);
  w.Long(ThirdTextCapacity);
  w.Long(FourthTextCapacity);
}

void CfgGetParamAtRequest::Read(NdrReader& r) {
  Section = r.String();
  Index = r.Long();
  KeyCapacity = r.Long();
  ValueCapacity = r.Long();
  ThirdTextCapacity = r.Long();
  FourthTextCapacity = r.Long();
}

void CfgGetParamAtResponse::Write(NdrWriter& w, const CfgGetParamAtRequest& request) const {
  w.LongArray1(Status);
  wire::WriteCounted(w, request.KeyCapacity, Key);
  wire::WriteCounted(w, request.ValueCapacity, Value);
  wire::WriteCounted(w, request.ThirdTextCapacity, ThirdText);
  wire::WriteCounted(w, request.FourthTextCapacity, FourthText);
  w.Long(ReturnValue);
}

void CfgGetParamAtResponse::Read(NdrReader& r, const CfgGetParamAtRequest& request) {
  Status = r.LongArray1();
  Key = wire::ReadCounted(r, request.KeyCapacity);
  Value = wire::ReadCounted(r, request.ValueCapacity);
  ThirdText = wire::ReadCounted(r, request.ThirdTextCapacity);
  FourthText = wire::ReadCounted(r, request.FourthTextCapacity);
  ReturnValue = r.Long();
}

}  // namespace rpc
