#include "rpc/iface/HostMessages.h"

#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void GetDisksRequest::Write(NdrWriter& w) const {
  w.Long(DiskRecordsCapacity);
}

void GetDisksRequest::Read(NdrReader& r) {
  DiskRecordsCapacity = r.Long();
}

void GetDisksResponse::Write(NdrWriter& w, const GetDisksRequest& request) const {
  wire::WriteCounted(w, request.DiskRecordsCapacity, DiskRecords);
  w.LongArray1(Count);
  w.LongArray1(Unused);
  w.Long(ReturnValue);
}

void GetDisksResponse::Read(NdrReader& r, const GetDisksRequest& request) {
  DiskRecords = wire::ReadCounted(r, request.DiskRecordsCapacity);
  Count = r.LongArray1();
  Unused = r.LongArray1();
  ReturnValue = r.Long();
}

void ListDirRequest::Write(NdrWriter& w) const {
  w.String(Path);
  w.Long(Kind);
  w.Long(ListingCapacity);
}

void ListDirRequest::Read(NdrReader& r) {
  Path = r.String();
  Kind = r.Long();
  ListingCapacity = r.Long();
}

void ListDirResponse::Write(NdrWriter& w, const ListDirRequest& request) const {
  wire::WriteCounted(w, request.ListingCapacity, Listing);
  w.LongArray1(Error);
  w.Long(ReturnValue);
}

void ListDirResponse::Read(NdrReader& r, const ListDirRequest& request) {
  Listing = wire::ReadCounted(r, request.ListingCapacity);
  Error = r.LongArray1();
  ReturnValue = r.Long();
}

void GetFileRequest::Write(NdrWriter& w) const {
  w.String(Path);
  w.Long(Offset);
  w.Long(DataCapacity);
}

void GetFileRequest::Read(NdrReader& r) {
  Path = r.String();
  Offset = r.Long();
  DataCapacity = r.Long();
}

void GetFileResponse::Write(NdrWriter& w, const GetFileRequest& request) const {
  wire::WriteCounted(w, request.DataCapacity, Data);
  for (int32_t v : Unused) w.LongArray1(v);
  w.LongArray1(Error);
  w.Long(ReturnValue);
}

void GetFileResponse::Read(NdrReader& r, const GetFileRequest& request) {
  Data = wire::ReadCounted(r, request.DataCapacity);
  for (int32_t& v : Unused) v = r.LongArray1();
  Error = r.LongArray1();
  ReturnValue = r.Long();
}

void GetFolderCountRequest::Write(NdrWriter&) const {
}

void GetFolderCountRequest::Read(NdrReader&) {
}

void GetFolderCountResponse::Write(NdrWriter& w, const GetFolderCountRequest&) const {
  w.Long(ReturnValue);
}

void GetFolderCountResponse::Read(NdrReader& r, const GetFolderCountRequest&) {
  ReturnValue = r.Long();
}

void GetFolderAtRequest::Write(NdrWriter& w) const {
  w.Long(Index);
  w.Long(FirstTextCapacity);
  w.Long(SecondTextCapacity);
}

void GetFolderAtRequest::Read(NdrReader& r) {
  Index = r.Long();
  FirstTextCapacity = r.Long();
  SecondTextCapacity = r.Long();
}

void GetFolderAtResponse::Write(NdrWriter& w, const GetFolderAtRequest& request) const {
  wire::WriteCounted(w, request.FirstTextCapacity, FirstText);
  wire::WriteCounted(w, request.SecondTextCapacity, SecondText);
  w.LongArray1(FileCount);
  w.Long(ReturnValue);
}

void GetFolderAtResponse::Read(NdrReader& r, const GetFolderAtRequest& request) {
  FirstText = wire::ReadCounted(r, request.FirstTextCapacity);
  SecondText = wire::ReadCounted(r, request.SecondTextCapacity);
  FileCount = r.LongArray1();
  ReturnValue = r.Long();
}

}  // namespace rpc
