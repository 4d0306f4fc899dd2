#include "cfg/SafeReplace.h"

namespace cfg {

std::string TemporaryFileName() { return {}; }

bool CopyToBackup(const std::string&) { return false; }

bool ReplaceFileAtomically(const std::string&, const std::function<bool(std::FILE*)>&) { return false; }

}  // namespace cfg
