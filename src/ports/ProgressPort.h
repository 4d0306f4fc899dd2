#pragma once
// The progress window and the busy indicator of long operations.

#include <string>

namespace ports {

class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void Begin(const std::string& title, int rangeMax) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void Step(int count = 1) = 0;
  virtual void Text(const std::string& line) = 0;
  virtual void End() = 0;
};

}  // namespace ports
