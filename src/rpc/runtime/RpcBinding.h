#pragma once
// A binding handle: a CallTarget that carries calls over the connection-
// oriented protocol to the computer a string binding names.
//
// Creating it checks the string binding and connects to nothing. The first
// call opens the association (connect, bind) and later calls reuse it. After a
// timeout, a transport failure or a protocol error the association is dropped
// and the next call opens a new one; a fault leaves it in place.
//
// Status codes raised (RpcException):
//   1722  no association: connection refused, unreachable, name not resolved,
//         connect timeout, or the connection lost before the bind was answered
//   1717  the server does not offer the interface (bind rejected or bind_nak)
//   1726  the association broke during a call: connection closed mid-reply, a
//         reply silent longer than the call timeout, a reply not complete
//         within the reply deadline or in more than pdu::kMaxReplyFragments
//         fragments, a send that failed
//   1728  a reply that breaks the protocol (wrong type, call id, flags, data
//         representation, fragment length, or above the 8 MiB reply cap)
//   1818  the calls were interrupted (CallInterrupt.h): the running call and
//         every later one, without touching the network
//   fault PDUs: their status mapped as FaultStatus.h says (1745, 1783, ...)
// Each carries a FailureCause beside its code (refused, no answer, timed out...).

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "rpc/iface/Interface.h"
#include "rpc/runtime/CallTarget.h"
#include "rpc/runtime/StringBinding.h"

namespace rpc {

class Transport;

struct BindingOptions {
  std::chrono::milliseconds connectTimeout{5000};
  // A call fails when its reply stays silent (no byte received) this long.
  std::chrono::milliseconds callTimeout{60000};
  // A reply must be complete this long after the request's last byte went
  // out, however steadily its fragments come; the bind answer too. Ten
  // minutes, ten default call timeouts: a 4.5 MiB answer still arrives over a
  // 64 kbit/s line, while a server that trickles fragments cannot hold the
  // console for ever. Negative: no deadline.
  std::chrono::milliseconds replyDeadline{600000};
  Uuid interfaceUuid = kInterfaceUuid;
  uint16_t versionMajor = kInterfaceVersionMajor;
  uint16_t versionMinor = kInterfaceVersionMinor;
};

class RpcBinding : public CallTarget {
 public:
  // Throws RpcException (17xx) when the string binding is bad; see StringBinding.h.
  explicit RpcBinding(std::string_view stringBinding, BindingOptions options = {});
  ~RpcBinding() override;
  RpcBinding(const RpcBinding&) = delete;
  RpcBinding& operator=(const RpcBinding&) = delete;

  Reply Call(uint16_t opnum, std::span<const uint8_t> request) override;

  void SetConnectTimeout(std::chrono::milliseconds timeout);
  void SetCallTimeout(std::chrono::milliseconds timeout);
  void SetReplyDeadline(std::chrono::milliseconds deadline);
  // Closes the association, if any; the next call opens a new one.
  void Reset();

  const StringBinding& Binding() const { return binding_; }
  bool Connected() const;
  // The fragment sizes the server granted at the last bind (0 before one).
  uint16_t MaxXmitFrag() const { return maxXmitFrag_; }
  uint16_t MaxRecvFrag() const { return maxRecvFrag_; }

 private:
  void Associate();
  Reply Exchange(uint16_t opnum, std::span<const uint8_t> request);

  StringBinding binding_;
  BindingOptions options_;
  mutable std::mutex mutex_;  // one call at a time on the association
  std::unique_ptr<Transport> connection_;
  uint32_t nextCallId_ = 1;
  uint16_t maxXmitFrag_ = 0;
  uint16_t maxRecvFrag_ = 0;
};

}  // namespace rpc
