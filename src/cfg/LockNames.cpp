#include "cfg/LockNames.h"

namespace cfg {

std::string LockName(std::string_view text) {
  std::string name = "$";
  name += text;
  return name;
}

std::string LockName(std::string_view text1, std::string_view text2) {
  std::string name = LockName(text1);
  name += '$';
  name += text2;
  return name;
}

bool FitsLockName(std::string_view fullName) { return fullName.size() < kMaxLockNameLength; }

}  // namespace cfg
