#include "model/host/CommonSectionReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/host/ConfigSections.h"
#include "model/host/VtHostData.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/CfgCalls.h"
#include "rpc/iface/ReplyBounds.h"

namespace model {

namespace {

const char* const kCommon = "COMMON";

// The parameter count of COMMON; -1 when there is no such section or the
// sections could not be counted (*counted false then). An unreadable section
// is skipped.
int32_t FindCommon(rpc::CallTarget& target, bool* counted) {
  int32_t params = -1;
  *counted = ForEachConfigSection(
      target,
      [&](const std::string& name) {
        if (name != kCommon) return true;
        int32_t status = 0, count = 0;
        rpc::CfgGetParamCount(target, &status, &count, kCommon);
        // A count that cannot be read gives no parameters.
        params = status == 0 ? rpc::BoundedServerCount(count) : 0;
        return false;
      },
      false);
  return params;
}

}  // namespace

bool ReadCommonSection(rpc::CallTarget& target, VtHostData& host) {
  host.ClearCommon();
  bool counted = false;
  const int32_t params = FindCommon(target, &counted);
  if (!counted) return false;

  auto key = ConfigTextBuffer(rpc::cap::kCfgKey);
  auto value = ConfigTextBuffer(rpc::cap::kCfgText);
  auto third = ConfigTextBuffer(rpc::cap::kCfgText);
  auto fourth = ConfigTextBuffer(rpc::cap::kCfgText);
  std::array<bool, VtHostData::kCommonCount> seen{};
  size_t seenCount = 0;
  for (int32_t i = 0; i < params && seenCount < VtHostData::kCommonCount; ++i) {
    for (auto* b : {&key, &value, &third, &fourth}) std::fill(b->begin(), b->end(), 0);
    int32_t status = 0, keyLen = 0, valueLen = 0, thirdLen = 0, fourthLen = 0;
    rpc::CfgGetParamAt(target, &status, kCommon, i, rpc::cap::kCfgKey, &keyLen, key.data(), rpc::cap::kCfgText,
                       &valueLen, value.data(), rpc::cap::kCfgText, &thirdLen, third.data(), rpc::cap::kCfgText,
                       &fourthLen, fourth.data());
    if (status != 0) continue;  // a parameter that cannot be read is skipped
    const int slot = VtHostData::CommonSlot(key.data());
    if (slot < 0) continue;
    // A key given twice counts once toward the fourteen; its last value is kept.
    host.StoreCommon(key.data(), value.data());
    if (!seen[static_cast<size_t>(slot)]) {
      seen[static_cast<size_t>(slot)] = true;
      ++seenCount;
    }
  }
  return true;
}

}  // namespace model
