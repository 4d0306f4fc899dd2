#pragma once
// The handler the server runtime calls for every request: decodes the body with
// the interface's request struct, writes the request log line, asks the fault
// plan what this call is to get, lets the node act (under the node's lock) and
// encodes the response with the interface's response struct.
//
// A body that does not decode is logged as "NAME <bad stub data>" and answered
// with a bad-stub-data fault; an operation the console never issues is logged
// as "ProcN <not served>" and answered with a range-error fault.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "rpc/runtime/RpcServer.h"
#include "sim/lib/FaultPlan.h"
#include "sim/lib/RequestLog.h"
#include "sim/lib/SimNode.h"

namespace sim {

class NodeService {
 public:
  NodeService(SimNode& node, std::mutex& nodeMutex, FaultPlan& faults, RequestLog& log)
      : node_(node), mutex_(nodeMutex), faults_(faults), log_(log) {}

  rpc::ServerReply Handle(uint16_t opnum, rpc::NdrReader& request);
  // Calls received so far, served or not.
  uint64_t Calls() const { return calls_.load(std::memory_order_relaxed); }

 private:
  template <class Request, class Method>
  rpc::ServerReply Serve(rpc::NdrReader& reader, Method method);

  SimNode& node_;
  std::mutex& mutex_;
  FaultPlan& faults_;
  RequestLog& log_;
  std::atomic<uint64_t> calls_{0};
};

}  // namespace sim
