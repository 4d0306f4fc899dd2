// Reading the configuration file at start-up: the sections the console needs,
// the registries' entries and the [COMMON] keys.

#include "core/SettingsLoader.h"

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_RootFolder.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

// Sections in the order they are ensured; a failure returns 5 + position.
constexpr const char* kSections[] = {"COMMON", "Remote interfaces", "Hosts", "Links", "Favorites"};

// Hands every named entry of a section to a registration. An item without a
// name or a value (a comment followed by an empty line makes one) is skipped,
// and so is an entry whose registration fails: start-up goes on either way.
template <class Register>
int RegisterEntries(C_CFG_Folder* section, int missingCode, Register registerEntry) {
  const uint32_t count = section->GetCount();
  for (uint32_t i = 0; i < count; ++i) {
    C_CFG_Item* item = section->GetAt(i);
    if (!item) return missingCode;
    const std::string name = item->GetName();
    const std::string value = item->GetValue();
    if (name.empty() || value.empty()) continue;
    registerEntry(name, value);
  }
  return load::kOk;
}

}  // namespace

bool EnsureSection(C_CFG_File* file, const char* name, C_CFG_Folder*& folder, bool upperCase) {
  folder = nullptr;
  if (!file || file->IsBad() || !file->IsLoaded() || !name) return false;
  std::string wanted = text::Trim(name, " \r\n\t\"");
  if (wanted.empty()) return false;
  if (upperCase) wanted = text::ToUpperAscii(wanted);
  C_CFG_RootFolder* root = file->GetRoot();
  if (!root) return false;
  // Sections only: a root parameter that carries the name is not a section.
  folder = root->FindFolder(wanted, true);
  // The new folder links itself into the root, which owns it from then on.
  if (!folder) folder = new C_CFG_Folder(file, root, wanted);
  return folder != nullptr;
}

std::vector<std::string> SplitLineMessages(const C_CFG_File& file) {
  // The administrator learns why one long value became several entries
  // before the next save writes them back so.
  static_assert(cfg::kMaxLine == 2047, "the message names the limit");
  const std::string format = text::Cp("Строка %zu файла \"%s\" длиннее 2047 байт (%zu байт) и разбита на части.");
  std::vector<std::string> messages;
  for (const cfg::SplitLine& split : file.SplitLines())
    messages.push_back(text::Format(format.c_str(), split.line, file.GetPath().c_str(), split.length));
  return messages;
}

int LoadSettingsFile(const std::string& path, std::unique_ptr<C_CFG_File>& file, RegistrySink& registries,
                     ProgramSettings& settings, ports::DialogPort& dialogs, std::vector<std::string>* messages) {
  registries.Clear();
  if (path.empty()) return load::kNoPath;
  file = std::make_unique<C_CFG_File>(path);
  if (!file) return load::kCreateFailed;
  if (file->IsBad()) return load::kBadFile;
  if (!file->IsLoaded()) return load::kNotLoaded;
  if (messages != nullptr) {
    for (std::string& message : SplitLineMessages(*file)) messages->push_back(std::move(message));
  }

  C_CFG_Folder* sections[std::size(kSections)] = {};
  for (size_t i = 0; i < std::size(kSections); ++i)
    if (!EnsureSection(file.get(), kSections[i], sections[i], false)) return load::kSectionCommon + static_cast<int>(i);

  int rc = RegisterEntries(sections[1], load::kMissingComputerItem, [&](const std::string& n, const std::string& v) {
    registries.RegisterComputer(n, v);
  });
  if (rc != load::kOk) return rc;
  rc = RegisterEntries(sections[2], load::kMissingServerItem, [&](const std::string& n, const std::string& v) {
    registries.RegisterMailServer(n, v);
  });
  if (rc != load::kOk) return rc;

  C_CFG_Folder* common = sections[0];
  settings.enableSplashEffects = false;
  for (const char* key : {kKeyErrorSound, kKeyErrorApp, kKeyPeriodVerify, kKeySplashTtl, kKeySplashDisable,
                          kKeyDockingWindows, kKeyDefaultGroup, kKeySplashEffects}) {
    const long index = common->Find(key, 0);
    if (index < 0) continue;
    C_CFG_Item* item = common->GetAt(static_cast<uint32_t>(index));
    if (item) ApplySetting(settings, key, item->GetValue(), dialogs);
  }
  return load::kOk;
}

}  // namespace core
