#pragma once
// The program settings of section [COMMON], with their defaults and the read
// rule of each key.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/GroupRecord.h"

namespace ports {
class DialogPort;
}

namespace core {

// Keys of [COMMON], in the order they are read.
inline constexpr const char* kKeyErrorSound = "ERROR_SOUND";
inline constexpr const char* kKeyErrorApp = "ERROR_APP";
inline constexpr const char* kKeyPeriodVerify = "PERIOD_VERIFY";
inline constexpr const char* kKeySplashTtl = "SPLASH_WINDOW_TTL";
inline constexpr const char* kKeySplashDisable = "SPLASH_WINDOW_DISABLE";
inline constexpr const char* kKeyDockingWindows = "USE_DOCKING_WINDOWS";
inline constexpr const char* kKeyDefaultGroup = "FV_DEFAULT_SETINGS";
inline constexpr const char* kKeySplashEffects = "ENABLE_SPLASH_EFFECTS";

struct ProgramSettings {
  static constexpr uint32_t kMinPeriodVerify = 5;
  static constexpr uint32_t kDefaultPeriodVerify = 20;

  // The group a new favourite group starts from. Absent key: the group
  // reader's own defaults, so that the key and its absence agree.
  GroupRecord defaultGroup = GroupRecord::ReaderDefaults();
  bool useDockingWindows = false;
  uint32_t splashWindowTtl = 0;  // seconds; 0 keeps the pop-up until clicked
  uint32_t periodVerify = kDefaultPeriodVerify;  // seconds between polls
  bool enableSplashEffects = false;
  std::string errorSound;
  std::string errorApp;
  // SPLASH_WINDOW_DISABLE: not a field of the record in the original layout
  // but the application's own flag; kept here with the other keys.
  bool splashWindowDisable = false;

  bool operator==(const ProgramSettings&) const = default;
};

// Read rules of the single keys.
// "TRUE", "1" or "ON" after blanks are trimmed and the text upper-cased.
bool ReadOnOffValue(std::string_view value);
// "TRUE" or "1" after blanks, double quotes, CR, LF and tabs are trimmed.
bool ReadTrueOneValue(std::string_view value);
// Leading decimal digits; none gives 0.
uint32_t ReadNumberValue(std::string_view value);
// The value with double quotes trimmed from both ends.
std::string ReadQuotedValue(std::string_view value);

// Applies one [COMMON] key to the settings; a key it does not know is left
// alone. A PERIOD_VERIFY below 5 is refused with a message box and the field
// keeps its value.
void ApplySetting(ProgramSettings& settings, std::string_view key, std::string_view value,
                  ports::DialogPort& dialogs);

// The text of the refusal box for a PERIOD_VERIFY below the minimum.
std::string PeriodVerifyRefusalText(uint32_t value);

// The poll timer's interval for PERIOD_VERIFY seconds: at least a second,
// and never beyond what a timer's signed 32-bit interval can hold.
uint32_t PollTimerMs(uint32_t periodVerify);

}  // namespace core
