#include "model/host/ConfigSections.h"

#include <algorithm>

#include "rpc/iface/Capacities.h"
#include "rpc/iface/CfgCalls.h"
#include "rpc/iface/ReplyBounds.h"

namespace model {

std::vector<char> ConfigTextBuffer(int32_t capacity) {
  return std::vector<char>(static_cast<size_t>(capacity) + 1, 0);
}

bool ForEachConfigSection(rpc::CallTarget& target, const std::function<bool(const std::string& name)>& visit,
                          bool stopAtUnreadable) {
  int32_t status = 0, sections = 0;
  rpc::CfgGetSectionCount(target, &status, &sections);
  if (status != 0) return false;
  sections = rpc::BoundedServerCount(sections);
  auto name = ConfigTextBuffer(rpc::cap::kSectionName);
  auto second = ConfigTextBuffer(rpc::cap::kCfgText);
  auto third = ConfigTextBuffer(rpc::cap::kCfgText);
  for (int32_t i = 0; i < sections; ++i) {
    for (auto* b : {&name, &second, &third}) std::fill(b->begin(), b->end(), 0);
    int32_t nameLen = 0, secondLen = 0, thirdLen = 0;
    status = 0;
    rpc::CfgGetSectionAt(target, &status, i, rpc::cap::kSectionName, &nameLen, name.data(), rpc::cap::kCfgText,
                         &secondLen, second.data(), rpc::cap::kCfgText, &thirdLen, third.data());
    if (status != 0) {
      if (stopAtUnreadable) return true;
      continue;
    }
    if (!visit(std::string(name.data()))) return true;
  }
  return true;
}

}  // namespace model
