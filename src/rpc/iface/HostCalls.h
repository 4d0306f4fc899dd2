#pragma once
// Client functions of the host operations: disks, directory listings, files, scanned folders: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// The scanned disks: Count records of 104 bytes.
int32_t GetDisks(CallTarget& target, int32_t DiskRecordsCapacity, int32_t* DiskRecordsLength,
                 char* DiskRecords, int32_t* Count, int32_t* Unused);

// A directory listing on the server, one name per line.
int32_t ListDir(CallTarget& target, const char* Path, int32_t Kind, int32_t ListingCapacity,
                int32_t* ListingLength, char* Listing, int32_t* Error);

// One file of an installation set; Data is bytes, not text.
int32_t GetFile(CallTarget& target, const char* Path, int32_t Offset, int32_t DataCapacity,
                int32_t* DataLength, char* Data, int32_t* Unused1, int32_t* Unused2,
                int32_t* Unused3, int32_t* Unused4, int32_t* Unused5, int32_t* Error);

// Number of scanned folders (the return value).
int32_t GetFolderCount(CallTarget& target);

// One scanned folder.
int32_t GetFolderAt(CallTarget& target, int32_t Index, int32_t FirstTextCapacity,
                    int32_t* FirstTextLength, char* FirstText, int32_t SecondTextCapacity,
                    int32_t* SecondTextLength, char* SecondText, int32_t* FileCount);

}  // namespace rpc
