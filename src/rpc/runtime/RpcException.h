#pragma once
// A failure of the RPC runtime, carrying a Windows RPC status code and, where
// the runtime knows it, the finer cause (FailureCause.h). Only the call
// envelope of the core catches it.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "rpc/runtime/FailureCause.h"

namespace rpc {

namespace status {
inline constexpr uint32_t kOk = 0;
inline constexpr uint32_t kOutOfMemory = 14;            // ERROR_OUTOFMEMORY
inline constexpr uint32_t kInvalidBinding = 1702;       // RPC_S_INVALID_BINDING
inline constexpr uint32_t kProtseqNotSupported = 1703;  // RPC_S_PROTSEQ_NOT_SUPPORTED
inline constexpr uint32_t kInvalidStringBinding = 1700; // RPC_S_INVALID_STRING_BINDING
inline constexpr uint32_t kInvalidEndpointFormat = 1706;
inline constexpr uint32_t kServerUnavailable = 1722;    // RPC_S_SERVER_UNAVAILABLE
inline constexpr uint32_t kServerTooBusy = 1723;
inline constexpr uint32_t kUnsupportedType = 1732;
inline constexpr uint32_t kCallFailed = 1726;           // RPC_S_CALL_FAILED
inline constexpr uint32_t kCallFailedDne = 1727;        // RPC_S_CALL_FAILED_DNE
inline constexpr uint32_t kProtocolError = 1728;        // RPC_S_PROTOCOL_ERROR
inline constexpr uint32_t kUnknownIf = 1717;            // RPC_S_UNKNOWN_IF
inline constexpr uint32_t kProcNumOutOfRange = 1745;    // RPC_S_PROCNUM_OUT_OF_RANGE
inline constexpr uint32_t kCallCancelled = 1818;        // RPC_S_CALL_CANCELLED
inline constexpr uint32_t kNullRefPointer = 1780;       // RPC_X_NULL_REF_POINTER
inline constexpr uint32_t kBadStubData = 1783;          // RPC_X_BAD_STUB_DATA
inline constexpr uint32_t kInvalidBound = 1734;         // RPC_X_INVALID_BOUND
inline constexpr uint32_t kAccessDenied = 5;
}  // namespace status

class RpcException : public std::runtime_error {
 public:
  explicit RpcException(uint32_t code, const std::string& what = {})
      : RpcException(code, what, CauseOfStatus(code)) {}
  RpcException(uint32_t code, const std::string& what, FailureCause cause)
      : std::runtime_error(what.empty() ? "RPC status " + std::to_string(code) : what), code_(code), cause_(cause) {}
  uint32_t Code() const { return code_; }
  FailureCause Cause() const { return cause_; }
  // DescribeFailure(Code(), Cause()).
  std::string Describe() const { return DescribeFailure(code_, cause_); }

 private:
  uint32_t code_;
  FailureCause cause_;
};

}  // namespace rpc
