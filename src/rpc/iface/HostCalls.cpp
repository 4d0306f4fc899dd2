#include "rpc/iface/HostCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/HostMessages.h"

namespace rpc {

int32_t GetDisks(CallTarget& target, int32_t DiskRecordsCapacity, int32_t* DiskRecordsLength,
                 char* DiskRecords, int32_t* Count, int32_t* Unused) {
  RequirePointers({DiskRecordsLength, DiskRecords, Count, Unused});
  RequireLength(DiskRecordsCapacity);
  GetDisksRequest request;
  request.DiskRecordsCapacity = DiskRecordsCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.DiskRecords, DiskRecordsLength, DiskRecords);
  *Count = response.Count;
  *Unused = response.Unused;
  return response.ReturnValue;
}

int32_t ListDir(CallTarget& target, const char* Path, int32_t Kind, int32_t ListingCapacity,
                int32_t* ListingLength, char* Listing, int32_t* Error) {
  RequirePointers({Path, ListingLength, Listing, Error});
  RequireLength(ListingCapacity);
  ListDirRequest request;
  request.Path = Path;
  request.Kind = Kind;
  request.ListingCapacity = ListingCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.Listing, ListingLength, Listing);
  *Error = response.Error;
  return response.ReturnValue;
}

int32_t GetFile(CallTarget& target, const char* Path, int32_t Offset, int32_t DataCapacity,
                int32_t* DataLength, char* Data, int32_t* Unused1, int32_t* Unused2,
                int32_t* Unused3, int32_t* Unused4, int32_t* Unused5, int32_t* Error) {
  RequirePointers({Path, DataLength, Data, Unused1, Unused2, Unused3, Unused4, Unused5, Error});
  RequireLength(DataCapacity);
  GetFileRequest request;
  request.Path = Path;
  request.Offset = Offset;
  request.DataCapacity = DataCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.Data, DataLength, Data);
  *Unused1 = response.Unused[0];
  *Unused2 = response.Unused[1];
  *Unused3 = response.Unused[2];
  *Unused4 = response.Unused[3];
  *Unused5 = response.Unused[4];
  *Error = response.Error;
  return response.ReturnValue;
}

int32_t GetFolderCount(CallTarget& target) {
  const GetFolderCountRequest request{};
  const auto response = Exchange(target, request);
  return response.ReturnValue;
}

int32_t GetFolderAt(CallTarget& target, int32_t Index, int32_t FirstTextCapacity,
                    int32_t* FirstTextLength, char* FirstText, int32_t SecondTextCapacity,
                    int32_t* SecondTextLength, char* SecondText, int32_t* FileCount) {
  RequirePointers({FirstTextLength, FirstText, SecondTextLength, SecondText, FileCount});
  RequireLength(FirstTextCapacity);
  RequireLength(SecondTextCapacity);
  GetFolderAtRequest request;
  request.Index = Index;
  request.FirstTextCapacity = FirstTextCapacity;
  request.SecondTextCapacity = SecondTextCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.FirstText, FirstTextLength, FirstText);
  CopyOut(response.SecondText, SecondTextLength, SecondText);
  *FileCount = response.FileCount;
  return response.ReturnValue;
}

}  // namespace rpc
