#pragma once
// The node simulator as a library: a simulated node served over the server
// runtime on TCP and/or a local endpoint, with its request log, its fault plan
// and its control channel. The program vtnode-sim is a thin shell around it;
// tests run it in-process.
//
//   auto node = sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr));
//   sim::NodeSimulator simulator(std::move(node));
//   simulator.SetRequestLog(path);
//   uint16_t port = simulator.ListenTcp("127.0.0.1", 0);
//   simulator.Command("needed GetRoutList 700000");
//   simulator.WithNode([](sim::SimNode& n) { ... });
//   simulator.Stop();

#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "ports/Clock.h"
#include "sim/lib/ControlChannel.h"
#include "sim/lib/FaultPlan.h"
#include "sim/lib/NodeService.h"
#include "sim/lib/RequestLog.h"
#include "sim/lib/SimNode.h"

namespace sim {

class NodeSimulator {
 public:
  // `clock` (kept, not owned) times the mailbox delete confirmation; null: the system clock.
  explicit NodeSimulator(Node node, const ports::Clock* clock = nullptr);
  ~NodeSimulator();  // Stop()
  NodeSimulator(const NodeSimulator&) = delete;
  NodeSimulator& operator=(const NodeSimulator&) = delete;

  // Returns the bound port (0 picks a free one). Throws rpc::RpcException(1720).
  uint16_t ListenTcp(const std::string& host, uint16_t port);
  // The ncalrpc endpoint (a Unix-domain socket, rpc::LocalEndpointPath).
  void ListenLocal(const std::string& endpoint);
  // The control channel socket. Throws std::runtime_error.
  void ListenControl(const std::string& path);
  // Starts (truncating) the request log; false when the file cannot be created.
  bool SetRequestLog(const std::string& path);

  // Runs one control command (ControlCommands.h); "ok" or "error: why".
  std::string Command(std::string_view line);
  FaultPlan& Faults() { return faults_; }

  // Runs `f` on the node under its lock, between calls.
  template <class F>
  decltype(auto) WithNode(F&& f) {
    std::lock_guard lock(mutex_);
    return f(node_);
  }

  uint64_t AcceptedConnections() const;
  // Calls received on every endpoint so far.
  uint64_t CallsReceived() const { return service_.Calls(); }
  // Stops the listeners, the connections and the control channel. Safe twice.
  void Stop();

 private:
  std::mutex mutex_;
  SimNode node_;
  FaultPlan faults_;
  RequestLog log_;
  NodeService service_;
  std::unique_ptr<rpc::RpcServer> server_;
  std::unique_ptr<ControlChannel> control_;
};

}  // namespace sim
