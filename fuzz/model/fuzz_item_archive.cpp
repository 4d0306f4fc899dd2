// Clipboard archives from outside: loading never reads past the bytes, a
// failed load leaves the entry as it was, and what loads saves and loads again
// to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/item/VxItemBase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 262144) return 0;
  model::_VxItemBase item;
  item.Init("NODE", "BOX", "MQUEUE", "ROUTER", "C:RU", true);
  const std::vector<uint8_t> before = item.ToArchive();
  if (!item.FromArchive({data, size})) {
    if (item.ToArchive() != before) std::abort();
    return 0;
  }
  const std::vector<uint8_t> saved = item.ToArchive();
  model::_VxItemBase again;
  if (!again.FromArchive(saved)) std::abort();
  if (again.ToArchive() != saved) std::abort();
  return 0;
}
