#pragma once
// Which computer of a mail server carries a task: answered by whoever keeps
// the task lists of the computers (the task grid of the main window, or the
// poll headless).

#include <string>

namespace core {

class TaskCarrierLookup {
 public:
  virtual ~TaskCarrierLookup() = default;
  // The first computer listed under `mailServer` that has a task row named
  // `task` ("MQUEUE", "ROUTER"); empty when none.
  virtual std::string FindTaskComputer(const std::string& mailServer, const std::string& task) = 0;
};

}  // namespace core
