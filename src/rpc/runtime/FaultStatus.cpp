#include "rpc/runtime/FaultStatus.h"

#include <utility>

#include "rpc/runtime/RpcException.h"

namespace rpc {

namespace {

// Windows codes not named in RpcException.h, used only in this table.
constexpr uint32_t kCommFailureCode = 1820;       // RPC_S_COMM_FAILURE
constexpr uint32_t kServerOutOfMemory = 1130;     // ERROR_NOT_ENOUGH_SERVER_MEMORY
constexpr uint32_t kZeroDivide = 1767;            // RPC_S_ZERO_DIVIDE
constexpr uint32_t kAddressError = 1768;          // RPC_S_ADDRESS_ERROR
constexpr uint32_t kFpDivZero = 1769;             // RPC_S_FP_DIV_ZERO
constexpr uint32_t kFpUnderflow = 1770;           // RPC_S_FP_UNDERFLOW
constexpr uint32_t kFpOverflow = 1771;            // RPC_S_FP_OVERFLOW
constexpr uint32_t kInvalidTag = 1733;            // RPC_S_INVALID_TAG

constexpr std::pair<uint32_t, uint32_t> kMap[] = {
    {nca::kCommFailure, kCommFailureCode},
    {nca::kOpRangeError, status::kProcNumOutOfRange},
    {nca::kUnknownInterface, status::kUnknownIf},
    {nca::kYouCrashed, status::kCallFailed},
    {nca::kProtoError, status::kProtocolError},
    {nca::kOutArgsTooBig, kServerOutOfMemory},
    {nca::kServerTooBusy, status::kServerTooBusy},
    {nca::kUnsupportedType, status::kUnsupportedType},
    {nca::kIntDivByZero, kZeroDivide},
    {nca::kAddrError, kAddressError},
    {nca::kFpDivZero, kFpDivZero},
    {nca::kFpUnderflow, kFpUnderflow},
    {nca::kFpOverflow, kFpOverflow},
    {nca::kInvalidTag, kInvalidTag},
    {nca::kInvalidBound, status::kInvalidBound},
    {nca::kRpcVersionMismatch, status::kProtocolError},
    {nca::kUnspecReject, status::kCallFailed},
    {nca::kBadActid, status::kCallFailedDne},
    {nca::kWhoAreYouFailed, status::kCallFailed},
    {nca::kManagerNotEntered, status::kCallFailedDne},
    {nca::kCancel, status::kCallCancelled},
    {nca::kIllInst, kAddressError},
    {nca::kFpError, kFpOverflow},
    {nca::kIntOverflow, kAddressError},
    {nca::kUnspec, status::kCallFailed},
    {nca::kRemoteNoMemory, status::kOutOfMemory},
};

bool IsNcaStatus(uint32_t value) { return (value & 0xFFFE0000u) == 0x1C000000u; }

}  // namespace

uint32_t WindowsCodeOfFault(uint32_t faultStatus) {
  for (const auto& [nca, code] : kMap) {
    if (nca == faultStatus) return code;
  }
  if (IsNcaStatus(faultStatus)) return status::kCallFailed;
  if (faultStatus == 0) return status::kCallFailed;  // a fault never means success
  return faultStatus;
}

uint32_t FaultStatusOfWindowsCode(uint32_t code) {
  switch (code) {
    case status::kProcNumOutOfRange: return nca::kOpRangeError;
    case status::kUnknownIf: return nca::kUnknownInterface;
    case status::kProtocolError: return nca::kProtoError;
    case status::kBadStubData: return nca::kFaultNdr;
    case status::kOk: return nca::kUnspec;
    default: return code;
  }
}

}  // namespace rpc
