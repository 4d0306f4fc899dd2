#include "core/ProgramSettings.h"

#include <algorithm>

#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

bool ReadOnOffValue(std::string_view value) {
  const std::string v = text::ToUpperAscii(text::TrimView(value));
  return v == "TRUE" || v == "1" || v == "ON";
}

bool ReadTrueOneValue(std::string_view value) {
  const std::string v = text::ToUpperAscii(text::TrimView(value, " \"\r\n\t"));
  return v == "TRUE" || v == "1";
}

uint32_t ReadNumberValue(std::string_view value) {
  return static_cast<uint32_t>(text::ParseLeadingUnsigned(value));
}

std::string ReadQuotedValue(std::string_view value) { return text::Trim(value, "\""); }

std::string PeriodVerifyRefusalText(uint32_t value) {
  return text::Format(
      text::Cp("Для параметра \"%s\" из секции \"COMMON\" (%s) задано значение %lu меньше допустимого "
               "мининмального значения %lu, поэтому будет использовано значение по умолчанию %lu.")
          .c_str(),
      kKeyPeriodVerify,
      text::Cp("период опроса значения индикатора изменения состояния почтового сервера в секундах").c_str(),
      static_cast<unsigned long>(value), static_cast<unsigned long>(ProgramSettings::kMinPeriodVerify),
      static_cast<unsigned long>(ProgramSettings::kDefaultPeriodVerify));
}

uint32_t PollTimerMs(uint32_t periodVerify) {
  // Timer periods are ints on every toolkit; a huge poll period must not wrap.
  constexpr uint64_t kMaxTimerMs = 0x7FFFFFFF;
  return static_cast<uint32_t>(std::clamp<uint64_t>(uint64_t{periodVerify} * 1000, 1000, kMaxTimerMs));
}

void ApplySetting(ProgramSettings& s, std::string_view key, std::string_view value, ports::DialogPort& dialogs) {
  if (key == kKeyErrorSound) {
    s.errorSound = ReadQuotedValue(value);
  } else if (key == kKeyErrorApp) {
    s.errorApp = ReadQuotedValue(value);
  } else if (key == kKeyPeriodVerify) {
    const uint32_t period = ReadNumberValue(value);
    if (period < ProgramSettings::kMinPeriodVerify) {
      // The caption is not fixed anywhere; the box reports a fault of the file.
      dialogs.Message(PeriodVerifyRefusalText(period), text::Cp("Ошибка"), ports::MsgIcon::Exclamation);
    } else {
      s.periodVerify = period;
    }
  } else if (key == kKeySplashTtl) {
    s.splashWindowTtl = ReadNumberValue(value);
  } else if (key == kKeySplashDisable) {
    s.splashWindowDisable = ReadOnOffValue(value);
  } else if (key == kKeyDockingWindows) {
    s.useDockingWindows = ReadOnOffValue(value);
  } else if (key == kKeyDefaultGroup) {
    s.defaultGroup = ReadGroupValue(value);
  } else if (key == kKeySplashEffects) {
    s.enableSplashEffects = ReadTrueOneValue(value);
  }
}

}  // namespace core
