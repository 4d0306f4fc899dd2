#include "core/LogTime.h"

#include <locale.h>

namespace core {

std::string FormatLogTime(const std::tm& localTime) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  char buffer[256] = {};
  const size_t n = cLocale ? strftime_l(buffer, sizeof buffer, "%H:%M:%S,%A,%d/%B/%Y", &localTime, cLocale)
                           : strftime(buffer, sizeof buffer, "%H:%M:%S,%A,%d/%B/%Y", &localTime);
  return std::string(buffer, n);
}

}  // namespace core
