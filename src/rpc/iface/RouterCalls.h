#pragma once
// Client functions of the Router operations: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// Adds a routing-table entry.
int32_t AddRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, const char* Target, int32_t Flag);

// Redirects a routing-table entry to another target.
int32_t RedirRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                      const char* Address, const char* Target, int32_t Flag);

// Removes a routing address (level | 0x80) or an abonent (111).
int32_t DelRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, int32_t Flag);

// The routing table of one level as text; -1 with Needed when the buffer is too small.
int32_t GetRoutList(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    int32_t* Needed, int32_t TableCapacity, int32_t* TableLength, char* Table);

// Writes a routing entry for a direction or an abonent.
int32_t SetRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, const char* Name, const char* Params, int32_t Flag);

// Abonent (111) or direction (112) information as text; -1 with Needed when too small.
int32_t GetAbonentInfo(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Kind,
                       const char* Name, int32_t* Needed, int32_t InfoCapacity, int32_t* InfoLength,
                       char* Info);

}  // namespace rpc
