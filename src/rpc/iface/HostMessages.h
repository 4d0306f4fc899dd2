#pragma once
// Request and response bodies of the host operations: disks, directory listings, files, scanned folders. The client functions and the node
// simulator both use them, so the two sides encode the same bytes. A request holds
// the [in] and [in,out] parameters, a response the [out] and [in,out] ones and the
// return value, each in wire order.

#include <array>
#include <cstdint>
#include <string>

#include "rpc/iface/Opnums.h"

namespace rpc {

class NdrWriter;
class NdrReader;

struct GetDisksResponse;

// The scanned disks: Count records of 104 bytes.
struct GetDisksRequest {
  static constexpr uint16_t kOpnum = opnum::GetDisks;
  using Response = GetDisksResponse;

  int32_t DiskRecordsCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetDisksResponse {
  std::string DiskRecords;  // its length travels before it
  int32_t Count = 0;
  int32_t Unused = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetDisksRequest& request) const;
  void Read(NdrReader& r, const GetDisksRequest& request);
};

struct ListDirResponse;

// A directory listing on the server, one name per line.
struct ListDirRequest {
  static constexpr uint16_t kOpnum = opnum::ListDir;
  using Response = ListDirResponse;

  std::string Path;
  int32_t Kind = 0;
  int32_t ListingCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct ListDirResponse {
  std::string Listing;  // its length travels before it
  int32_t Error = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const ListDirRequest& request) const;
  void Read(NdrReader& r, const ListDirRequest& request);
};

struct GetFileResponse;

// One file of an installation set; Data is bytes, not text.
struct GetFileRequest {
  static constexpr uint16_t kOpnum = opnum::GetFile;
  using Response = GetFileResponse;

  std::string Path;
  int32_t Offset = 0;
  int32_t DataCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetFileResponse {
  std::string Data;  // its length travels before it
  std::array<int32_t, 5> Unused{};
  int32_t Error = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetFileRequest& request) const;
  void Read(NdrReader& r, const GetFileRequest& request);
};

struct GetFolderCountResponse;

// Number of scanned folders (the return value).
struct GetFolderCountRequest {
  static constexpr uint16_t kOpnum = opnum::GetFolderCount;
  using Response = GetFolderCountResponse;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetFolderCountResponse {
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const GetFolderCountRequest& request) const;
  void Read(NdrReader& r, const GetFolderCountRequest& request);
};

struct GetFolderAtResponse;

// One scanned folder.
struct GetFolderAtRequest {
  static constexpr uint16_t kOpnum = opnum::GetFolderAt;
  using Response = GetFolderAtResponse;

  int32_t Index = 0;
  int32_t FirstTextCapacity = 0;
  int32_t SecondTextCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetFolderAtResponse {
  std::string FirstText;  // its length travels before it
  std::string SecondText;  // its length travels before it
  int32_t FileCount = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetFolderAtRequest& request) const;
  void Read(NdrReader& r, const GetFolderAtRequest& request);
};

}  // namespace rpc
