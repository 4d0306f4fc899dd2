#include "core/ConfigPath.h"

#include <sys/stat.h>

#include "text/Strings.h"

namespace core {

std::string ConfigPathFromCommandLine(std::string_view commandLine, std::string_view programPath) {
  std::string_view rest = text::TrimView(commandLine, " \t");
  if (!programPath.empty()) {
    const std::string quoted = "\"" + std::string(programPath) + "\"";
    if (rest.starts_with(quoted))
      rest.remove_prefix(quoted.size());
    else if (rest.starts_with(programPath))
      rest.remove_prefix(programPath.size());
  }
  std::string path = text::Trim(rest, " \t\r\n\"");
  return path.empty() ? std::string(kDefaultConfigName) : path;
}

bool IsExistingRegularFile(const std::string& path) {
  struct stat st {};
  // Regular files only (through links): a device or a pipe would never end
  // the reading of the file, so it counts as missing like a directory does.
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace core
