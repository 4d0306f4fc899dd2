#pragma once
// A failed operation as the reporters want it: the operation's name, its return
// value and its two status words. The interface layer shows no messages; it
// hands this to its caller.

#include <cstdint>
#include <string>

namespace rpc {

struct CallFailure {
  std::string operation;
  int32_t returnValue = 0;
  int32_t status = 0;
  int32_t rpcErr = 0;

  bool operator==(const CallFailure&) const = default;
};

}  // namespace rpc
