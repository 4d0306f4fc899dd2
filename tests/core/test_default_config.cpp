#include <gtest/gtest.h>

#include "core/DefaultConfigText.h"
#include "Sha256.h"
#include "text/Cp1251.h"

TEST(DefaultConfigText, IsByteForByteTheFileOfANewConfiguration) {
  const std::string& text = core::DefaultConfigText();
  EXPECT_EQ(text.size(), 2472u);
  EXPECT_EQ(testing_fakes::Sha256Hex(text), "afe9581202150a6377d2256b07a43093986a439ff70222b48180388f4c489d0d");
}

TEST(DefaultConfigText, EveryLineEndsInCrLfAndTheLastLineIsEmpty) {
  const std::string& text = core::DefaultConfigText();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  EXPECT_TRUE(text.ends_with("[Favorites]\r\n\r\n"));
  EXPECT_NE(text.find(text::Cp(";;; ОБЩИЕ НАСТРОЙКИ ПРОГРАММЫ ")), std::string::npos) << "CP1251, not UTF-8";
}
