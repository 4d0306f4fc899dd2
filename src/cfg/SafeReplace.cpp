#include "cfg/SafeReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "cfg/TextOut.h"
#include "text/Strings.h"

namespace cfg {

namespace {

std::atomic<std::uint32_t> tempCounter{0};

// The folder part of a path, "." for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes a rename in `folder` durable; failure only weakens durability.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write, bool sync) {
  if (path.empty() || path.back() == '/') return false;
  const std::string folder = FolderOf(path);
  const std::string temp = (folder == "/" ? folder : folder + "/") + TemporaryFileName();
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  // The new file keeps the permissions of the one it replaces.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  std::FILE* stream = ::fdopen(fd, "wb");
  if (stream == nullptr) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
  bool ok = write(stream) && std::fflush(stream) == 0 && std::ferror(stream) == 0;
  if (ok && sync) ok = ::fsync(fd) == 0;
  ok = std::fclose(stream) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  if (sync) SyncFolder(folder);
  return true;
}

}  // namespace

std::string TemporaryFileName() {
  const std::uint32_t counter = tempCounter.fetch_add(1);
  return text::Format("%08X%08X%08X%08X.Tmp", static_cast<unsigned>(::getpid()),
                      static_cast<unsigned>(::gettid()), static_cast<unsigned>(std::time(nullptr)),
                      static_cast<unsigned>(counter));
}

bool CopyToBackup(const std::string& path) {
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  // The copy replaces the old one in one step too, so a failed copy leaves
  // the previous backup whole. It is not synced: the file itself is.
  const bool ok = ReplaceFile(path + ".BAK", [in](std::FILE* out) {
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(in, buffer, sizeof buffer);
      if (n == 0) return true;
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (!PutText(out, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
  }, false);
  ::close(in);
  return ok;
}

bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  return ReplaceFile(path, write, true);
}

}  // namespace cfg
