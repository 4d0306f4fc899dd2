#pragma once
// Client functions of the server configuration operations: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// Sections of the server configuration file.
int32_t CfgGetSectionCount(CallTarget& target, int32_t* Status, int32_t* Count);

// One section; only its name is evaluated.
int32_t CfgGetSectionAt(CallTarget& target, int32_t* Status, int32_t Index,
                        int32_t SectionNameCapacity, int32_t* SectionNameLength, char* SectionName,
                        int32_t SecondTextCapacity, int32_t* SecondTextLength, char* SecondText,
                        int32_t ThirdTextCapacity, int32_t* ThirdTextLength, char* ThirdText);

// Parameters of one section.
int32_t CfgGetParamCount(CallTarget& target, int32_t* Status, int32_t* Count, const char* Section);

// One parameter; only Key and Value are evaluated.
int32_t CfgGetParamAt(CallTarget& target, int32_t* Status, const char* Section, int32_t Index,
                      int32_t KeyCapacity, int32_t* KeyLength, char* Key, int32_t ValueCapacity,
                      int32_t* ValueLength, char* Value, int32_t ThirdTextCapacity,
                      int32_t* ThirdTextLength, char* ThirdText, int32_t FourthTextCapacity,
                      int32_t* FourthTextLength, char* FourthText);

}  // namespace rpc
