#pragma once
// What the headless program says on standard error beside the message list:
// the computers that could not be reached or refused the logon, a computer
// whose channel broke (with the RPC status and its meaning), and errors.
// Also the stop signal's reach into the waits of the RPC runtime.

#include <string>
#include <vector>

#include "ports/ViewNotifier.h"

namespace core {
class ComputerRegistry;
struct __RpcClientDescription;
}  // namespace core

namespace app {

// "vtconsole: <message>" on standard error.
void PrintError(const std::string& message);

// Before the signal handlers are installed.
void PrepareStopSignal();
// Called from the signal handler: every wait for the network ends at once.
void StopSignalArrived();
// After the stop: the shutdown's own calls may go out again.
void ResumeCallsAfterStopSignal();

// How the start-up logons went: the lines to print, in UTF-8.
struct LogonSummary {
  int accepted = 0;
  std::vector<std::string> unreachable;  // one line per computer
  std::vector<std::string> refused;      // one line per computer
};
// `user` is the user name the logons were given (UTF-8).
LogonSummary SummarizeLogons(const core::ComputerRegistry& computers, const std::string& user);
void ReportLogons(const LogonSummary& summary);

// "1722 (connection refused)": the status of the computer's last failed call
// and what it means.
std::string DescribeChannelFailure(const core::__RpcClientDescription& computer);

// A computer that goes off-line is named on standard error with the cause of
// its last failed call.
class ChannelErrorLines : public ports::ViewNotifier {
 public:
  void Attach(const core::ComputerRegistry& computers) { computers_ = &computers; }

  void ComputerStateChanged(int computerIndex, bool online) override;
  void RightsChanged(int) override {}
  void DisksChanged(int) override {}
  void FoldersChanged(int) override {}
  void ReplicationChanged(int) override {}
  void TasksChanged(int) override {}

 private:
  const core::ComputerRegistry* computers_ = nullptr;
};

}  // namespace app
