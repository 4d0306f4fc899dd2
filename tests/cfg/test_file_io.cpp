// Reading and saving files on disk: the backup copy, the temporary file, the
// path limit, and bad input and failures that must neither crash nor lose
// the file that was there.

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "CfgTestSupport.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/C_CFG_RootFolder.h"
#include "cfg/SafeReplace.h"
#include "support/ChildProcesses.h"
#include "text/Strings.h"

namespace {

using cfgtest::FileExists;
using cfgtest::ReadFile;
using cfgtest::ScratchDir;
using cfgtest::WriteFile;

constexpr int kCouldNotDrop = 99;

// Runs `body` in a child process. A child running as root first becomes the
// unprivileged user 65534, since root would pass every permission check and
// the test would prove nothing. The child's exit status (see WaitForExit).
int RunUnprivileged(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(kCouldNotDrop);
    }
    if (::geteuid() == 0) ::_exit(kCouldNotDrop);
    ::_exit(body());
  }
  return testsupport::WaitForExit(pid);
}

// Runs `body` in a child process as the current user.
int RunInChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  return testsupport::WaitForExit(pid);
}

bool HasTemporaryFile(const ScratchDir& dir, const std::string& sub = "") {
  const std::string folder = sub.empty() ? dir.Path() : dir / sub;
  for (const std::string& name : ScratchDir::ListOf(folder)) {
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".Tmp") == 0) return true;
  }
  return false;
}

const char* kText = "; settings\r\n[COMMON]\r\nPERIOD_VERIFY=30\r\n";

TEST(FileIo, TheConstructorLoadsTheFile) {
  ScratchDir dir;
  WriteFile(dir / "a.cfg", kText);
  C_CFG_File file(dir / "a.cfg");
  EXPECT_FALSE(file.IsBad());
  EXPECT_TRUE(file.IsLoaded());
  EXPECT_FALSE(file.IsModified());
  EXPECT_FALSE(file.IsReadOnly());
  EXPECT_EQ(file.GetPath(), dir / "a.cfg");
  EXPECT_EQ(file.GetParameter("COMMON", "PERIOD_VERIFY", true)->GetValue(), "30");
}

TEST(FileIo, AMissingFileLeavesAnEmptyTreeNotLoaded) {
  ScratchDir dir;
  C_CFG_File file(dir / "missing.cfg");
  EXPECT_FALSE(file.IsBad());
  EXPECT_FALSE(file.IsLoaded());
  EXPECT_EQ(file.GetRoot()->GetCount(), 0u);
}

// A path of exactly `length` bytes to a file holding kText.
std::string PathOfLength(const ScratchDir& dir, std::size_t length) {
  std::string path = dir.Path();
  while (length - path.size() > 250) {
    path += "/" + std::string(200, 'd');
    ::mkdir(path.c_str(), 0755);
  }
  path += "/" + std::string(length - path.size() - 1, 'f');
  WriteFile(path, kText);
  return path;
}

TEST(FileIo, APathOf1017BytesMakesTheObjectBadAndIsNotRead) {
  ScratchDir dir;
  const std::string fits = PathOfLength(dir, 1016);
  ASSERT_EQ(ReadFile(fits), kText);
  C_CFG_File ok(fits);
  EXPECT_FALSE(ok.IsBad());
  EXPECT_TRUE(ok.IsLoaded());

  ScratchDir dir2;
  const std::string tooLong = PathOfLength(dir2, 1017);
  ASSERT_EQ(ReadFile(tooLong), kText);
  C_CFG_File bad(tooLong);
  EXPECT_TRUE(bad.IsBad());
  EXPECT_FALSE(bad.IsLoaded());
  EXPECT_EQ(bad.GetRoot()->GetCount(), 0u);
  EXPECT_FALSE(bad.Save(true));
  EXPECT_EQ(ReadFile(tooLong), kText);
}

TEST(FileIo, SaveWritesTheTreeAndKeepsTheOldFileAsBackup) {
  ScratchDir dir;
  WriteFile(dir / "a.cfg", kText);
  ::chmod((dir / "a.cfg").c_str(), 0640);
  C_CFG_File file(dir / "a.cfg");
  ASSERT_TRUE(file.GetParameter("COMMON", "PERIOD_VERIFY", true)->SetValue("60", true));
  ASSERT_TRUE(file.Save(true));
  EXPECT_EQ(ReadFile(dir / "a.cfg"), "; settings\r\n[COMMON]\r\nPERIOD_VERIFY=60\r\n");
  EXPECT_EQ(ReadFile(dir / "a.cfg.BAK"), kText);
  EXPECT_TRUE(file.IsModified());  // Save leaves the flag to the caller
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.cfg", "a.cfg.BAK"}));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "a.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // A second save replaces the backup by the previous content.
  ASSERT_TRUE(file.Save(true));
  EXPECT_EQ(ReadFile(dir / "a.cfg.BAK"), "; settings\r\n[COMMON]\r\nPERIOD_VERIFY=60\r\n");
}

TEST(FileIo, SetPathThenSaveWritesElsewhere) {
  ScratchDir dir;
  WriteFile(dir / "a.cfg", kText);
  C_CFG_File file(dir / "a.cfg");
  file.SetPath(dir / "b.cfg");
  ASSERT_TRUE(file.Save(true));
  EXPECT_EQ(ReadFile(dir / "b.cfg"), kText);
  EXPECT_FALSE(FileExists(dir / "b.cfg.BAK"));  // nothing was there to copy
  EXPECT_EQ(ReadFile(dir / "a.cfg"), kText);
  // A bare name is saved in the current folder.
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  file.SetPath("c.cfg");
  EXPECT_TRUE(file.Save(true));
  EXPECT_EQ(ReadFile(dir / "c.cfg"), kText);
  ASSERT_EQ(::chdir("/"), 0);
}

TEST(FileIo, SaveOverAFolderFailsAndLeavesItAlone) {
  ScratchDir dir;
  WriteFile(dir / "a.cfg", kText);
  C_CFG_File file(dir / "a.cfg");
  file.SetPath(dir / "sub");
  ASSERT_EQ(::mkdir((dir / "sub").c_str(), 0755), 0);
  WriteFile(dir / "sub/inside", "x");
  EXPECT_FALSE(file.Save(true));
  EXPECT_EQ(ReadFile(dir / "sub/inside"), "x");
  EXPECT_FALSE(HasTemporaryFile(dir));
  file.SetPath(dir / "no/such/folder.cfg");
  EXPECT_FALSE(file.Save(true));
}

TEST(FileIo, SaveIntoAReadOnlyFolderFailsAndKeepsTheFile) {
  ScratchDir dir;
  ::chmod(dir.Path().c_str(), 0755);
  ASSERT_EQ(::mkdir((dir / "ro").c_str(), 0755), 0);
  const std::string path = dir / "ro/a.cfg";
  WriteFile(path, kText);
  ::chmod(path.c_str(), 0666);  // the file itself could be written in place
  ::chmod((dir / "ro").c_str(), 0555);
  const int status = RunUnprivileged([&] {
    C_CFG_File file(path);
    if (!file.IsLoaded()) return 1;
    file.Clear(true);
    new C_CFG_Parameter(&file, file.GetRoot(), "NEW", "1");
    return file.Save(true) ? 2 : 0;
  });
  ASSERT_NE(status, kCouldNotDrop) << "could not become an unprivileged user";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(path), kText);
  EXPECT_FALSE(HasTemporaryFile(dir, "ro"));
}

TEST(FileIo, AnUnreadableFileIsNotLoadedAndStaysAsItWas) {
  ScratchDir dir;
  ::chmod(dir.Path().c_str(), 0755);
  const std::string path = dir / "a.cfg";
  WriteFile(path, kText);
  ::chmod(path.c_str(), 0);
  const int status = RunUnprivileged([&] {
    C_CFG_File file(path);
    return (!file.IsBad() && !file.IsLoaded() && file.GetRoot()->GetCount() == 0) ? 0 : 1;
  });
  ASSERT_NE(status, kCouldNotDrop) << "could not become an unprivileged user";
  EXPECT_EQ(status, 0);
  ::chmod(path.c_str(), 0644);
  EXPECT_EQ(ReadFile(path), kText);
}

TEST(FileIo, AFolderWhereTheFileShouldBeIsNotLoaded) {
  ScratchDir dir;
  ASSERT_EQ(::mkdir((dir / "a.cfg").c_str(), 0755), 0);
  C_CFG_File file(dir / "a.cfg");
  EXPECT_FALSE(file.IsBad());
  EXPECT_FALSE(file.IsLoaded());
  EXPECT_EQ(file.GetRoot()->GetCount(), 0u);
}

TEST(FileIo, AFailingWriteLeavesTheOldFileAndNoTemporaryFile) {
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kText);
  // The file size limit makes the writes fail for real (EFBIG), root or not.
  const int status = RunInChild([&] {
    C_CFG_File file(path);
    if (!file.IsLoaded()) return 1;
    new C_CFG_Parameter(&file, file.GetRoot(), "BIG", std::string(200000, 'b'));
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    return file.Save(true) ? 2 : 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(path), kText);
  EXPECT_FALSE(HasTemporaryFile(dir));
}

TEST(FileIo, AWriterThatFailsLeavesTheTargetUntouched) {
  ScratchDir dir;
  const std::string path = dir / "a.cfg";
  WriteFile(path, kText);
  EXPECT_FALSE(cfg::ReplaceFileAtomically(path, [](std::FILE* out) {
    std::fputs("half", out);
    return false;
  }));
  EXPECT_EQ(ReadFile(path), kText);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"a.cfg"});
}

// Pseudo-random bytes, the same on every run.
std::string NoiseBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return bytes;
}

TEST(FileIo, BinaryFilesLoadWithoutHarmAndSettleAfterOneRewrite) {
  ScratchDir dir;
  static const char kWithNul[] = "[S]\nK=a\0b\n\0\0\0\n[T\0]\n";
  const std::string withNul(kWithNul, sizeof kWithNul - 1);
  const std::string inputs[] = {NoiseBytes(256 * 1024, 1), NoiseBytes(4096, 7), withNul};
  for (const std::string& input : inputs) {
    WriteFile(dir / "bin.cfg", input);
    C_CFG_File file(dir / "bin.cfg");
    ASSERT_TRUE(file.IsLoaded());
    ASSERT_TRUE(file.Save(true));
    C_CFG_File again(dir / "bin.cfg");
    ASSERT_TRUE(again.IsLoaded());
    ASSERT_TRUE(again.Save(true));
    C_CFG_File third(dir / "bin.cfg");
    ASSERT_TRUE(third.Save(true));
    EXPECT_EQ(ReadFile(dir / "bin.cfg"), cfgtest::WriteText(again));
    EXPECT_EQ(cfgtest::WriteText(third), cfgtest::WriteText(again));
  }
}

TEST(FileIo, AHundredThousandLinesOf3000Bytes) {
  ScratchDir dir;
  const std::string path = dir / "big.cfg";
  {
    std::ofstream out(path, std::ios::binary);
    const std::string filler(3000, 'v');
    for (int i = 0; i < 100000; ++i) {
      const std::string key = "K" + std::to_string(i) + "=";
      out << key << filler.substr(key.size()) << "\r\n";
    }
  }
  C_CFG_File file(path);
  ASSERT_TRUE(file.IsLoaded());
  // Each line is read as 2047 bytes and the rest: two parameters.
  ASSERT_EQ(file.GetRoot()->GetCount(), 200000u);
  const C_CFG_Item* last = file.GetRoot()->GetAt(199998);
  EXPECT_EQ(last->GetName(), "K99999");
  EXPECT_EQ(last->GetValue().size(), 2047u - 7u);
  EXPECT_EQ(file.GetRoot()->GetAt(199999)->GetName(), std::string(953, 'v'));
}

}  // namespace
