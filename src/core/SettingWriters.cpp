#include "core/SettingWriters.h"

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/C_CFG_RootFolder.h"

namespace core {

bool SetSettingText(C_CFG_File& file, const std::string& section, const std::string& key, const std::string& value,
                    bool quote) {
  std::string text = value;
  if (quote && !text.empty()) {
    if (text.front() != '"') text.insert(text.begin(), '"');
    if (text.size() < 2 || text.back() != '"') text.push_back('"');
  }
  C_CFG_RootFolder* root = file.GetRoot();
  if (root == nullptr) return false;
  // Sections only: a root parameter that carries the name is not a section.
  C_CFG_Folder* folder = root->FindFolder(section, false);
  if (folder == nullptr) folder = new C_CFG_Folder(&file, root, section);  // linked into the root
  const long at = folder->Find(key, 0);
  if (at < 0) {
    new C_CFG_Parameter(&file, folder, key, text);  // linked into the section
    return true;
  }
  C_CFG_Item* item = folder->GetAt(static_cast<std::uint32_t>(at));
  return item != nullptr && item->SetValue(text, false);
}

bool SetSettingNumber(C_CFG_File& file, const std::string& section, const std::string& key, uint32_t value) {
  return SetSettingText(file, section, key, std::to_string(value), false);
}

bool SetSettingBool(C_CFG_File& file, const std::string& section, const std::string& key, bool value) {
  return SetSettingText(file, section, key, value ? "TRUE" : "FALSE", false);
}

}  // namespace core
