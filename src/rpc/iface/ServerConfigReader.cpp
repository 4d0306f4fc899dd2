#include "rpc/iface/ServerConfigReader.h"

#include <algorithm>

#include "rpc/iface/CfgCalls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/ReplyBounds.h"
#include "text/Strings.h"

namespace rpc {

namespace {
// An [out] text buffer of capacity + 1 bytes, zero-filled.
std::vector<char> TextBuffer(int32_t capacity) { return std::vector<char>(static_cast<size_t>(capacity) + 1, 0); }
}  // namespace

void ServerConfigReader::Fail(const char* operation, int32_t returnValue, int32_t status) {
  failure_ = CallFailure{operation, returnValue, status, 0};
}

std::optional<int32_t> ServerConfigReader::SectionCount() {
  int32_t status = 0, count = 0;
  const int32_t rv = CfgGetSectionCount(target_, &status, &count);
  if (status != 0) {
    Fail("CfgGetSectionCount", rv, status);
    return std::nullopt;
  }
  return BoundedServerCount(count);
}

std::optional<std::string> ServerConfigReader::SectionAt(int32_t index) {
  auto name = TextBuffer(cap::kSectionName);
  auto second = TextBuffer(cap::kCfgText);
  auto third = TextBuffer(cap::kCfgText);
  int32_t status = 0, nameLen = 0, secondLen = 0, thirdLen = 0;
  const int32_t rv = CfgGetSectionAt(target_, &status, index, cap::kSectionName, &nameLen, name.data(), cap::kCfgText,
                                     &secondLen, second.data(), cap::kCfgText, &thirdLen, third.data());
  if (status != 0) {
    Fail("CfgGetSectionAt", rv, status);
    return std::nullopt;
  }
  return std::string(name.data());
}

std::optional<std::vector<std::string>> ServerConfigReader::SectionNames() {
  const auto count = SectionCount();
  if (!count) return std::nullopt;
  std::vector<std::string> names;
  for (int32_t i = 0; i < *count; ++i) {
    auto name = SectionAt(i);
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
  }
  return names;
}

std::optional<bool> ServerConfigReader::HasSection(const std::string& wanted) {
  const auto count = SectionCount();
  if (!count) return std::nullopt;
  for (int32_t i = 0; i < *count; ++i) {
    const auto name = SectionAt(i);
    if (!name) return std::nullopt;
    if (*name == wanted) return true;
  }
  return false;
}

std::optional<std::vector<ConfigParam>> ServerConfigReader::Params(const std::string& section) {
  int32_t status = 0, count = 0;
  const int32_t rv = CfgGetParamCount(target_, &status, &count, section.c_str());
  if (status != 0) {
    Fail("CfgGetParamCount", rv, status);
    return std::nullopt;
  }
  count = BoundedServerCount(count);

  auto key = TextBuffer(cap::kCfgKey);
  auto value = TextBuffer(cap::kCfgText);
  auto third = TextBuffer(cap::kCfgText);
  auto fourth = TextBuffer(cap::kCfgText);
  std::vector<ConfigParam> params;
  for (int32_t i = 0; i < count; ++i) {
    for (auto* b : {&key, &value, &third, &fourth}) std::fill(b->begin(), b->end(), 0);
    int32_t keyLen = 0, valueLen = 0, thirdLen = 0, fourthLen = 0;
    status = 0;
    const int32_t at = CfgGetParamAt(target_, &status, section.c_str(), i, cap::kCfgKey, &keyLen, key.data(),
                                     cap::kCfgText, &valueLen, value.data(), cap::kCfgText, &thirdLen, third.data(),
                                     cap::kCfgText, &fourthLen, fourth.data());
    if (status != 0) {
      Fail("CfgGetParamAt", at, status);
      return std::nullopt;
    }
    params.push_back({text::ToUpperAscii(key.data()), text::Trim(value.data())});
  }
  return params;
}

std::optional<std::vector<ConfigParam>> ServerConfigReader::SectionParams(const std::string& section) {
  const auto found = HasSection(section);
  if (!found) return std::nullopt;
  if (!*found) return std::vector<ConfigParam>{};
  return Params(section);
}

}  // namespace rpc
