#pragma once
// The headless dialogs of the monitor: the logon dialog is answered from the
// credentials, the rights conflict question by "continue" (or "end the
// program" with --quit-on-conflict). Every other box as HeadlessDialogPort.

#include <set>
#include <string>

#include "Credentials.h"
#include "HeadlessPorts.h"

namespace app {

class MonitorDialogPort : public HeadlessDialogPort {
 public:
  MonitorDialogPort(Credentials credentials, bool quitOnConflict);

  int Ask(const ports::QuestionRequest& request) override;
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest& request) override;

  bool Conflicted() const { return conflicted_; }

 private:
  Credentials credentials_;
  bool quitOnConflict_;
  bool conflicted_ = false;
};

}  // namespace app
