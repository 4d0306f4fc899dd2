#pragma once
// Reading the configuration file at start-up.

#include <memory>
#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "core/RegistrySink.h"

class C_CFG_File;
class C_CFG_Folder;

namespace ports {
class DialogPort;
}

namespace core {

// LoadSettings results.
namespace load {
inline constexpr int kOk = 0;
inline constexpr int kNoPath = 1;
inline constexpr int kCreateFailed = 2;
inline constexpr int kBadFile = 3;
inline constexpr int kNotLoaded = 4;
inline constexpr int kSectionCommon = 5;  // 5..9: the five sections in order
inline constexpr int kMissingComputerItem = 10;
inline constexpr int kMissingServerItem = 12;
}  // namespace load

// Finds the top-level section `name` (blanks, line breaks, tabs and double
// quotes trimmed; upper-cased when asked) or appends an empty one. Only
// sections count: a root parameter of that name is passed over. False, with
// `folder` null, for a missing, bad or unloaded file or an empty name.
bool EnsureSection(C_CFG_File* file, const char* name, C_CFG_Folder*& folder, bool upperCase);

// Creates the settings file object on `path` into `file`, ensures the five
// sections, hands [Remote interfaces] and [Hosts] to the registries and reads
// [COMMON] into `settings`. 0, or a load:: code. Once the file is read, the
// message-list lines it calls for (SplitLineMessages) are appended to
// `messages` when it is given, whatever the result.
int LoadSettingsFile(const std::string& path, std::unique_ptr<C_CFG_File>& file, RegistrySink& registries,
                     ProgramSettings& settings, ports::DialogPort& dialogs,
                     std::vector<std::string>* messages = nullptr);

// One message-list line (code page 1251) for every line of the file's last
// load that was longer than the reader takes and so was split:
// "Строка %zu файла \"%s\" длиннее 2047 байт (%zu байт) и разбита на части."
// with the line's number, the file's path and the line's length.
std::vector<std::string> SplitLineMessages(const C_CFG_File& file);

}  // namespace core
