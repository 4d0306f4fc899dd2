#pragma once
// Follows a simulator's request log as it grows and stamps each new line
// with the time it was first seen: the log itself carries no times.

#include <cstdint>
#include <string>
#include <vector>

#include "SoakRecord.h"

namespace soak {

class RequestTail {
 public:
  explicit RequestTail(std::string path) : path_(std::move(path)) {}
  // Reads what was added since the last call; complete lines only.
  void Poll(double now, std::vector<StampedLine>& out);

 private:
  std::string path_;
  uint64_t offset_ = 0;
  std::string partial_;
};

}  // namespace soak
