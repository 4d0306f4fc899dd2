#include "sim/lib/NodeSimulator.h"

#include "rpc/iface/Opnums.h"
#include "sim/lib/ControlCommands.h"

namespace sim {

NodeSimulator::NodeSimulator(Node node, const ports::Clock* clock)
    : node_(std::move(node), clock), service_(node_, mutex_, faults_, log_) {
  server_ = std::make_unique<rpc::RpcServer>(
      [this](uint16_t opnum, rpc::NdrReader& request) { return service_.Handle(opnum, request); },
      static_cast<uint16_t>(rpc::opnum::kLast + 1));
}

NodeSimulator::~NodeSimulator() { Stop(); }

uint16_t NodeSimulator::ListenTcp(const std::string& host, uint16_t port) { return server_->ListenTcp(host, port); }

void NodeSimulator::ListenLocal(const std::string& endpoint) { server_->ListenLocal(endpoint); }

void NodeSimulator::ListenControl(const std::string& path) {
  auto control = std::make_unique<ControlChannel>([this](std::string_view line) { return Command(line); });
  control->Listen(path);
  control_ = std::move(control);
}

bool NodeSimulator::SetRequestLog(const std::string& path) { return log_.Open(path); }

std::string NodeSimulator::Command(std::string_view line) {
  std::lock_guard lock(mutex_);
  return RunControlCommand(line, faults_, node_, std::time(nullptr));
}

uint64_t NodeSimulator::AcceptedConnections() const { return server_->AcceptedConnections(); }

void NodeSimulator::Stop() {
  if (control_) control_->Stop();
  server_->Stop();
}

}  // namespace sim
