#pragma once
// Faults to inject into the simulator's answers, queued by command. Each rule
// applies to the next call of one operation (or of any operation) and is used up
// after its count of calls (or never, when it stays on).
//
//   Delay      wait before answering (adds up with other rules)
//   Drop       close the connection without answering
//   Hang       keep the connection and never answer
//   Fault      a fault PDU with a status
//   Malformed  a response PDU that breaks the protocol
//   Truncated  half of the response, then close
//   Needed     GetRoutList / GetAbonentInfo answer -1 with this Needed
//   Answer     skip the node and answer with this return value and status words
//
// Thread-safe.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rpc/runtime/RpcServer.h"

namespace sim {

struct FaultRule {
  enum class Kind { Delay, Drop, Hang, Fault, Malformed, Truncated, Needed, Answer };
  Kind kind = Kind::Delay;
  std::string operation;  // empty: any operation
  int remaining = 1;      // calls left; -1 stays on
  int64_t value = 0;      // delay ms, fault status, Needed, or the return value
  int32_t status = 0;     // Answer: the Status word
  int32_t rpcErr = 0;     // Answer: the RpcErr word
};

// What one call is to get.
struct CallPlan {
  std::chrono::milliseconds delay{0};
  rpc::ServerReply::Action action = rpc::ServerReply::Action::kAnswer;
  uint32_t faultStatus = 0;
  std::optional<int32_t> needed;
  std::optional<FaultRule> answer;
  bool bigEndian = false;
};

class FaultPlan {
 public:
  void Add(FaultRule rule);
  void Clear();
  void SetBigEndian(bool on);
  std::vector<FaultRule> Pending() const;

  // The plan for one call of `operation`; uses up the rules that apply. Needed
  // rules apply only to the operations that carry Needed.
  CallPlan Take(std::string_view operation);

 private:
  mutable std::mutex mutex_;
  std::vector<FaultRule> rules_;
  bool bigEndian_ = false;
};

}  // namespace sim
