#include "model/host/VtHostData.h"

#include <algorithm>
#include <memory>

#include "text/Strings.h"

namespace model {

const std::array<const char*, VtHostData::kCommonCount> VtHostData::kCommonKeys = {
    "#HOST_NAME", "#ADDRESS_HOST", "#HOST_UID",  "#BOX_DIR", "#LOCAL_BOX_DIR", "#QUEUE_DIR", "#LOCAL_QUEUE_DIR",
    "#CLIENT_DIR", "#ERR_DIR",     "#LOG_DIR",   "#DUBLE_DIR", "#BAD_DIR",     "#BE_DIR",    "#ZIP_DIR"};

namespace {
constexpr size_t kAddressSlot = 1;
constexpr size_t kFirstDirectory = 3;
constexpr std::string_view kLineBlanks = " \t\r\n";
}  // namespace

VtHostData& VtHostData::Of(core::__VtHostDescription& host) {
  if (auto* data = dynamic_cast<VtHostData*>(host.model.get())) return *data;
  host.model = std::make_unique<VtHostData>();
  return static_cast<VtHostData&>(*host.model);
}

uint32_t VtHostData::UpdateValidMask(uint32_t clear, uint32_t set) {
  validMask &= ~clear;
  validMask |= set;
  return validMask;
}

int VtHostData::IsTablesEmpty() const {
  return std::all_of(routingTable.begin(), routingTable.end(), [](const std::string& t) { return t.empty(); }) ? 1
                                                                                                              : 0;
}

std::optional<std::string> VtHostData::FindAbonentSection(std::string_view name) const {
  for (const auto& section : abonentSections)
    if (section.name == name) return section.text;
  return std::nullopt;
}

void VtHostData::ParseAbonentSections(std::string_view text) {
  abonentSections.clear();
  CRouterSection pending;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (const size_t comment = line.find(';'); comment != std::string_view::npos) line = line.substr(0, comment);
    std::string kept;
    kept.reserve(line.size());
    for (char c : line)
      if (c != '\r') kept += c;
    const std::string_view trimmed = text::TrimView(kept, kLineBlanks);
    if (trimmed.empty()) continue;
    if (trimmed.front() == '[') {
      if (!pending.name.empty()) abonentSections.push_back(std::move(pending));
      pending = {};
      pending.name = text::Trim(trimmed, " \t[]");
      continue;
    }
    // Lines before the first header belong to no section and are dropped.
    if (pending.name.empty()) continue;
    pending.text.append(trimmed);
    pending.text += '\n';
  }
  if (!pending.name.empty()) abonentSections.push_back(std::move(pending));
}

int VtHostData::CommonSlot(std::string_view key) {
  const std::string upper = text::ToUpperAscii(key);
  for (size_t i = 0; i < kCommonCount; ++i)
    if (upper == kCommonKeys[i]) return static_cast<int>(i);
  return -1;
}

bool VtHostData::StoreCommon(std::string_view key, std::string_view value) {
  const int slot = CommonSlot(key);
  if (slot < 0) return false;
  const auto i = static_cast<size_t>(slot);
  std::string v = text::Trim(value);
  if (i == kAddressSlot) v = text::ToUpperAscii(v);
  if (i >= kFirstDirectory && !v.empty() && v.back() != '\\' && v.back() != '/') v += '\\';
  common[i] = std::move(v);
  return true;
}

std::string VtHostData::Directory(std::string_view key) const {
  for (size_t i = kFirstDirectory; i < kCommonCount; ++i)
    if (key == kCommonKeys[i]) return common[i];
  return {};
}

}  // namespace model
