#pragma once
// Status codes carried by fault PDUs and their Windows status codes.
//
// A fault carries either an NCA status (0x1C00xxxx / 0x1C01xxxx) or, as the
// common servers do, a Windows code as it is. The client maps the NCA codes it
// knows to their Windows codes, any other NCA code to 1726 (call failed), and
// passes every other value through unchanged.

#include <cstdint>

namespace rpc {

namespace nca {
inline constexpr uint32_t kCommFailure = 0x1C010001;
inline constexpr uint32_t kOpRangeError = 0x1C010002;
inline constexpr uint32_t kUnknownInterface = 0x1C010003;
inline constexpr uint32_t kWrongBootTime = 0x1C010006;
inline constexpr uint32_t kYouCrashed = 0x1C010009;
inline constexpr uint32_t kProtoError = 0x1C01000B;
inline constexpr uint32_t kOutArgsTooBig = 0x1C010013;
inline constexpr uint32_t kServerTooBusy = 0x1C010014;
inline constexpr uint32_t kUnsupportedType = 0x1C010017;
inline constexpr uint32_t kIntDivByZero = 0x1C000001;
inline constexpr uint32_t kAddrError = 0x1C000002;
inline constexpr uint32_t kFpDivZero = 0x1C000003;
inline constexpr uint32_t kFpUnderflow = 0x1C000004;
inline constexpr uint32_t kFpOverflow = 0x1C000005;
inline constexpr uint32_t kInvalidTag = 0x1C000006;
inline constexpr uint32_t kInvalidBound = 0x1C000007;
inline constexpr uint32_t kRpcVersionMismatch = 0x1C000008;
inline constexpr uint32_t kUnspecReject = 0x1C000009;
inline constexpr uint32_t kBadActid = 0x1C00000A;
inline constexpr uint32_t kWhoAreYouFailed = 0x1C00000B;
inline constexpr uint32_t kManagerNotEntered = 0x1C00000C;
inline constexpr uint32_t kCancel = 0x1C00000D;
inline constexpr uint32_t kIllInst = 0x1C00000E;
inline constexpr uint32_t kFpError = 0x1C00000F;
inline constexpr uint32_t kIntOverflow = 0x1C000010;
inline constexpr uint32_t kUnspec = 0x1C000012;
inline constexpr uint32_t kRemoteNoMemory = 0x1C00001B;
// Bad stub data: the same number as the Windows code 1783.
inline constexpr uint32_t kFaultNdr = 0x000006F7;
}  // namespace nca

// The Windows code a client reports for a fault's status.
uint32_t WindowsCodeOfFault(uint32_t faultStatus);
// The status a server puts in a fault for a Windows code: the NCA status of
// 1745, 1717, 1728 and 1783, the code itself otherwise (0 becomes unspecified,
// since a fault never carries success).
uint32_t FaultStatusOfWindowsCode(uint32_t code);

}  // namespace rpc
