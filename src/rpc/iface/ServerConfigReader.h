#pragma once
// Reading the server configuration file of a computer through the Cfg
// operations. Only the section name and each parameter's key and value are
// evaluated. A nonzero Status at any step ends the reading with the failure;
// RPC failures pass through as RpcException.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rpc/iface/CallFailure.h"

namespace rpc {

class CallTarget;

struct ConfigParam {
  std::string key;    // upper case (ASCII)
  std::string value;  // trimmed of blanks at both ends
};

class ServerConfigReader {
 public:
  explicit ServerConfigReader(CallTarget& target) : target_(target) {}

  // The section names in server order; empty on failure.
  std::optional<std::vector<std::string>> SectionNames();
  // Sections are read in order until `name` (exact) is found: true when found,
  // false when no section has that name, empty on failure.
  std::optional<bool> HasSection(const std::string& name);
  // The parameters of one section; empty on failure.
  std::optional<std::vector<ConfigParam>> Params(const std::string& section);
  // HasSection, then Params; no such section gives an empty list.
  std::optional<std::vector<ConfigParam>> SectionParams(const std::string& section);

  const CallFailure& Failure() const { return failure_; }

 private:
  std::optional<int32_t> SectionCount();
  std::optional<std::string> SectionAt(int32_t index);
  void Fail(const char* operation, int32_t returnValue, int32_t status);

  CallTarget& target_;
  CallFailure failure_;
};

}  // namespace rpc
