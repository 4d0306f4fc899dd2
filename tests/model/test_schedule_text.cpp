// The text form of a schedule frame: the number field reader, the decoder's
// refusals and the round trip.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ScheduleTestSupport.h"
#include "model/schedule/TempModeText.h"

namespace model::test {
namespace {

const char* const kWorked = "3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&";

TEST(ScheduleText, NumberField) {
  const struct {
    std::string text;
    char separator;
    std::optional<size_t> taken;
    int32_t value;
  } cases[] = {
      {"12,", ',', 3, 12},
      {"12,7", ',', 3, 12},
      {" - 5 ,", ',', 6, -5},
      {"+7&", '&', 3, 7},
      {",", ',', 1, 0},       // empty field
      {"-,", ',', 2, 0},      // a sign alone
      {"  \t ,", ',', 5, 0},  // blanks alone
      {"007,", ',', 4, 7},
      {"-2147483648,", ',', 12, INT32_MIN},
      {"4294967295,", ',', 11, -1},  // an unsigned word's image
      {"12&", ',', std::nullopt, 0},   // another separator
      {"12", ',', std::nullopt, 0},    // the text ends
      {"", ',', std::nullopt, 0},
      {"1 2,", ',', std::nullopt, 0},  // digits after a blank
      {"1a,", ',', std::nullopt, 0},
      {"--1,", ',', std::nullopt, 0},
      {"1-,", ',', std::nullopt, 0},
      {"4294967296,", ',', std::nullopt, 0},  // does not fit 32 bits
      {"99999999999999999999,", ',', std::nullopt, 0},
      // Twenty characters at most before the separator.
      {std::string(19, ' ') + "5,", ',', 21, 5},
      {std::string(18, '0') + "42,", ',', 21, 42},
      {std::string(20, ' ') + "5,", ',', std::nullopt, 0},
      {std::string(19, '0') + "42,", ',', std::nullopt, 0},
      {std::string(20, ' ') + ",", ',', 21, 0},
      {"5" + std::string(19, ' ') + ",", ',', 21, 5},
      {"5" + std::string(20, ' ') + ",", ',', std::nullopt, 0},
      {std::string("5\0,", 3), ',', std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    int32_t value = 1234;
    EXPECT_EQ(ReadNumberField(c.text, c.separator, value), c.taken);
    EXPECT_EQ(value, c.taken ? c.value : 1234);
  }
}

TEST(ScheduleText, WorkedExamplesBothWays) {
  CTempModeFrame frame;
  EXPECT_EQ(FormatText(frame), "2,0,0,0&0,0,0,0,0,0,0&0,0,0,0,0,0,0&");
  ASSERT_TRUE(ParseText(kWorked, frame));
  EXPECT_EQ(frame, Frame(3, 1800, Daily(9, 0, 0), Daily(18, 30, 0)));
  EXPECT_EQ(FormatText(frame), kWorked);

  const char* const sameWithBlanks[] = {
      " 3 , 1800 , 0 , 0 &0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&",
      "3,1800,0,0& 0 ,0, 9,- 1,-1 ,-1,\t-1 &0,30,18,-1,-1,-1,-1 &",
      "+3,1800,,&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&",   // empty fields read as 0
      "3,1800,0,-&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&",  // "-" alone reads as 0
      "3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&trailing text",
  };
  for (const char* text : sameWithBlanks) {
    SCOPED_TRACE(text);
    CTempModeFrame other;
    ASSERT_TRUE(ParseText(text, other));
    EXPECT_EQ(other, frame);
  }
}

TEST(ScheduleText, DecoderAcceptsAndRefuses) {
  const struct {
    const char* name;
    std::string text;
    bool ok;
  } cases[] = {
      {"mode 5", "5,0,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", true},
      {"mode 6", "6,0,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", true},
      {"mode 7", "7,0,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"mode -1", "-1,0,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"every field any", "1,0,0,0&-1,-1,-1,-1,-1,-1,-1&-1,-1,-1,-1,-1,-1,-1&", true},
      {"highest values", "1,0,0,0&59,59,23,6,31,11,-7&0,0,0,0,0,0,2000000000&", true},
      {"minute 60", "1,0,0,0&0,60,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"second 60 in the to point", "1,0,0,0&0,0,9,-1,-1,-1,-1&60,30,18,-1,-1,-1,-1&", false},
      {"hour 24", "1,0,0,0&0,0,24,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"weekday 7", "1,0,0,0&0,0,9,7,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"day 32", "1,0,0,0&0,0,9,-1,32,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"month 12", "1,0,0,0&0,0,9,-1,-1,12,-1&0,30,18,-1,-1,-1,-1&", false},
      {"minute -2", "1,0,0,0&0,-2,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"no & after the from part", "3,1800,0,0&0,0,9,-1,-1,-1,-1", false},
      {"no closing &", "3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1", false},
      {"six fields in the from part", "3,1800,0,0&0,0,9,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"eight fields in the from part", "3,1800,0,0&0,0,9,-1,-1,-1,-1,5&0,30,18,-1,-1,-1,-1&", false},
      {"header ends with a comma", "3,1800,0,0,0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&", false},
      {"empty", "", false},
      {"letters", "a,b,c,d&e&f&", false},
      // Far longer than the from part's 256-byte work area.
      {"long from part", "1,0,0,0&" + std::string(5000, '1') + "&0,0,0,-1,-1,-1,-1&", false},
      {"long blank from part", "1,0,0,0&" + std::string(300, ' ') + "&0,0,0,-1,-1,-1,-1&", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CTempModeFrame frame = Frame(1, 77, Weekly(2, 3, 4, 5), Daily(6, 7, 8));
    const CTempModeFrame before = frame;
    EXPECT_EQ(ParseText(c.text, frame), c.ok);
    // A refused text leaves the frame as it was, not half decoded.
    if (!c.ok) {
      EXPECT_EQ(frame, before);
    }
  }
}

TEST(ScheduleText, EveryDecodableFrameRoundTrips) {
  CTempModeFrame wide = Frame(6, 0xFFFFFFFFu, CTempModePoint{59, 0, 23, 6, 31, 11, INT32_MIN},
                              CTempModePoint{-1, -1, -1, -1, 0, -1, INT32_MAX});
  wide.reserved1 = 0x80000000u;
  wide.reserved2 = 0xFFFFFFFFu;
  const CTempModeFrame frames[] = {CTempModeFrame{}, wide, Frame(4, 86400, Weekly(0, 0, 0, 0), Weekly(6, 23, 59, 59))};
  for (const auto& f : frames) {
    const std::string text = FormatText(f);
    SCOPED_TRACE(text);
    CTempModeFrame back = Frame(1, 1, Daily(1, 1, 1), Daily(2, 2, 2));
    ASSERT_TRUE(ParseText(text, back));
    EXPECT_EQ(back, f);
  }
  EXPECT_EQ(FormatText(wide), "6,4294967295,2147483648,4294967295&59,0,23,6,31,11,-2147483648&"
                              "-1,-1,-1,-1,0,-1,2147483647&");
}

}  // namespace
}  // namespace model::test
