#pragma once
// The folder one diskette's files are fetched into before they go to the
// folder the administrator chooses: named by a fresh random GUID in its
// 32-digit form, inside the working folder, and gone again afterwards.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace model {

struct InstallGuid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};
};

// A random (version 4) GUID; empty when the system offers no randomness.
std::optional<InstallGuid> NewInstallGuid();

// "%08lX%04X%04x%02X..." - the third group in small letters, as the
// installation tools have always named these folders.
std::string GuidFolderName(const InstallGuid& guid);

// Removes everything inside `folder`; false when something stays.
bool EmptyFolder(const std::string& folder);

}  // namespace model
