#pragma once
// Client functions of the server task operations: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// Number of server tasks on the computer.
int32_t TaskGetCount(CallTarget& target, int32_t* Count);

// Name and comment of the task at an index.
int32_t TaskGetAt(CallTarget& target, int32_t Index, int32_t TaskNameCapacity,
                  int32_t* TaskNameLength, char* TaskName, int32_t CommentCapacity,
                  int32_t* CommentLength, char* Comment);

// State code of a task; sent with 5.
int32_t TaskGetState(CallTarget& target, const char* TaskName, int32_t* State);

// A command code for one task.
int32_t TaskControl(CallTarget& target, const char* TaskName, int32_t* Command);

// A command code for the whole server.
int32_t ServerControl(CallTarget& target, int32_t* Command);

// Number of property entries of a task.
int32_t TaskGetParamCount(CallTarget& target, const char* TaskName, int32_t* Count);

// One property entry of a task as four texts.
int32_t TaskGetParamAt(CallTarget& target, const char* TaskName, int32_t Index,
                       int32_t FirstTextCapacity, int32_t* FirstTextLength, char* FirstText,
                       int32_t SecondTextCapacity, int32_t* SecondTextLength, char* SecondText,
                       int32_t ThirdTextCapacity, int32_t* ThirdTextLength, char* ThirdText,
                       int32_t FourthTextCapacity, int32_t* FourthTextLength, char* FourthText);

}  // namespace rpc
