#include "core/CommonSettingsWriter.h"

#include "core/GroupRecord.h"
#include "core/ProgramSettings.h"
#include "core/SettingWriters.h"

namespace core {

namespace {
constexpr const char* kCommon = "COMMON";
}

bool WriteCommonSettings(C_CFG_File& file, const ProgramSettings& settings, bool docking) {
  bool ok = true;
  ok &= SetSettingText(file, kCommon, kKeyErrorSound, settings.errorSound, true);
  ok &= SetSettingText(file, kCommon, kKeyErrorApp, settings.errorApp, true);
  ok &= SetSettingNumber(file, kCommon, kKeyPeriodVerify, settings.periodVerify);
  ok &= SetSettingNumber(file, kCommon, kKeySplashTtl, settings.splashWindowTtl);
  ok &= SetSettingText(file, kCommon, kKeyDefaultGroup, FormatGroupValue(settings.defaultGroup), false);
  ok &= SetSettingBool(file, kCommon, kKeyDockingWindows, docking);
  return ok;
}

}  // namespace core
