// Saving over what the user has on disk: read-only files, symbolic links,
// files of other owners, temporaries left by killed saves, and the reason a
// failed save gives.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CfgTestSupport.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/SafeReplace.h"
#include "support/ChildProcesses.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace {

using cfgtest::FileExists;
using cfgtest::ReadFile;
using cfgtest::ScratchDir;
using cfgtest::WriteFile;

const char* kOld = "[COMMON]\r\nPERIOD_VERIFY=30\r\n";
const char* kNew = "NEW=1\r\n";

// Replaces the tree by one parameter, so that a save writes kNew.
void MakeNew(C_CFG_File& file) {
  file.Clear(true);
  new C_CFG_Parameter(&file, file.GetRoot(), "NEW", "1");
}

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0xFFFFu;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string LinkText(const std::string& path) {
  char buffer[4096];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

bool Contains(const std::string& haystack, const std::string& utf8Needle) {
  return haystack.find(text::Cp(utf8Needle)) != std::string::npos;
}

// Saves as the user sees it: the file is the one that was read. Root reads
// even a file without any permission bit.
TEST(SafeSave, AFileWithoutAnyWriteBitIsRefusedAndLeftAsItWas) {
  struct Case {
    unsigned mode;
    bool saved;
  } cases[] = {
      {0444, false}, {0400, false}, {0555, false}, {0000, false},
      {0644, true},  {0464, true},  {0446, true},  {0200, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::oct << c.mode);
    ScratchDir dir;
    const std::string path = dir / "a.cfg";
    WriteFile(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    // Only root reads every one of them; another user makes no backup of
    // what he cannot read.
    const bool readable = ::access(path.c_str(), R_OK) == 0;
    C_CFG_File file(path);
    EXPECT_EQ(file.IsReadOnly(), !c.saved);
    MakeNew(file);
    EXPECT_EQ(file.Save(true), c.saved);
    EXPECT_EQ(ModeOf(path), c.mode);
    ::chmod(path.c_str(), 0600);
    if (c.saved) {
      EXPECT_EQ(ReadFile(path), kNew);
      const std::vector<std::string> expected =
          readable ? std::vector<std::string>{"a.cfg", "a.cfg.BAK"} : std::vector<std::string>{"a.cfg"};
      EXPECT_EQ(dir.List(), expected);
      EXPECT_EQ(file.LastSaveError(), "");
    } else {
      EXPECT_EQ(ReadFile(path), kOld);
      EXPECT_EQ(dir.List(), std::vector<std::string>{"a.cfg"});  // no backup, no temporary
      EXPECT_TRUE(Contains(file.LastSaveError(), "доступен только для чтения")) << file.LastSaveError();
      EXPECT_TRUE(Contains(file.LastSaveError(), path)) << file.LastSaveError();
    }
  }
}

// Runs `body` in a child process; its exit status (see WaitForExit).
int RunInChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  return testsupport::WaitForExit(pid);
}

TEST(SafeSave, AFailedSaveSaysWhichStepFailedAndWhy) {
  struct Case {
    const char* what;
    std::function<std::string(const ScratchDir&)> prepare;  // gives the path to save to
    std::vector<std::string> reason;                        // parts of the reason (UTF-8)
  } cases[] = {
      {"a folder",
       [](const ScratchDir& d) {
         ::mkdir((d / "sub").c_str(), 0755);
         return d / "sub";
       },
       {"является папкой", "/sub\""}},
      {"a path ending in a slash", [](const ScratchDir& d) { return d / "sub/"; }, {"является папкой"}},
      {"a pipe",
       [](const ScratchDir& d) {
         ::mkfifo((d / "pipe").c_str(), 0600);
         return d / "pipe";
       },
       {"не является обычным файлом"}},
      {"a folder that does not exist",
       [](const ScratchDir& d) { return d / "no/such.cfg"; },
       {"не удалось создать временный файл в папке", "/no\": No such file or directory"}},
      {"a file used as a folder",
       [](const ScratchDir& d) {
         WriteFile(d / "plain", "x");
         return d / "plain/a.cfg";
       },
       {"нет доступа к", ": Not a directory"}},
      {"links that loop",
       [](const ScratchDir& d) {
         ::symlink("b.cfg", (d / "a.cfg").c_str());
         ::symlink("a.cfg", (d / "b.cfg").c_str());
         return d / "a.cfg";
       },
       {"не удалось пройти по символической ссылке", ": Too many levels of symbolic links"}},
      {"an empty path", [](const ScratchDir&) { return std::string(); }, {"не задан путь к файлу"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    WriteFile(dir / "good.cfg", kOld);
    C_CFG_File file(dir / "good.cfg");
    const std::vector<std::string> before = dir.List();
    file.SetPath(c.prepare(dir));
    const std::vector<std::string> prepared = dir.List();
    EXPECT_FALSE(file.Save(true));
    for (const std::string& part : c.reason)
      EXPECT_TRUE(Contains(file.LastSaveError(), part)) << text::Cp1251ToUtf8(file.LastSaveError());
    EXPECT_EQ(dir.List(), prepared);
    // The reason goes with the next save that succeeds.
    file.SetPath(dir / "good.cfg");
    EXPECT_TRUE(file.Save(true));
    EXPECT_EQ(file.LastSaveError(), "");
  }
}

TEST(SafeSave, AWriteThatFailsOnTheDiskNamesTheWriteAndTheSystemError) {
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kOld);
  // The file size limit makes the writes fail for real (EFBIG), root or not.
  const int status = RunInChild([&] {
    C_CFG_File file(path);
    new C_CFG_Parameter(&file, file.GetRoot(), "BIG", std::string(200000, 'b'));
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    if (file.Save(true)) return 2;
    const std::string& reason = file.LastSaveError();
    return Contains(reason, "ошибка записи во временный файл в папке \"" + dir.Path() + "\"") &&
                   reason.find(": File too large") != std::string::npos
               ? 0
               : 4;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(path), kOld);
}

// The link stays a link; the file it finally names gets the new text, and
// the backup and every temporary stay beside that file.
TEST(SafeSave, ALinkIsSavedThroughAndKept) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // link, its text, in the order made
    std::string target;                                       // relative to the scratch folder
    bool targetExists;
  } cases[] = {
      {"relative link", {{"a.cfg", "real.cfg"}}, "real.cfg", true},
      {"absolute link", {{"a.cfg", "@/real.cfg"}}, "real.cfg", true},
      {"into another folder", {{"a.cfg", "other/real.cfg"}}, "other/real.cfg", true},
      {"relative from a link in a subfolder", {{"a.cfg", "other/link.cfg"}, {"other/link.cfg", "real.cfg"}},
       "other/real.cfg", true},
      {"a chain of two", {{"a.cfg", "mid.cfg"}, {"mid.cfg", "other/real.cfg"}}, "other/real.cfg", true},
      {"a dangling link: its target is made", {{"a.cfg", "other/new.cfg"}}, "other/new.cfg", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    ASSERT_EQ(::mkdir((dir / "other").c_str(), 0755), 0);
    if (c.targetExists) {
      WriteFile(dir / c.target, kOld);
      ::chmod((dir / c.target).c_str(), 0640);
    }
    for (const auto& [link, to] : c.links) {
      const std::string linkText = to.starts_with("@/") ? dir / to.substr(2) : to;
      ASSERT_EQ(::symlink(linkText.c_str(), (dir / link).c_str()), 0);
    }
    C_CFG_File file(dir / "a.cfg");
    EXPECT_EQ(file.IsLoaded(), c.targetExists);
    MakeNew(file);
    ASSERT_TRUE(file.Save(true)) << text::Cp1251ToUtf8(file.LastSaveError());
    for (const auto& [link, to] : c.links) {
      EXPECT_TRUE(IsLink(dir / link)) << link;
      EXPECT_EQ(LinkText(dir / link), to.starts_with("@/") ? dir / to.substr(2) : to);
      EXPECT_FALSE(FileExists(dir / link + ".BAK")) << link;
    }
    EXPECT_EQ(ReadFile(dir / c.target), kNew);
    EXPECT_EQ(ReadFile(dir / "a.cfg"), kNew);
    EXPECT_EQ(FileExists(dir / c.target + ".BAK"), c.targetExists);
    if (c.targetExists) {
      EXPECT_EQ(ReadFile(dir / c.target + ".BAK"), kOld);
      EXPECT_EQ(ModeOf(dir / c.target), 0640u);
    }
    for (const std::string& folder : {dir.Path(), dir / "other"}) {
      for (const std::string& name : ScratchDir::ListOf(folder))
        EXPECT_FALSE(name.ends_with(".Tmp")) << folder << "/" << name;
    }
  }
}

TEST(SafeSave, ALinkToAReadOnlyFileIsRefusedAndKept) {
  ScratchDir dir;
  WriteFile(dir / "real.cfg", kOld);
  ::chmod((dir / "real.cfg").c_str(), 0444);
  ASSERT_EQ(::symlink("real.cfg", (dir / "a.cfg").c_str()), 0);
  C_CFG_File file(dir / "a.cfg");
  EXPECT_TRUE(file.IsReadOnly());
  MakeNew(file);
  EXPECT_FALSE(file.Save(true));
  EXPECT_TRUE(IsLink(dir / "a.cfg"));
  EXPECT_EQ(ReadFile(dir / "real.cfg"), kOld);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.cfg", "real.cfg"}));
}

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// Root saving a file of another user gives it back to that user.
TEST(SafeSave, RootKeepsTheOwnerAndGroupOfTheFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kOld);
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  C_CFG_File file(path);
  MakeNew(file);
  ASSERT_TRUE(file.Save(true));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNogroup);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(path), kNew);
}

// A user who may replace the file (the folder is his) but may not give the
// new one to its old owner still saves: the file becomes his.
TEST(SafeSave, AUserWhoMayNotKeepTheOwnerStillSaves) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to set up files of two users";
  ScratchDir dir;
  ASSERT_EQ(::chown(dir.Path().c_str(), kNobody, kNogroup), 0);
  const std::string path = dir / "a.cfg";
  WriteFile(path, kOld);  // root's
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0) ::_exit(99);
    C_CFG_File file(path);
    MakeNew(file);
    ::_exit(file.Save(true) ? 0 : 1);
  }
  ASSERT_EQ(testsupport::WaitForExit(pid), 0);
  EXPECT_EQ(ReadFile(path), kNew);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
}

TEST(SafeSave, TemporaryNamesFollowTheTargetsName) {
  const std::string a = cfg::TemporaryFileName("a.cfg");
  const std::string b = cfg::TemporaryFileName("a.cfg");
  const std::string other = cfg::TemporaryFileName("b.cfg");
  ASSERT_EQ(a.size(), 36u) << a;
  EXPECT_EQ(a.find_first_not_of("0123456789ABCDEF"), 32u) << a;
  EXPECT_EQ(a.substr(32), ".Tmp");
  EXPECT_NE(a, b);                             // the counter
  EXPECT_EQ(a.substr(0, 16), b.substr(0, 16));  // the same file
  EXPECT_NE(a.substr(0, 16), other.substr(0, 16));
  EXPECT_EQ(a.substr(16, 8), text::Format("%08X", static_cast<unsigned>(::getpid())));
  EXPECT_TRUE(cfg::IsTemporaryOf(a, "a.cfg"));
  EXPECT_FALSE(cfg::IsTemporaryOf(a, "b.cfg"));
  EXPECT_FALSE(cfg::IsTemporaryOf(a.substr(0, 32) + ".tmp", "a.cfg"));
  std::string lower = a;
  lower[20] = 'x';
  EXPECT_FALSE(cfg::IsTemporaryOf(lower, "a.cfg"));
}

// What a save killed half way leaves (a temporary of the file beside it) is
// removed by the next save of that file; the temporaries of other files, and
// one that a running save holds, stay.
TEST(SafeSave, TheNextSaveRemovesWhatAKilledSaveLeft) {
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kOld);
  const std::string prefix = cfg::TemporaryFileName("a.cfg").substr(0, 16);
  const std::string leftovers[] = {cfg::TemporaryFileName("a.cfg"), prefix + "00003039" + "00000007.Tmp"};
  for (const std::string& name : leftovers) WriteFile(dir / name, "[COMMON]\r\nPERIOD_");
  const std::string ofOtherFile = cfg::TemporaryFileName("b.cfg");
  WriteFile(dir / ofOtherFile, "x");
  const std::string notOurs = prefix + "0000303900000007.tmp";
  WriteFile(dir / notOurs, "x");
  // A save of the same file that is still running holds its temporary locked.
  const std::string running = cfg::TemporaryFileName("a.cfg");
  WriteFile(dir / running, "y");
  const int held = ::open((dir / running).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  C_CFG_File file(path);
  MakeNew(file);
  ASSERT_TRUE(file.Save(true));
  ::close(held);
  std::vector<std::string> expected = {"a.cfg", "a.cfg.BAK", ofOtherFile, notOurs, running};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.List(), expected);
  EXPECT_EQ(ReadFile(path), kNew);
  EXPECT_EQ(ReadFile(dir / running), "y");
}

TEST(SafeSave, ASaveKilledWhileWritingLeavesTheFileAndNoTemporaryForLong) {
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kOld);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    cfg::ReplaceFileAtomically(path, [&](std::FILE* out) {
      std::fputs("[COMMON]\r\nPERIOD_", out);
      std::fflush(out);
      const char byte = 1;
      if (::write(ready[1], &byte, 1) != 1) ::_exit(3);
      for (;;) ::pause();
      return true;
    });
    ::_exit(2);
  }
  ::close(ready[1]);
  char byte = 0;
  pollfd half{ready[0], POLLIN, 0};
  const bool halfWritten = ::poll(&half, 1, 60000) == 1 && ::read(ready[0], &byte, 1) == 1;
  ::close(ready[0]);
  ::kill(pid, SIGKILL);
  ASSERT_EQ(testsupport::WaitForExit(pid), 128 + SIGKILL);
  ASSERT_TRUE(halfWritten) << "the save never got half way within 60 s";
  EXPECT_EQ(ReadFile(path), kOld);
  // Where the system writes unnamed temporaries nothing is left at all;
  // elsewhere the next save removes what is left.
  C_CFG_File file(path);
  MakeNew(file);
  ASSERT_TRUE(file.Save(true));
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.cfg", "a.cfg.BAK"}));
}

}  // namespace
