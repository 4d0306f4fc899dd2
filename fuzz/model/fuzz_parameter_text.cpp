// Abonent parameter texts from the Router: a parsed list built back into text
// and parsed again must give the same text, and no parameter may carry a
// line break or an empty name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/item/VxItemBase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 65536) return 0;
  const bool hidden = (data[0] & 1) != 0;
  const bool withLevel = (data[0] & 2) != 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

  model::_VxItemBase first;
  first.hideFromAddressBook = hidden;
  first.ParseParameterText(input);
  for (const auto& p : first.parameters) {
    if (p.name.empty() || p.name.find_first_of("=\n\r") != std::string::npos) std::abort();
    if (p.value.find_first_of("\n\r") != std::string::npos) std::abort();
  }
  std::string value;
  (void)first.GetParameter("#USERID", value);
  (void)first.BuildAddressBookRecord();

  const std::string built = first.BuildParameterText(withLevel);
  model::_VxItemBase second;
  second.hideFromAddressBook = hidden;
  second.ParseParameterText(built);
  if (second.BuildParameterText(withLevel) != built) std::abort();
  return 0;
}
