// The archive form of an entry (the clipboard's bytes), both directions.

#include "model/item/ItemArchive.h"
#include "model/item/VxItemBase.h"

namespace model {

namespace {
// The smallest stored parameter is two empty texts; a routing address one.
constexpr size_t kMinParameterBytes = 2;
constexpr size_t kMinAddressBytes = 1;
}  // namespace

bool _VxItemBase::Serialize(ItemArchive& archive) {
  if (archive.IsStoring()) return SerializeFields(archive);
  // Loaded into a copy first, so that a short or lying archive leaves this entry as it was.
  _VxItemBase loadedItem(*this);
  if (!loadedItem.SerializeFields(archive)) return false;
  // The snapshot is this entry's own reading of the server, not the archive's.
  RoutingLists snapshot = std::move(routingAddressesAsRead);
  *this = loadedItem;
  routingAddressesAsRead = std::move(snapshot);
  return true;
}

bool _VxItemBase::SerializeFields(ItemArchive& ar) {
  const bool storing = ar.IsStoring();
  if (!storing) {
    stateWord = 0;
    parameters.clear();
    schedule.clear();
  }
  ar.Word(loaded);
  ar.Word(skipQueueRefresh);
  ar.Text(queueTaskName);
  ar.Text(routerTaskName);
  ar.Text(mailServerName);
  ar.Word(kindOnServer);
  ar.Word(kind);
  ar.Text(mailboxName);
  ar.Word(priority);
  ar.Word(active);
  ar.Word(callAtInterval);
  ar.Word(noCallOnArrival);
  ar.Word(extraOption);
  ar.Word(viaLocalFolder);
  ar.Text(linkParameters);
  ar.Word(passwordSet);
  ar.Word(passwordHash);
  ar.Word(forcedConnection);
  ar.Text(password);
  ar.Word(isNew);
  ar.Word(optionsChanged);
  ar.Text(mailboxAddress);
  ar.Text(nodeAddress);

  uint32_t count = static_cast<uint32_t>(parameters.size());
  if (!ar.Count(count, kMinParameterBytes)) return false;
  if (storing) {
    for (auto& p : parameters) {
      ar.Text(p.name);
      ar.Text(p.value);
    }
  } else {
    for (uint32_t i = 0; i < count; ++i) {
      CAbonentParameter p;
      if (!ar.Text(p.name) || !ar.Text(p.value)) return false;
      parameters.push_back(std::move(p));
    }
  }

  count = static_cast<uint32_t>(schedule.size());
  if (!ar.Count(count, CTempModeFrame::kBinarySize)) return false;
  if (storing) {
    std::vector<uint8_t> images = FramesToBinary(schedule);
    ar.Bytes(images, images.size());
  } else {
    std::vector<uint8_t> images;
    if (!ar.Bytes(images, static_cast<size_t>(count) * CTempModeFrame::kBinarySize)) return false;
    schedule = FramesFromBinary(images, count);
  }

  ar.Word(hideFromAddressBook);
  ar.Text(note);

  for (auto& list : routingAddresses) {
    count = static_cast<uint32_t>(list.size());
    if (!ar.Count(count, kMinAddressBytes)) return false;
    if (storing) {
      for (auto& address : list) ar.Text(address);
    } else {
      list.clear();
      for (uint32_t i = 0; i < count; ++i) {
        std::string address;
        if (!ar.Text(address)) return false;
        list.push_back(std::move(address));
      }
    }
  }

  ar.Text(addressBookRecord);
  ar.Text(absAddress);
  for (auto& c : queueCounters) ar.Word(c);
  return !ar.Failed();
}

std::vector<uint8_t> _VxItemBase::ToArchive() const {
  ItemArchive archive = ItemArchive::ForStoring();
  _VxItemBase copy(*this);  // storing only reads the fields, but shares the loading code
  copy.SerializeFields(archive);
  return archive.Data();
}

bool _VxItemBase::FromArchive(std::span<const uint8_t> bytes) {
  ItemArchive archive = ItemArchive::ForLoading(bytes);
  return Serialize(archive);
}

}  // namespace model
