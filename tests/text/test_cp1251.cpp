#include <gtest/gtest.h>

#include "text/Cp1251.h"
#include "text/Strings.h"

TEST(Cp1251, RussianRoundTrip) {
  const std::string utf8 = "Ошибка: Ёё №";
  const std::string cp = text::Utf8ToCp1251(utf8);
  EXPECT_EQ(cp, std::string("\xCE\xF8\xE8\xE1\xEA\xE0: \xA8\xB8 \xB9"));
  EXPECT_EQ(text::Cp1251ToUtf8(cp), utf8);
}

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(text::Utf8ToCp1251(text::Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, UnmappableAndMalformedInputBecomeQuestionMarks) {
  EXPECT_EQ(text::Utf8ToCp1251("\xE4\xB8\xAD"), "?");   // a CJK character
  EXPECT_EQ(text::Utf8ToCp1251("a\xC3"), "a?");          // cut sequence
  EXPECT_EQ(text::Utf8ToCp1251("\x80z"), "?z");          // stray continuation byte
}

TEST(Strings, TrimAndCase) {
  EXPECT_EQ(text::Trim("  \t x y \r\n"), "x y");
  EXPECT_EQ(text::Trim("\"v\"", "\""), "v");
  EXPECT_EQ(text::Trim(" \t "), "");
  EXPECT_EQ(text::ToUpperAscii("abc\xE0z"), "ABC\xE0Z");
  // Only ASCII letters fold: a Cyrillic small letter is not its capital here.
  EXPECT_TRUE(text::EqualsNoCaseAscii("Relay-1", "RELAY-1"));
  EXPECT_FALSE(text::EqualsNoCaseAscii("\xE0", "\xC0"));
  EXPECT_FALSE(text::EqualsNoCaseAscii("relay", "relay1"));
  EXPECT_FALSE(text::EqualsNoCaseAscii("[", "{"));  // 0x5B and 0x7B differ by the case bit but are no letters
  EXPECT_EQ(text::ParseLeadingUnsigned("123abc"), 123ul);
  EXPECT_EQ(text::ParseLeadingUnsigned("x1"), 0ul);
  EXPECT_EQ(text::ParseLeadingUnsigned("99999999999"), 4294967295ul);
  EXPECT_EQ(text::Format("%02d%s", 7, "x"), "07x");
}
