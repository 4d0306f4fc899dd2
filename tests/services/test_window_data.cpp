// What the windows draw from: the navigation rows and property rows built
// from a snapshot, and the message list shared between the worker that adds
// to it and the window thread that hides and reads it.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "core/MessageLog.h"
#include "core/SettingWriters.h"
#include "cfg/C_CFG_File.h"
#include "services/NavigationRows.h"
#include "services/PropertyRows.h"
#include "text/Cp1251.h"

namespace {

using text::Cp;

services::ConsoleSnapshot OneServer(std::vector<services::ComputerSnapshot> computers) {
  services::ConsoleSnapshot snapshot;
  services::MailServerSnapshot server;
  server.name = "NODE";
  for (size_t i = 0; i < computers.size(); ++i) server.computers.push_back(static_cast<int>(i));
  snapshot.mailServers.push_back(server);
  snapshot.computers = std::move(computers);
  return snapshot;
}

services::ComputerSnapshot Computer(const char* name) {
  services::ComputerSnapshot c;
  c.name = name;
  c.stateKnown = true;
  c.online = true;
  c.tasksKnown = true;
  return c;
}

TEST(NavigationRows, ShowTasksOrWhyThereAreNone) {
  services::ComputerSnapshot withTasks = Computer("A");
  withTasks.tasks.push_back({"ROUTER", "", 1, Cp("Работает")});
  withTasks.tasks.push_back({"BACKUP", "", 0, Cp("Остановлена")});
  services::ComputerSnapshot none = Computer("B");
  services::ComputerSnapshot unreachable = Computer("C");
  unreachable.online = false;
  services::ComputerSnapshot notUsed = Computer("D");
  notUsed.connectionNotUsed = true;

  const auto rows = services::NavigationRows(OneServer({withTasks, none, unreachable, notUsed}));
  struct Expect {
    int level;
    std::string label;
    services::TaskIconKind icon;
    bool commandable;
  };
  using K = services::TaskIconKind;
  const std::vector<Expect> expected = {
      {0, "NODE", K::Server, true},
      {1, "A", K::Computer, true},
      {2, "ROUTER", K::Router, true},
      {2, "BACKUP", K::Generic, true},
      {1, "B", K::Computer, true},
      {2, Cp("Нет задачи"), K::NoTask, false},
      {1, "C", K::Computer, true},
      {2, Cp(" *** Нет данных ***"), K::NoTask, false},
      {1, "D", K::Computer, false},
  };
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].level, expected[i].level) << i;
    EXPECT_EQ(rows[i].label, expected[i].label) << i;
    EXPECT_EQ(rows[i].icon, expected[i].icon) << i;
    EXPECT_EQ(rows[i].commandable, expected[i].commandable) << i;
  }
  EXPECT_EQ(rows[2].stateText, Cp("Работает"));
  EXPECT_EQ(rows[3].mailServer, "NODE");
  EXPECT_EQ(rows[3].computer, "A");
  EXPECT_EQ(rows[3].task, "BACKUP");
}

// The access row tells the rights of the session; a computer without one
// (refused, never reached, worked without a connection) has none.
TEST(PropertyRows, AccessRowNamesTheSessionsRights) {
  struct Case {
    bool sessionOpen;
    bool administrator;
    const char* access;
  };
  for (const Case& c : {Case{true, true, "Администратор"}, Case{true, false, "Пользователь"},
                        Case{false, false, "Нет сеанса"}, Case{false, true, "Нет сеанса"}}) {
    services::ComputerSnapshot computer = Computer("A");
    computer.sessionOpen = c.sessionOpen;
    computer.administrator = c.administrator;
    EXPECT_EQ(services::ConnectionProperties(computer)[1].children[0].value, Cp(c.access)) << c.access;
  }
}

TEST(PropertyRows, ConnectionRowsSplitTheAdministratorAndFormatDisks) {
  services::ComputerSnapshot c = Computer("A");
  c.address = "10.0.0.5";
  c.port = "12007";
  c.administrator = false;
  c.sessionOpen = true;
  c.adminUser = "BOSS";
  c.adminConnection = "WinComputerName=DESK;FQDN=desk.example;IP=10.0.0.7";
  core::CSI_folder folder;
  folder.firstText = "BAD";
  folder.secondText = "C:\\BAD";
  folder.fileCount = 3;
  c.folders.push_back(folder);
  core::CSI_disk disk;
  disk.freeMb = 250;
  disk.totalMb = 1000;
  disk.dangerLimitMb = 300;
  disk.criticalLimitMb = 100;
  core::CSI_disk broken;
  broken.unavailable = true;
  c.disks = {disk, broken};

  const auto rows = services::ConnectionProperties(c);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].children[0].value, "10.0.0.5");
  EXPECT_EQ(rows[0].children[1].comment, Cp("Параметр только для чтения"));
  EXPECT_EQ(rows[1].children[0].value, Cp("Пользователь"));
  const auto& admin = rows[1].children[1].children;
  EXPECT_EQ(admin[0].value, "BOSS");
  EXPECT_EQ(admin[1].value, "DESK");
  EXPECT_EQ(admin[2].value, "desk.example");
  EXPECT_EQ(admin[3].value, "10.0.0.7");
  EXPECT_EQ(rows[2].target, services::OpenTarget::Folders);
  EXPECT_EQ(rows[2].children[0].value, " 3 ");
  EXPECT_EQ(rows[2].children[0].comment, Cp("Количество файлов в папке \"C:\\BAD\""));
  EXPECT_EQ(rows[3].target, services::OpenTarget::Disks);
  EXPECT_EQ(rows[3].children[0].value, Cp("250 MB свободно (25 %)"));
  EXPECT_EQ(rows[3].children[0].comment,
            Cp("Всего 1000 MB, опасная граница 300 MB, критическая граница 100 MB"));
  EXPECT_EQ(rows[3].children[1].value, " ??? ");
  EXPECT_EQ(rows[3].children[1].comment, Cp("**Информация не доступна**"));
}

TEST(PropertyRows, HostRowsOpenTheDataWindows) {
  services::MailServerSnapshot server;
  server.hostName = "MSK";
  const auto rows = services::HostProperties(server);
  std::vector<services::OpenTarget> targets;
  for (const auto& row : rows) {
    if (row.target != services::OpenTarget::None) targets.push_back(row.target);
    for (const auto& child : row.children) targets.push_back(child.target);
  }
  using T = services::OpenTarget;
  EXPECT_EQ(targets, (std::vector<T>{T::DirectionsShortcuts, T::DirectionsTable, T::Routing, T::MailingLists,
                                     T::Replication}));
  EXPECT_EQ(rows[0].value, "MSK");
}

TEST(MessageLogThreads, AWorkerAddsWhileTheWindowThreadHidesAndReads) {
  core::MessageLog log(50);
  std::atomic<int> changes{0};
  log.SetChangeSink([&] { ++changes; });
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) log.Add("line\nsecond", 0, 6);
  });
  size_t longest = 0;
  for (int i = 0; i < 2000; ++i) {
    log.Hide();
    longest = std::max(longest, log.Lines().size());
    (void)log.Text();
    (void)log.Popup();
  }
  worker.join();
  EXPECT_LE(longest, 50u);
  EXPECT_EQ(log.Lines().size(), 50u);
  EXPECT_GE(changes.load(), 4000);
}

TEST(SettingWriters, ChangeOneValueOrAppendTheKey) {
  char path[] = "/tmp/vt-writers-XXXXXX";
  const int fd = mkstemp(path);
  const std::string text = "[COMMON]\r\n;; comment\r\nA=1\r\nB=\"x\"\r\n[Hosts]\r\n";
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  {
    C_CFG_File file(path);
    ASSERT_TRUE(file.IsLoaded());
    EXPECT_TRUE(core::SetSettingBool(file, "COMMON", "A", false));
    EXPECT_TRUE(core::SetSettingText(file, "COMMON", "C", "path", true));
    EXPECT_TRUE(core::SetSettingText(file, "COMMON", "D", "", true));
    EXPECT_TRUE(core::SetSettingNumber(file, "NEW", "N", 42));
    ASSERT_TRUE(file.Save(false));
  }
  std::FILE* in = std::fopen(path, "rb");
  std::string out(4096, '\0');
  out.resize(std::fread(out.data(), 1, out.size(), in));
  std::fclose(in);
  unlink(path);
  EXPECT_EQ(out, "[COMMON]\r\n;; comment\r\nA=FALSE\r\nB=\"x\"\r\nC=\"path\"\r\nD\r\n[Hosts]\r\n[NEW]\r\nN=42\r\n");
}

}  // namespace
