#pragma once
// The mail server record: one per entry of [Hosts], owned by the mail server
// registry. The registry fills its name and computers; the directory model
// hangs its host description and routing cache on `model`.

#include <memory>
#include <string>
#include <vector>

namespace core {

// What the directory model keeps per mail server; derived from there.
class HostModelData {
 public:
  virtual ~HostModelData() = default;
};

struct __VtHostDescription {
  std::string name;
  std::vector<int> computers;  // computer registry slots, in the entry's order
  int index = -1;              // slot in the mail server registry
  std::unique_ptr<HostModelData> model;
};

}  // namespace core
