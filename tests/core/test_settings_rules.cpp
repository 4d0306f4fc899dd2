#include <gtest/gtest.h>

#include "FakePorts.h"
#include "core/ProgramSettings.h"
#include "text/Cp1251.h"

using core::ProgramSettings;

TEST(SettingsRules, EachKeyReadsItsValue) {
  using Check = std::function<bool(const ProgramSettings&)>;
  struct Case {
    const char* key;
    const char* value;
    Check holds;
  } cases[] = {
      {"USE_DOCKING_WINDOWS", " on ", [](auto& s) { return s.useDockingWindows; }},
      {"USE_DOCKING_WINDOWS", "1", [](auto& s) { return s.useDockingWindows; }},
      {"USE_DOCKING_WINDOWS", "True", [](auto& s) { return s.useDockingWindows; }},
      {"USE_DOCKING_WINDOWS", "\"TRUE\"", [](auto& s) { return !s.useDockingWindows; }},
      {"USE_DOCKING_WINDOWS", "yes", [](auto& s) { return !s.useDockingWindows; }},
      {"SPLASH_WINDOW_DISABLE", " on ", [](auto& s) { return s.splashWindowDisable; }},
      {"SPLASH_WINDOW_DISABLE", "", [](auto& s) { return !s.splashWindowDisable; }},
      {"ENABLE_SPLASH_EFFECTS", "ON", [](auto& s) { return !s.enableSplashEffects; }},
      {"ENABLE_SPLASH_EFFECTS", "\" true\"\t", [](auto& s) { return s.enableSplashEffects; }},
      {"ENABLE_SPLASH_EFFECTS", "1", [](auto& s) { return s.enableSplashEffects; }},
      {"SPLASH_WINDOW_TTL", "15s", [](auto& s) { return s.splashWindowTtl == 15; }},
      {"SPLASH_WINDOW_TTL", "x", [](auto& s) { return s.splashWindowTtl == 0; }},
      {"SPLASH_WINDOW_TTL", "99999999999", [](auto& s) { return s.splashWindowTtl == 4294967295u; }},
      {"PERIOD_VERIFY", "5", [](auto& s) { return s.periodVerify == 5; }},
      {"PERIOD_VERIFY", "300", [](auto& s) { return s.periodVerify == 300; }},
      {"ERROR_SOUND", "\"/usr/share/sounds/alarm.wav\"", [](auto& s) { return s.errorSound == "/usr/share/sounds/alarm.wav"; }},
      {"ERROR_SOUND", " \"a b\" ", [](auto& s) { return s.errorSound == " \"a b\" "; }},
      {"ERROR_APP", "\"notify-send x\"", [](auto& s) { return s.errorApp == "notify-send x"; }},
      {"FV_DEFAULT_SETINGS", "\"N\",\"\",10", [](auto& s) { return s.defaultGroup.name == "N" && s.defaultGroup.scanPeriod == 20; }},
      {"period_verify", "1", [](auto& s) { return s == ProgramSettings{}; }},
  };
  for (const auto& c : cases) {
    testing_fakes::FakeDialogPort dialogs;
    ProgramSettings settings;
    core::ApplySetting(settings, c.key, c.value, dialogs);
    EXPECT_TRUE(c.holds(settings)) << c.key << "=" << c.value;
    EXPECT_TRUE(dialogs.shown.empty()) << c.key << "=" << c.value;
  }
}

TEST(SettingsRules, APollPeriodBelowFiveIsRefusedAndTheFieldKeepsItsValue) {
  const std::string text = text::Cp(
      "Для параметра \"PERIOD_VERIFY\" из секции \"COMMON\" (период опроса значения индикатора изменения "
      "состояния почтового сервера в секундах) задано значение 3 меньше допустимого мининмального значения 5, "
      "поэтому будет использовано значение по умолчанию 20.");
  for (const char* value : {"3", "", "0x10"}) {
    testing_fakes::FakeDialogPort dialogs;
    ProgramSettings settings;
    core::ApplySetting(settings, "PERIOD_VERIFY", value, dialogs);
    EXPECT_EQ(settings.periodVerify, 20u) << value;
    ASSERT_EQ(dialogs.boxes.size(), 1u) << value;
    EXPECT_EQ(dialogs.boxes[0].icon, ports::MsgIcon::Exclamation);
    if (std::string(value) == "3") {
      EXPECT_EQ(dialogs.boxes[0].text, text);
    }
  }

  testing_fakes::FakeDialogPort dialogs;
  ProgramSettings settings;
  settings.periodVerify = 45;
  core::ApplySetting(settings, "PERIOD_VERIFY", "4", dialogs);
  EXPECT_EQ(settings.periodVerify, 45u) << "a value read before stays";
}
