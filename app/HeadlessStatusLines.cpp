#include "HeadlessStatusLines.h"

#include <cstdio>

#include "core/net/ComputerRegistry.h"
#include "rpc/runtime/CallInterrupt.h"
#include "rpc/runtime/FailureCause.h"
#include "text/Cp1251.h"

namespace app {

void PrintError(const std::string& message) {
  std::fprintf(stderr, "vtconsole: %s\n", message.c_str());
  std::fflush(stderr);
}

void PrepareStopSignal() { rpc::InterruptWaitFd(); }

void StopSignalArrived() { rpc::InterruptCalls(); }

void ResumeCallsAfterStopSignal() { rpc::ResetCallInterrupt(); }

std::string DescribeChannelFailure(const core::__RpcClientDescription& computer) {
  return rpc::DescribeFailure(computer.lastException, computer.lastFailureCause);
}

LogonSummary SummarizeLogons(const core::ComputerRegistry& computers, const std::string& user) {
  LogonSummary summary;
  for (int slot = 0; slot < core::ComputerRegistry::kSlots; ++slot) {
    const core::__RpcClientDescription* computer = computers.At(slot);
    if (!computer) continue;
    const std::string name = text::Cp1251ToUtf8(computer->name);
    switch (computer->startupLogon) {
      case core::StartupLogon::Accepted: ++summary.accepted; break;
      case core::StartupLogon::Unreachable:
        summary.unreachable.push_back("computer \"" + name + "\" cannot be reached: " +
                                      DescribeChannelFailure(*computer) +
                                      "; it is polled on and logged on once it answers");
        break;
      case core::StartupLogon::Refused:
        summary.refused.push_back("computer \"" + name + "\" refused the logon of \"" + user + "\"");
        break;
      case core::StartupLogon::NotTried:
      case core::StartupLogon::NotUsed: break;
    }
  }
  return summary;
}

void ReportLogons(const LogonSummary& summary) {
  for (const auto& line : summary.unreachable) PrintError(line);
  for (const auto& line : summary.refused) PrintError(line);
}

void ChannelErrorLines::ComputerStateChanged(int computerIndex, bool online) {
  if (online || !computers_) return;
  const core::__RpcClientDescription* computer = computers_->At(computerIndex);
  if (!computer || computer->lastException == 0) return;
  PrintError("computer \"" + text::Cp1251ToUtf8(computer->name) +
             "\": channel error " + DescribeChannelFailure(*computer));
}

}  // namespace app
