#pragma once
// One fetch of Router texts (GetRoutList levels, GetAbonentInfo) with the
// buffer that grows once. The server answers -1 with the size it needs in
// Needed; the fetch then repeats the same request once with Needed + 1 bytes
// and keeps that buffer for the rest of the fetch. A second -1, a Needed of 0
// or above 64 MiB, or any other failure ends the fetch; the failure is kept for
// the caller to report under the operation's name. RPC failures pass through as
// RpcException.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rpc/iface/CallFailure.h"
#include "rpc/iface/Capacities.h"

namespace rpc {

class CallTarget;

class RoutingFetch {
 public:
  explicit RoutingFetch(int32_t initialCapacity = cap::kRouterText);

  // The routing table text of one level (0 to 5); empty on failure. Success:
  // both status words 0 and a return value not below 0.
  std::optional<std::string> RoutList(CallTarget& target, int32_t level);
  // Abonent (111) or direction (112) information; success needs a return value of 0.
  std::optional<std::string> AbonentInfo(CallTarget& target, int32_t kind, const std::string& name);

  // The last failure; meaningful after a call returned empty.
  const CallFailure& Failure() const { return failure_; }
  int32_t Capacity() const { return capacity_; }
  bool Enlarged() const { return enlarged_; }

 private:
  using Issue = std::function<int32_t(int32_t* status, int32_t* rpcErr, int32_t* needed, int32_t* length)>;
  std::optional<std::string> Fetch(const char* operation, bool zeroOnly, const Issue& issue);

  std::vector<char> buffer_;  // capacity + 1
  int32_t capacity_;
  bool enlarged_ = false;
  CallFailure failure_;
};

}  // namespace rpc
