#pragma once
// Client functions of the queue manager directory operations: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// A typed query record out, the reply record back in the same buffer.
int32_t QMX_VtQmx_ExecuteQuery(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               int32_t* Result, int32_t Capacity, int32_t* Length, char* Record);

// Adds a directory item; Name carries its NUL.
int32_t QMX_DirAdd(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t NameLen,
                   const uint8_t* Name, int32_t Priority, int32_t Blocked, int32_t CallAtInterval,
                   int32_t NoCallOnArrival, int32_t ExtraOption);

// Removes an abonent from the queue manager.
int32_t QMX_DirDelete(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name);

// Number of directory items.
int32_t QMX_DirGetCount(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t* Count);

// One directory item as text and five item values.
int32_t QMX_DirGetAt(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Index,
                     int32_t ItemTextCapacity, int32_t* ItemTextLength, char* ItemText,
                     int32_t* Value1, int32_t* Value2, int32_t* Value3, int32_t* Value4,
                     int32_t* Value5);

// Reads back the five attributes of QMX_DirAdd.
int32_t QMX_DirGetAttrs(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                        int32_t* Priority, int32_t* Blocked, int32_t* CallAtInterval,
                        int32_t* NoCallOnArrival, int32_t* ExtraOption);

// Changes an item; PrevName is its name before editing.
int32_t QMX_DirModify(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* PrevName,
                      const char* Name, int32_t Priority, int32_t Blocked, int32_t CallAtInterval,
                      int32_t NoCallOnArrival, int32_t ExtraOption);

// The call schedule as Count frames of 72 bytes.
int32_t QMX_DirGetTimingsArray(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               const char* Name, int32_t TimingsCapacity, int32_t* TimingsLength,
                               char* Timings, int32_t* Count);

// Writes the call schedule: frames x 72 bytes.
int32_t QMX_DirSetTimingsArray(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               const char* Name, int32_t Length, const uint8_t* Timings);

// The eleven queue counters of an item.
int32_t QMX_DirGetQueueCounters(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                                const char* Name, int32_t* AbsoluteFiles, int32_t* HighFiles,
                                int32_t* ReportFiles, int32_t* NormalFiles, int32_t* LowFiles,
                                int32_t* LastConnection, int32_t* AbsoluteAge, int32_t* HighAge,
                                int32_t* ReportAge, int32_t* NormalAge, int32_t* LowAge);

// Sets the password option (the password hash).
int32_t QMX_DirSetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                         int32_t Option);

// Clears the password option.
int32_t QMX_DirReSetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name);

// Reads the password option: 0 means a password is set.
int32_t QMX_DirGetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                         int32_t* Option);

// The link parameter text and the via-local-folder flag.
int32_t QMX_DirGetApfList(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                          int32_t ApfListCapacity, int32_t* ApfListLength, char* ApfList,
                          int32_t* Flag);

// Writes the link parameter text.
int32_t QMX_DirSetApfList(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                          const char* ApfList);

}  // namespace rpc
