#pragma once
// An entry on the clipboard between consoles: the console's version text
// (length-prefixed), then the entry's archive form. Data from a console of
// another version is not taken: the archive layout may differ.
//
//   std::vector<uint8_t> bytes = model::CopyEntryData(entry, VT_VERSION_TEXT);
//   std::optional<model::_VxItemBase> pasted = model::PasteEntryData(bytes, VT_VERSION_TEXT);
//   if (pasted) model::TakeIdentityOf(*pasted, shown);

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/item/VxItemBase.h"

namespace model {

std::vector<uint8_t> CopyEntryData(const _VxItemBase& entry, const std::string& versionText);

// The entry, or nothing when the data is of another version or does not load.
std::optional<_VxItemBase> PasteEntryData(std::span<const uint8_t> bytes, const std::string& versionText);

// The pasted entry becomes the shown one's: its task names, mailbox name,
// both kinds, load and refresh state, whether it is new, and its "#USERID"
// (removed when the shown entry has none or an empty one). A local folder
// link loses its "#Folder=" prefix (any case), as the pages read the path.
void TakeIdentityOf(_VxItemBase& pasted, const _VxItemBase& shown);

}  // namespace model
