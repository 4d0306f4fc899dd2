#include "model/install/TemporaryFolder.h"

#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "text/Strings.h"

namespace model {

std::optional<InstallGuid> NewInstallGuid() {
  try {
    std::random_device device;
    auto word = [&] { return static_cast<uint32_t>(device()); };
    InstallGuid guid;
    guid.data1 = word();
    const uint32_t second = word();
    guid.data2 = static_cast<uint16_t>(second >> 16);
    guid.data3 = static_cast<uint16_t>((second & 0x0FFF) | 0x4000);
    const uint32_t third = word(), fourth = word();
    for (size_t i = 0; i < 4; ++i) {
      guid.data4[i] = static_cast<uint8_t>(third >> (8 * i));
      guid.data4[i + 4] = static_cast<uint8_t>(fourth >> (8 * i));
    }
    guid.data4[0] = static_cast<uint8_t>((guid.data4[0] & 0x3F) | 0x80);
    return guid;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string GuidFolderName(const InstallGuid& g) {
  return text::Format("%08lX%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", static_cast<unsigned long>(g.data1),
                      static_cast<unsigned>(g.data2), static_cast<unsigned>(g.data3), g.data4[0], g.data4[1],
                      g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
}

bool EmptyFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::vector<fs::path> inside;
  for (const auto& entry : fs::directory_iterator(folder, ec)) inside.push_back(entry.path());
  if (ec) return false;
  for (const auto& path : inside) {
    std::error_code removeError;
    fs::remove_all(path, removeError);
  }
  return fs::is_empty(folder, ec) && !ec;
}

}  // namespace model
