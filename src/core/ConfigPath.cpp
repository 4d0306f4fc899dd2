#include "core/ConfigPath.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "text/Cp1251.h"
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
  // Regular files only (through links): a device or a pipe would never end
  // the reading of the file, so it counts as missing like a directory does.
  return KindOfPath(path) == PathKind::RegularFile;
}

namespace {

// The kind and, for an unreachable path, the system's error.
PathKind KindOf(const std::string& path, int& error) {
  error = 0;
  if (path.empty()) return PathKind::Missing;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    error = errno;
    // A dangling link names nothing either.
    return errno == ENOENT ? PathKind::Missing : PathKind::Unreachable;
  }
  if (S_ISREG(st.st_mode)) return PathKind::RegularFile;
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::OtherFile;
}

// Untranslated whatever the locale, like every other text of this program.
std::string ErrorText(int error) {
  const char* description = strerrordesc_np(error);
  return description != nullptr ? description : text::Format("error %d", error);
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  int error = 0;
  return KindOf(path, error);
}

std::string PathKindProblem(const std::string& path) {
  int error = 0;
  switch (KindOf(path, error)) {
    case PathKind::RegularFile: return {};
    case PathKind::Missing: return "not found";
    case PathKind::Folder: return "is a folder, not a file";
    case PathKind::OtherFile: return "is not a regular file (a pipe, device or socket)";
    case PathKind::Unreachable: return "cannot be reached: " + ErrorText(error);
  }
  return {};
}

std::string PathKindNote(const std::string& path) {
  using text::Cp;
  int error = 0;
  switch (KindOf(path, error)) {
    case PathKind::RegularFile:
    case PathKind::Missing: return {};
    case PathKind::Folder:
      return text::Format(Cp("\"%s\" - папка, а не конфигурационный файл.").c_str(), path.c_str());
    case PathKind::OtherFile:
      return text::Format(Cp("\"%s\" - не обычный файл, а канал, устройство или сокет.").c_str(), path.c_str());
    case PathKind::Unreachable:
      return text::Format(Cp("Нет доступа к \"%s\": %s.").c_str(), path.c_str(), ErrorText(error).c_str());
  }
  return {};
}

}  // namespace core
