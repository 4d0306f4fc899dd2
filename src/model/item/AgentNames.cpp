#include "model/item/AgentNames.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "core/net/NetworkServices.h"
#include "model/host/ConfigSections.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/CfgCalls.h"
#include "rpc/iface/ReplyBounds.h"
#include "text/Strings.h"

namespace model {

namespace {

// Sections of the console's own tasks: they declare no agents.
constexpr std::array<std::string_view, 12> kNotAgentSections = {
    "COMMON", "TASKS", "RPC", "EXMON", "VTARC", "VBARC", "VTSTAT", "QUEUE MANAGER", "QUEUE_MANAGER",
    "MQUEUE", "ROUTER", "MSERVER"};

bool IsAgentSection(std::string_view name) {
  return std::find(kNotAgentSections.begin(), kNotAgentSections.end(), name) == kNotAgentSections.end();
}

// "<X>" gives "#X" (trimmed, upper case); empty when the key names no agent.
std::string AgentFromKey(std::string_view key) {
  if (key.size() < 2 || key.front() != '<' || key.back() != '>') return {};
  if (text::ToUpperAscii(key) == "<FOLDER>") return {};  // the local folder is not an agent
  return text::ToUpperAscii(text::Trim("#" + std::string(key.substr(1, key.size() - 2))));
}

// False when a call failed: the computer is read no further.
bool ReadSection(rpc::CallTarget& target, const std::string& section, std::vector<std::string>& names) {
  int32_t status = 0, params = 0;
  rpc::CfgGetParamCount(target, &status, &params, section.c_str());
  if (status != 0) return false;
  params = rpc::BoundedServerCount(params);
  auto key = ConfigTextBuffer(rpc::cap::kCfgKey);
  auto value = ConfigTextBuffer(rpc::cap::kCfgText);
  auto third = ConfigTextBuffer(rpc::cap::kCfgText);
  auto fourth = ConfigTextBuffer(rpc::cap::kCfgText);
  for (int32_t i = 0; i < params; ++i) {
    for (auto* b : {&key, &value, &third, &fourth}) std::fill(b->begin(), b->end(), 0);
    int32_t keyLen = 0, valueLen = 0, thirdLen = 0, fourthLen = 0;
    status = 0;
    rpc::CfgGetParamAt(target, &status, section.c_str(), i, rpc::cap::kCfgKey, &keyLen, key.data(),
                       rpc::cap::kCfgText, &valueLen, value.data(), rpc::cap::kCfgText, &thirdLen, third.data(),
                       rpc::cap::kCfgText, &fourthLen, fourth.data());
    if (status != 0) return false;
    const std::string agent = AgentFromKey(key.data());
    if (!agent.empty() && std::find(names.begin(), names.end(), agent) == names.end()) names.push_back(agent);
  }
  return true;
}

}  // namespace

void ReadAgentNamesOn(rpc::CallTarget& target, std::vector<std::string>& names) {
  // Any call that fails ends this computer; the names found stay.
  ForEachConfigSection(
      target,
      [&](const std::string& section) { return !IsAgentSection(section) || ReadSection(target, section, names); },
      true);
}

std::vector<std::string> ReadAgentNames(core::NetworkServices& net, const std::string& mailServer) {
  std::vector<std::string> names;
  const core::__VtHostDescription* host = net.FindMailServer(mailServer);
  if (host == nullptr) return names;
  for (const int index : host->computers) {
    core::__RpcClientDescription* computer = net.Computers().At(index);
    if (computer == nullptr) continue;
    // A failed bind or call ends this computer; the names found stay.
    net.Binding().CallOn(*computer, [&](rpc::CallTarget& target) { ReadAgentNamesOn(target, names); });
  }
  return names;
}

}  // namespace model
