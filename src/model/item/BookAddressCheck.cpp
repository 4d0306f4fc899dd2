#include "model/item/BookAddressCheck.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

bool IsCompleteOrAddress(const std::string& address) {
  LevelValues values;
  if (ParseOrAddress(address, true, values) != kLevelCount) return false;
  return !values[kLevelCount - 1].empty();
}

BookAddressCheck CheckBookAddress(bool completeAsked, const std::string& field, const RoutingLists& routing) {
  if (!completeAsked) return BookAddressCheck::kNotAsked;
  if (text::TrimView(field).empty()) return BookAddressCheck::kEmpty;
  bool anyRouting = false;
  for (const auto& level : routing) anyRouting = anyRouting || !level.empty();
  if (!anyRouting) return BookAddressCheck::kNoRouting;
  return IsCompleteOrAddress(field) ? BookAddressCheck::kCorrect : BookAddressCheck::kInvalid;
}

std::string BookAddressCheckText(BookAddressCheck result) {
  switch (result) {
    case BookAddressCheck::kNotAsked:
      return {};
    case BookAddressCheck::kEmpty:
      return text::Cp("X400 адрес абонента не должен быть пустым!");
    case BookAddressCheck::kNoRouting:
      return text::Cp(
          "Не возможно проверить X400 адрес абонента для сервера рассылки адресных книг поскольку параметры "
          "маршрутизации не заданы.");
    case BookAddressCheck::kInvalid:
      return text::Cp("Задайте корректный адрес абонента для сервера рассылки адресных книг!");
    case BookAddressCheck::kCorrect:
      return text::Cp("Адрес для сервера рассылки адресных книг и глобальной адресной книги задан корректно.");
  }
  return {};
}

std::string BookAddressCheckTitle(BookAddressCheck result) {
  switch (result) {
    case BookAddressCheck::kNotAsked:
      return {};
    case BookAddressCheck::kEmpty:
      return text::Cp("Ошибка");
    default:
      return text::Cp("Сообщение");
  }
}

std::string BuildRequestAddress(const LevelValues& values) {
  int last = -1;
  for (int level = 0; level < kLevelCount; ++level) {
    if (!values[static_cast<size_t>(level)].empty()) last = level;
  }
  std::string address;
  for (int level = 0; level <= last; ++level) {
    if (level) address += '/';
    address += LevelName(level);
    address += ':';
    address += values[static_cast<size_t>(level)];
  }
  return address;
}

}  // namespace model
