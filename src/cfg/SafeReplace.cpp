#include "cfg/SafeReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cfg/TextOut.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace cfg {

namespace {

using text::Cp;

std::atomic<std::uint32_t> tempCounter{0};

// As many links as the system itself follows in one path.
constexpr int kMaxLinkHops = 40;
// Names already taken (by a running save, or a leftover that is in use) are
// skipped; this many in a row means something else is wrong.
constexpr int kMaxNameAttempts = 64;

// The folder part of a path, "." for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The folder part with its slash, "" for a bare name: prefix + name = path.
std::string FolderPrefixOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The system's error text, untranslated whatever the locale: it goes into
// code-page-1251 messages, where a translated UTF-8 text would be garbled.
std::string ErrorText(int error) {
  const char* description = ::strerrordesc_np(error);
  return description != nullptr ? description : text::Format("error %d", error);
}

// "<step>: <error text>"; the step alone when no system error is known. The
// step is a UTF-8 format with one %s for a path (code page 1251 already).
std::string Failure(const char* stepUtf8, const std::string& path, int error) {
  std::string message = text::Format(Cp(stepUtf8).c_str(), path.c_str());
  if (error != 0) message += ": " + ErrorText(error);
  return message;
}

// 64-bit FNV-1a: stable across processes and runs, which is all it needs.
std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::string HashWords(std::string_view name) {
  const std::uint64_t hash = NameHash(name);
  return text::Format("%08X%08X", static_cast<unsigned>(hash >> 32), static_cast<unsigned>(hash & 0xFFFFFFFFu));
}

// Whether the open `fd` is still the file that `path` names.
bool SameFile(int fd, const std::string& path) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

std::string ProcPathOf(int fd) { return text::Format("/proc/self/fd/%d", fd); }

// Makes a rename in `folder` durable; failure only weakens durability.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ReadLink(const std::string& path, std::string& link) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return false;
    if (static_cast<std::size_t>(n) < buffer.size()) {
      link.assign(buffer.data(), static_cast<std::size_t>(n));
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// A temporary file while it is written. Its descriptor holds an exclusive
// lock from before the file has a name until after the rename: that lock
// tells a cleaner the file is in use.
struct Temporary {
  int fd = -1;
  std::string path;  // empty while the file has no name
};

// An unnamed file in `folder` (O_TMPFILE): a save killed while writing it
// leaves nothing behind. It is named through /proc/self/fd just before the
// rename. False when the system offers neither; a named file is made then.
bool OpenUnnamed(const std::string& folder, Temporary& temp) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  if (::access(ProcPathOf(fd).c_str(), F_OK) != 0 || ::flock(fd, LOCK_EX) != 0) {
    ::close(fd);
    return false;
  }
  temp.fd = fd;
  return true;
}

// A named temporary; `error` is the errno of the failure.
bool OpenNamed(const std::string& prefix, const std::string& targetName, Temporary& temp, int& error) {
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const std::string path = prefix + TemporaryFileName(targetName);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = errno;
      return false;
    }
    // A cleaner that came between the create and the lock takes this file
    // for a leftover and removes it: then another name is taken.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path)) {
      temp.fd = fd;
      temp.path = path;
      return true;
    }
    ::close(fd);
  }
  error = EEXIST;
  return false;
}

// Gives the unnamed temporary its name beside the target.
bool NameUnnamed(const std::string& prefix, const std::string& targetName, Temporary& temp, int& error) {
  const std::string source = ProcPathOf(temp.fd);
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const std::string path = prefix + TemporaryFileName(targetName);
    if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp.path = path;
      return true;
    }
    if (errno != EEXIST) {
      error = errno;
      return false;
    }
  }
  error = EEXIST;
  return false;
}

// The new file keeps the owner, group and permissions of the one it
// replaces. The owner goes first, since a change of owner clears the set-id
// bits that the mode then puts back. A process that may not give the file
// away (not root) still keeps the group where it belongs to it; what it may
// not do is skipped.
void CopyOwnerAndMode(int fd, const std::string& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  ::fchmod(fd, old.st_mode & 07777);
}

bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write, bool sync,
                 std::string* error) {
  std::string reason;
  const auto fail = [&](std::string why) {
    if (error != nullptr) *error = std::move(why);
    return false;
  };
  std::string target;
  if (!ResolveLinks(path, target, &reason)) return fail(std::move(reason));
  if (reason = RefusalToReplace(target); !reason.empty()) return fail(std::move(reason));
  RemoveLeftoverTemporaries(target);

  const std::string folder = FolderOf(target);
  const std::string prefix = FolderPrefixOf(target);
  const std::string name = NameOf(target);
  Temporary temp;
  int err = 0;
  if (!OpenUnnamed(folder, temp) && !OpenNamed(prefix, name, temp, err))
    return fail(Failure("не удалось создать временный файл в папке \"%s\"", folder, err));
  const auto discard = [&](const char* step, int stepError) {
    if (!temp.path.empty()) ::unlink(temp.path.c_str());
    ::close(temp.fd);
    return fail(Failure(step, folder, stepError));
  };
  CopyOwnerAndMode(temp.fd, target);

  // The stream writes through its own descriptor, so that closing it (and
  // seeing the errors a close reports) leaves the locked one open.
  const int streamFd = ::fcntl(temp.fd, F_DUPFD_CLOEXEC, 0);
  std::FILE* stream = streamFd >= 0 ? ::fdopen(streamFd, "wb") : nullptr;
  if (stream == nullptr) {
    err = errno;
    if (streamFd >= 0) ::close(streamFd);
    return discard("не удалось создать временный файл в папке \"%s\"", err);
  }
  std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
  errno = 0;
  if (!write(stream) || std::fflush(stream) != 0 || std::ferror(stream) != 0) {
    err = errno;
    std::fclose(stream);
    return discard("ошибка записи во временный файл в папке \"%s\"", err);
  }
  if (sync && ::fsync(temp.fd) != 0) {
    err = errno;
    std::fclose(stream);
    return discard("ошибка сброса на диск временного файла в папке \"%s\"", err);
  }
  if (std::fclose(stream) != 0) return discard("ошибка закрытия временного файла в папке \"%s\"", errno);
  if (temp.path.empty() && !NameUnnamed(prefix, name, temp, err))
    return discard("не удалось дать имя временному файлу в папке \"%s\"", err);
  if (std::rename(temp.path.c_str(), target.c_str()) != 0) {
    err = errno;
    ::unlink(temp.path.c_str());
    ::close(temp.fd);
    return fail(text::Format(Cp("не удалось переименовать временный файл \"%s\" в \"%s\"").c_str(), temp.path.c_str(),
                             target.c_str()) +
                ": " + ErrorText(err));
  }
  ::close(temp.fd);
  if (sync) SyncFolder(folder);
  return true;
}

}  // namespace

std::string TemporaryFileName(std::string_view targetName) {
  const std::uint32_t counter = tempCounter.fetch_add(1);
  return HashWords(targetName) +
         text::Format("%08X%08X.Tmp", static_cast<unsigned>(::getpid()), static_cast<unsigned>(counter));
}

bool IsTemporaryOf(std::string_view name, std::string_view targetName) {
  constexpr std::size_t kHexDigits = 32;
  if (name.size() != kHexDigits + 4 || name.substr(kHexDigits) != ".Tmp") return false;
  if (name.substr(0, kHexDigits).find_first_not_of("0123456789ABCDEF") != std::string_view::npos) return false;
  return name.substr(0, 16) == HashWords(targetName);
}

bool ResolveLinks(const std::string& path, std::string& target, std::string* error) {
  std::string current = path;
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = current;
      return true;
    }
    std::string link;
    int err = 0;
    if (hops == kMaxLinkHops) {
      err = ELOOP;
    } else if (!ReadLink(current, link)) {
      err = errno;
    } else if (link.empty()) {
      err = ENOENT;
    }
    if (err != 0) {
      if (error != nullptr) *error = Failure("не удалось пройти по символической ссылке \"%s\"", current, err);
      return false;
    }
    // A relative link is relative to the folder that holds it.
    current = link.front() == '/' ? link : FolderPrefixOf(current) + link;
  }
}

std::string RefusalToReplace(const std::string& path) {
  if (path.empty()) return Cp("не задан путь к файлу");
  if (path.back() == '/') return Failure("\"%s\" является папкой, а не файлом", path, 0);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return {};  // a new file
    return Failure("нет доступа к \"%s\"", path, errno);
  }
  if (S_ISDIR(st.st_mode)) return Failure("\"%s\" является папкой, а не файлом", path, 0);
  if (!S_ISREG(st.st_mode)) return Failure("\"%s\" не является обычным файлом", path, 0);
  if ((st.st_mode & 0222) == 0) {
    return Failure("файл \"%s\" доступен только для чтения", path, 0) +
           text::Format(Cp(" (права %03o)").c_str(), static_cast<unsigned>(st.st_mode & 0777));
  }
  return {};
}

void RemoveLeftoverTemporaries(const std::string& path) {
  const std::string prefix = FolderPrefixOf(path);
  const std::string name = NameOf(path);
  DIR* folder = ::opendir(FolderOf(path).c_str());
  if (folder == nullptr) return;
  while (const dirent* entry = ::readdir(folder)) {
    if (!IsTemporaryOf(entry->d_name, name)) continue;
    const std::string leftover = prefix + entry->d_name;
    const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A save that is still running holds the lock; a killed one held it no
    // longer. The name is checked again under the lock: the file may have
    // been renamed into place meanwhile.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        SameFile(fd, leftover)) {
      ::unlink(leftover.c_str());
    }
    ::close(fd);
  }
  ::closedir(folder);
}

bool CopyToBackup(const std::string& path) {
  // Without waiting: opening a pipe to read would block until a writer came.
  const int in = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
  }, false, nullptr);
  ::close(in);
  return ok;
}

bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                           std::string* error) {
  return ReplaceFile(path, write, true, error);
}

}  // namespace cfg
