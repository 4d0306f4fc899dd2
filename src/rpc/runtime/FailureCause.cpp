#include "rpc/runtime/FailureCause.h"

#include "rpc/runtime/RpcException.h"

namespace rpc {

namespace {

const char* TextOfCause(FailureCause cause) {
  switch (cause) {
    case FailureCause::Refused: return "connection refused";
    case FailureCause::NoAnswer: return "no answer";
    case FailureCause::Unresolved: return "name not resolved";
    case FailureCause::TimedOut: return "timed out";
    case FailureCause::Closed: return "connection closed";
    case FailureCause::ProtocolError: return "protocol error";
    case FailureCause::Cancelled: return "cancelled";
    case FailureCause::Other: break;
  }
  return nullptr;
}

const char* TextOfStatus(uint32_t status) {
  switch (status) {
    case status::kAccessDenied: return "access denied";
    case status::kOutOfMemory: return "out of memory";
    case status::kInvalidStringBinding: return "invalid string binding";
    case status::kInvalidBinding: return "invalid binding";
    case status::kProtseqNotSupported: return "protocol sequence not supported";
    case status::kInvalidEndpointFormat: return "invalid endpoint";
    case status::kUnknownIf: return "unknown interface";
    case status::kServerUnavailable: return "server unavailable";
    case status::kServerTooBusy: return "server too busy";
    case status::kCallFailed: return "call failed";
    case status::kCallFailedDne: return "call failed, not executed";
    case status::kProtocolError: return "protocol error";
    case status::kUnsupportedType: return "unsupported type";
    case status::kInvalidBound: return "invalid bound";
    case status::kProcNumOutOfRange: return "procedure number out of range";
    case status::kNullRefPointer: return "null reference pointer";
    case status::kBadStubData: return "bad stub data";
    case status::kCallCancelled: return "cancelled";
    default: return nullptr;
  }
}

}  // namespace

FailureCause CauseOfStatus(uint32_t status) {
  switch (status) {
    case status::kProtocolError: return FailureCause::ProtocolError;
    case status::kCallCancelled: return FailureCause::Cancelled;
    default: return FailureCause::Other;
  }
}

std::string DescribeFailure(uint32_t status, FailureCause cause) {
  const char* text = TextOfCause(cause);
  if (text == nullptr) text = TextOfStatus(status);
  std::string out = std::to_string(status);
  if (text != nullptr) out.append(" (").append(text).append(")");
  return out;
}

}  // namespace rpc
