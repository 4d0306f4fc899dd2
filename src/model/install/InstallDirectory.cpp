#include "model/install/InstallDirectory.h"

#include "model/host/CommonSectionReader.h"
#include "model/host/VtHostData.h"

namespace model {

std::string InstallationDirectory(std::string_view clientDir) {
  std::string dir = clientDir.empty() ? std::string(".\\") : std::string(clientDir);
  if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
  return dir + "INSTALL\\";
}

std::optional<std::string> ReadInstallationDirectory(rpc::CallTarget& target) {
  VtHostData common;
  if (!ReadCommonSection(target, common)) return std::nullopt;
  return InstallationDirectory(common.Directory("#CLIENT_DIR"));
}

}  // namespace model
