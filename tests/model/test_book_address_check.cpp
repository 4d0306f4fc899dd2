// The address-book address check of an abonent, its messages, and the address
// the request dialog builds from its level fields.

#include <gtest/gtest.h>

#include <string>

#include "model/item/BookAddressCheck.h"
#include "text/Cp1251.h"

namespace model::test {
namespace {

const std::string kFull = "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D/PN:IVANOV";

RoutingLists RoutingAt(int level, const std::string& address) {
  RoutingLists lists;
  lists[static_cast<size_t>(level)] = {address};
  return lists;
}

struct CheckCase {
  const char* name;
  bool asked;
  std::string field;
  RoutingLists routing;
  BookAddressCheck expected;
};

TEST(BookAddressCheckTest, OrderOfTheChecks) {
  const RoutingLists none;
  const RoutingLists pn = RoutingAt(5, "BOX");
  const CheckCase cases[] = {
      // The box off wins over everything else, a blank field included.
      {"not asked, blank field", false, "", none, BookAddressCheck::kNotAsked},
      {"not asked, bad field", false, "garbage", pn, BookAddressCheck::kNotAsked},
      // Blank comes before the routing test.
      {"blanks only", true, " \t\r\n", none, BookAddressCheck::kEmpty},
      {"empty", true, "", pn, BookAddressCheck::kEmpty},
      // Nothing to check against comes before the address's own form.
      {"no routing, good field", true, kFull, none, BookAddressCheck::kNoRouting},
      {"no routing, bad field", true, "garbage", none, BookAddressCheck::kNoRouting},
      {"routing only on level C", true, kFull, RoutingAt(0, "RU"), BookAddressCheck::kCorrect},
      {"complete", true, kFull, pn, BookAddressCheck::kCorrect},
      {"lower case and blanks", true, " c : ru / admd:a/prmd:b/org:c/ou:d/pn: ivanov ", pn,
       BookAddressCheck::kCorrect},
      {"empty middle levels", true, "C:RU/ADMD:/PRMD:/ORG:/OU:/PN:X", pn, BookAddressCheck::kCorrect},
      {"five groups", true, "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D", pn, BookAddressCheck::kInvalid},
      {"empty PN", true, "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D/PN:", pn, BookAddressCheck::kInvalid},
      {"blank PN", true, "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D/PN:   ", pn, BookAddressCheck::kInvalid},
      {"level left out", true, "C:RU/PRMD:B/ORG:C/OU:D/PN:X", pn, BookAddressCheck::kInvalid},
      {"levels swapped", true, "C:RU/PRMD:B/ADMD:A/ORG:C/OU:D/PN:X", pn, BookAddressCheck::kInvalid},
      {"not an address", true, "IVANOV", pn, BookAddressCheck::kInvalid},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckBookAddress(c.asked, c.field, c.routing), c.expected) << c.name;
  }
}

TEST(BookAddressCheckTest, MessagesAndTitles) {
  struct Case {
    BookAddressCheck result;
    const char* text;
    const char* title;
  };
  const Case cases[] = {
      {BookAddressCheck::kNotAsked, "", ""},
      {BookAddressCheck::kEmpty, "X400 адрес абонента не должен быть пустым!", "Ошибка"},
      {BookAddressCheck::kNoRouting,
       "Не возможно проверить X400 адрес абонента для сервера рассылки адресных книг поскольку параметры "
       "маршрутизации не заданы.",
       "Сообщение"},
      {BookAddressCheck::kInvalid, "Задайте корректный адрес абонента для сервера рассылки адресных книг!",
       "Сообщение"},
      {BookAddressCheck::kCorrect,
       "Адрес для сервера рассылки адресных книг и глобальной адресной книги задан корректно.", "Сообщение"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BookAddressCheckText(c.result), text::Cp(c.text)) << c.text;
    EXPECT_EQ(BookAddressCheckTitle(c.result), text::Cp(c.title)) << c.text;
  }
}

TEST(RequestAddressTest, BuildsThroughTheLastGivenLevel) {
  struct Case {
    LevelValues values;
    std::string expected;
  };
  const Case cases[] = {
      {{"RU", "A", "B", "C", "D", "X"}, "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D/PN:X"},
      {{}, ""},
      {{"RU", "", "", "", "", ""}, "C:RU"},
      {{"", "", "", "", "", "X"}, "C:/ADMD:/PRMD:/ORG:/OU:/PN:X"},
      {{"RU", "", "B", "", "", ""}, "C:RU/ADMD:/PRMD:B"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildRequestAddress(c.values), c.expected);
}

TEST(RequestAddressTest, ParsingTheBuiltAddressGivesTheFieldsBack) {
  const LevelValues samples[] = {
      {"RU", "A", "B", "C", "D", "IVANOV"},
      {"RU", "", "B", "", "", ""},
      {"", "", "", "", "", "X"},
      {"RU", "A", "", "", "", ""},
  };
  for (const auto& values : samples) {
    const std::string address = BuildRequestAddress(values);
    LevelValues back;
    EXPECT_GT(ParseOrAddress(address, false, back), 0) << address;
    EXPECT_EQ(back, values) << address;
    // Only an address with a PN is complete; a built one then parses strictly.
    EXPECT_EQ(IsCompleteOrAddress(address), !values[5].empty()) << address;
  }
}

}  // namespace
}  // namespace model::test
