#include "model/item/NewUserId.h"

#include "model/install/TemporaryFolder.h"

namespace model {

std::string NewUserId() {
  // The same random GUID and the same text as the installation's folders.
  const auto guid = NewInstallGuid();
  return guid ? GuidFolderName(*guid) : std::string();
}

}  // namespace model
