#include "AppFixture.h"
#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_RootFolder.h"
#include "core/DefaultConfigText.h"
#include "core/SettingsLoader.h"

#include <set>

using testing_fakes::AppTest;

namespace {

class RecordingRegistries : public core::RegistrySink {
 public:
  std::vector<std::string> calls;
  std::set<std::string> refuse;  // names whose registration fails
  void Clear() override { calls.push_back("clear"); }
  int RegisterComputer(const std::string& name, const std::string& value) override {
    calls.push_back("computer " + name + "=" + value);
    return refuse.count(name) ? 66 : 0;
  }
  int RegisterMailServer(const std::string& name, const std::string& value) override {
    calls.push_back("server " + name + "=" + value);
    return refuse.count(name) ? 77 : 0;
  }
};

}  // namespace

class LoadSettingsTest : public AppTest {
 protected:
  core::CTarvikApp& MakeLoader() {
    core::AppEnvironment env;
    env.dialogs = &dialogs;
    env.clock = &clock;
    env.registries = &registries;
    env.installCrashHandlers = false;
    app = std::make_unique<core::CTarvikApp>(std::move(env));
    return *app;
  }
  // The names of the root's sections, in tree order.
  static std::vector<std::string> Sections(C_CFG_File* file) {
    std::vector<std::string> names;
    C_CFG_RootFolder* root = file->GetRoot();
    for (unsigned i = 0; i < root->GetCount(); ++i)
      if (root->GetAt(i)->IsFolder()) names.push_back(root->GetAt(i)->GetName());
    return names;
  }
  RecordingRegistries registries;
};

TEST_F(LoadSettingsTest, TheDefaultTextAndAnEmptyCommonSectionDiffer) {
  const std::string fresh = PathOf("fresh.cfg"), bare = PathOf("bare.cfg");
  WriteFile(fresh, core::DefaultConfigText());
  WriteFile(bare, "[COMMON]\r\n");

  auto& a = MakeLoader();
  ASSERT_EQ(a.LoadSettings(fresh), 0);
  EXPECT_EQ(a.Settings().periodVerify, 10u);
  EXPECT_TRUE(a.Settings().splashWindowDisable) << "a new file starts with the pop-up off";
  EXPECT_EQ(a.Settings().splashWindowTtl, 0u);
  EXPECT_FALSE(a.Settings().useDockingWindows);
  EXPECT_FALSE(a.Settings().enableSplashEffects);
  EXPECT_EQ(a.Settings().errorSound, "");
  EXPECT_EQ(a.Settings().defaultGroup.name, text::Cp("Имя группы"));
  EXPECT_EQ(a.Settings().defaultGroup.scanPeriod, 60u);
  EXPECT_EQ(a.Settings().defaultGroup.agentIdleLimit, 0u);
  EXPECT_EQ(registries.calls, std::vector<std::string>{"clear"}) << "the examples are comments";
  EXPECT_EQ(Sections(a.SettingsFile()),
            (std::vector<std::string>{"COMMON", "Remote interfaces", "Hosts", "Links", "Favorites"}));

  auto& b = MakeLoader();
  ASSERT_EQ(b.LoadSettings(bare), 0);
  EXPECT_EQ(b.Settings().periodVerify, 20u);
  EXPECT_FALSE(b.Settings().splashWindowDisable) << "a file without the key runs with the pop-up on";
  EXPECT_EQ(b.Settings().defaultGroup, core::GroupRecord::ReaderDefaults());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LoadSettingsTest, MissingSectionsAreAppendedAndReachTheDiskWithTheNextSave) {
  const std::string path = PathOf("nolinks.cfg");
  const std::string text =
      "[COMMON]\r\nPERIOD_VERIFY=30\r\n[Remote interfaces]\r\n[Hosts]\r\n[Favorites]\r\nGROUP=\"G\",\"\",60\r\n";
  WriteFile(path, text);
  auto& a = MakeLoader();
  ASSERT_EQ(a.LoadSettings(path), 0);
  EXPECT_EQ(Sections(a.SettingsFile()),
            (std::vector<std::string>{"COMMON", "Remote interfaces", "Hosts", "Favorites", "Links"}));
  EXPECT_EQ(ReadFile(path), text) << "loading writes nothing";
  ASSERT_TRUE(a.SettingsFile()->Save(true));
  EXPECT_EQ(ReadFile(path), text + "[Links]\r\n");
}

TEST_F(LoadSettingsTest, SectionsAreFoundAmongFoldersOnly) {
  const std::string path = PathOf("rootparam.cfg");
  WriteFile(path, "Hosts=not a section\r\n[COMMON]\r\n");
  auto& a = MakeLoader();
  ASSERT_EQ(a.LoadSettings(path), 0);
  C_CFG_Folder* hosts = a.SettingsFile()->GetRoot()->FindFolder("Hosts", true);
  ASSERT_NE(hosts, nullptr) << "a section was created beside the root parameter";
  EXPECT_EQ(hosts->GetCount(), 0u);

  C_CFG_Folder* folder = nullptr;
  EXPECT_TRUE(core::EnsureSection(a.SettingsFile(), " \"hosts\"\t", folder, true));
  EXPECT_EQ(folder->GetName(), "HOSTS") << "trimmed of blanks and quotes, then upper-cased";
  EXPECT_FALSE(core::EnsureSection(a.SettingsFile(), " \"\" ", folder, false));
  EXPECT_EQ(folder, nullptr);
  EXPECT_FALSE(core::EnsureSection(a.SettingsFile(), nullptr, folder, false));
  EXPECT_FALSE(core::EnsureSection(nullptr, "COMMON", folder, false));
}

TEST_F(LoadSettingsTest, RegistryEntriesSkipEmptyOnesAndFailedRegistrations) {
  const std::string path = PathOf("reg.cfg");
  WriteFile(path,
            "[Remote interfaces]\r\nPC1=10.0.0.1:12007\r\n;a comment, then an empty line\r\n\r\nPC2=\r\n"
            "BAD=x\r\nPC3=10.0.0.3\r\n[Hosts]\r\nNODE=PC1,PC3\r\nBAD=PC9\r\nNODE2=PC1\r\n[COMMON]\r\n"
            "PERIOD_VERIFY=7\r\n");
  registries.refuse = {"BAD"};
  auto& a = MakeLoader();
  ASSERT_EQ(a.LoadSettings(path), 0);
  EXPECT_EQ(registries.calls,
            (std::vector<std::string>{"clear", "computer PC1=10.0.0.1:12007", "computer BAD=x",
                                      "computer PC3=10.0.0.3", "server NODE=PC1,PC3", "server BAD=PC9",
                                      "server NODE2=PC1"}));
  EXPECT_EQ(a.Settings().periodVerify, 7u) << "[COMMON] is read after a failed registration";
}

TEST_F(LoadSettingsTest, KeysAreExactAndTheFirstOneCounts) {
  const std::string path = PathOf("keys.cfg");
  WriteFile(path,
            "[COMMON]\r\nperiod_verify=50\r\nPERIOD_VERIFY=3\r\nPERIOD_VERIFY=40\r\n"
            "ERROR_SOUND=\"/snd/alarm.wav\"\r\nSPLASH_WINDOW_DISABLE= on \r\nENABLE_SPLASH_EFFECTS=ON\r\n");
  auto& a = MakeLoader();
  ASSERT_EQ(a.LoadSettings(path), 0);
  EXPECT_EQ(a.Settings().periodVerify, 20u) << "the first PERIOD_VERIFY (3) is refused; the later one is not read";
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_NE(dialogs.boxes[0].text.find(" 3 "), std::string::npos);
  EXPECT_EQ(a.Settings().errorSound, "/snd/alarm.wav");
  EXPECT_TRUE(a.Settings().splashWindowDisable);
  EXPECT_FALSE(a.Settings().enableSplashEffects);
}

TEST_F(LoadSettingsTest, ResultCodes) {
  auto& a = MakeLoader();
  EXPECT_EQ(a.LoadSettings(""), 1);
  EXPECT_EQ(a.LoadSettings(PathOf("absent.cfg")), 4);
  EXPECT_FALSE(std::filesystem::exists(PathOf("absent.cfg")));
  std::filesystem::path deep = dir_;
  for (int i = 0; i < 5; ++i) deep /= std::string(220, 'd');
  EXPECT_EQ(a.LoadSettings((deep / "x.cfg").string()), 3) << "a path too long for the file's lock";
}

// Long lines are split by the reader as they always were; the administrator
// is told of each one, with its number in the file and its whole length.
TEST_F(LoadSettingsTest, EveryLongLineGivesOneMessageListLine) {
  const std::string path = PathOf("long.cfg");
  WriteFile(path, "[COMMON]\r\nERROR_APP=" + std::string(3000, 'a') + "\r\n[Hosts]\r\n\r\nNOTE=" +
                      std::string(1000000, 'n') + "\r\n[Links]\r\nX=" + std::string(2045, 'x') + "\r\n");
  std::unique_ptr<C_CFG_File> file;
  core::ProgramSettings settings;
  std::vector<std::string> messages = {"earlier"};
  ASSERT_EQ(core::LoadSettingsFile(path, file, registries, settings, dialogs, &messages), 0);
  const char* format = "Строка %zu файла \"%s\" длиннее 2047 байт (%zu байт) и разбита на части.";
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "earlier",
                          text::Cp(text::Format(format, std::size_t{2}, path.c_str(), std::size_t{3010})),
                          text::Cp(text::Format(format, std::size_t{5}, path.c_str(), std::size_t{1000005})),
                      }));
  // The split itself is as before: the megabyte became 489 entries.
  EXPECT_EQ(file->GetSection("Hosts", true)->GetCount(), 489u);

  // A file without long lines gives none; the list may be left out.
  WriteFile(path, "[COMMON]\r\n");
  messages.clear();
  ASSERT_EQ(core::LoadSettingsFile(path, file, registries, settings, dialogs, &messages), 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(core::LoadSettingsFile(path, file, registries, settings, dialogs), 0);
}
