#include "model/item/EntryClipboard.h"

#include "model/item/ItemArchive.h"
#include "text/Strings.h"

namespace model {

namespace {
constexpr std::string_view kFolderPrefix = "#FOLDER=";
constexpr std::string_view kUserId = "#USERID";
}  // namespace

std::vector<uint8_t> CopyEntryData(const _VxItemBase& entry, const std::string& versionText) {
  ItemArchive archive = ItemArchive::ForStoring();
  std::string version = versionText;
  archive.Text(version);
  _VxItemBase copy(entry);  // storing reads the fields only, through the loading code's signature
  copy.Serialize(archive);
  return archive.Data();
}

std::optional<_VxItemBase> PasteEntryData(std::span<const uint8_t> bytes, const std::string& versionText) {
  ItemArchive archive = ItemArchive::ForLoading(bytes);
  std::string version;
  if (!archive.Text(version) || version != versionText) return std::nullopt;
  _VxItemBase entry;
  if (!entry.Serialize(archive)) return std::nullopt;
  return entry;
}

void TakeIdentityOf(_VxItemBase& pasted, const _VxItemBase& shown) {
  pasted.mailServerName = shown.mailServerName;
  pasted.queueTaskName = shown.queueTaskName;
  pasted.routerTaskName = shown.routerTaskName;
  pasted.nodeAddress = shown.nodeAddress;
  pasted.mailboxName = shown.mailboxName;
  pasted.kind = shown.kind;
  pasted.kindOnServer = shown.kindOnServer;
  pasted.loaded = shown.loaded;
  pasted.skipQueueRefresh = shown.skipQueueRefresh;
  pasted.lastRefreshFailed = shown.lastRefreshFailed;
  pasted.queueEntryMissing = shown.queueEntryMissing;
  // A new entry stays new: its name is still to be given.
  pasted.isNew = shown.isNew;
  if (text::ToUpperAscii(std::string_view(pasted.linkParameters).substr(0, kFolderPrefix.size())) == kFolderPrefix)
    pasted.linkParameters.erase(0, kFolderPrefix.size());
  std::string userId;
  if (shown.GetParameter(kUserId, userId) && !userId.empty()) {
    if (!pasted.SetParameter(kUserId, userId)) pasted.parameters.push_back({std::string(kUserId), userId});
  } else {
    while (pasted.RemoveParameter(kUserId)) {
    }
  }
}

}  // namespace model
