// Group values and [COMMON] values from a hand-edited configuration file:
// nothing may read out of bounds, and a group read from any text must come
// back unchanged through its own text form.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/GroupRecord.h"
#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "ports/DialogPort.h"

namespace {

class SilentDialogs : public ports::DialogPort {
 public:
  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest&) override { return ports::MsgAnswer::Ok; }
  void ShowRichMessage(const std::string&, const ports::RichText&) override {}
  int Ask(const ports::QuestionRequest&) override { return -1; }
  std::optional<std::string> SaveFile(const ports::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> OpenFile(const ports::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const core::GroupRecord group = core::ReadGroupValue(input);
  if (group.scanPeriod < core::GroupRecord::kMinScanPeriod) std::abort();
  if (!(core::ReadGroupValue(core::FormatGroupValue(group)) == group)) std::abort();

  SilentDialogs dialogs;
  core::ProgramSettings settings;
  for (const char* key : {core::kKeyErrorSound, core::kKeyErrorApp, core::kKeyPeriodVerify, core::kKeySplashTtl,
                          core::kKeySplashDisable, core::kKeyDockingWindows, core::kKeyDefaultGroup,
                          core::kKeySplashEffects})
    core::ApplySetting(settings, key, input, dialogs);
  if (settings.periodVerify < core::ProgramSettings::kMinPeriodVerify) std::abort();

  for (const auto& line : core::MessageLog::FormatLines(input, 6))
    if (line.size() < 3 + core::MessageLog::kPadWidth || line[0] != core::MessageLog::kBel) std::abort();
  return 0;
}
