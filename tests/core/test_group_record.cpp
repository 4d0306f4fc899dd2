#include <gtest/gtest.h>

#include "core/GroupRecord.h"
#include "text/Cp1251.h"

using core::GroupRecord;
using core::ReadGroupValue;

namespace {

GroupRecord With(std::string name, std::array<uint32_t, GroupRecord::kNumberCount> numbers, std::string comment = "",
                 std::string sound = "", std::string app = "") {
  GroupRecord g;
  g.name = std::move(name);
  g.comment = std::move(comment);
  g.soundFile = std::move(sound);
  g.application = std::move(app);
  g.SetNumbers(numbers);
  return g;
}

}  // namespace

TEST(GroupRecord, ReaderDefaultsDifferFromTheInternalOnes) {
  const auto r = GroupRecord::ReaderDefaults().Numbers();
  EXPECT_EQ(r, (std::array<uint32_t, 19>{180, 120, 100, 75, 50, 75, 50, 75, 50, 75, 50, 75, 50, 3600, 3600, 3600, 3600,
                                         3600, 3600}));
  EXPECT_EQ(GroupRecord::ReaderDefaults().name, "");
  const auto i = GroupRecord::InternalDefaults().Numbers();
  EXPECT_EQ(i, (std::array<uint32_t, 19>{45, 75, 50, 75, 50, 75, 50, 75, 50, 75, 50, 75, 50, 3600, 3600, 3600, 3600,
                                         3600, 3600}));
}

TEST(GroupRecord, ReadsValues) {
  const std::string name = text::Cp("Имя группы");
  const std::array<uint32_t, 19> defaults = GroupRecord::ReaderDefaults().Numbers();
  struct Case {
    const char* what;
    std::string value;
    GroupRecord expected;
  } cases[] = {
      {"the default file's value",
       "\"" + name + "\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600",
       With(name, {60, 120, 100, 75, 50, 75, 50, 75, 50, 75, 50, 75, 50, 0, 3600, 3600, 3600, 3600, 3600})},
      {"texts are trimmed, every field read",
       "\"  G1 \",\" note \",30,1,2,3,4,5,6,7,8,9,10,11,12,\" /s.wav \",\"run.sh -x\",13,14,15,16,17,18",
       With("G1", {30, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, "note", "/s.wav",
            "run.sh -x")},
      {"scan period below 20 is raised",
       "\"G\",\"\",5,1,2,3,4,5,6,7,8,9,10,11,12,\"\",\"\",1,2,3,4,5,6",
       With("G", {20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6})},
      {"anything between numbers is skipped",
       "\"G\" , \"c\" ;; 40 x 1 y 2,3,4,5,6,7,8,9,10,11,12 \"a\" \"b\" 1 2 3 4 5 6",
       With("G", {40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}, "c", "a", "b")},
      // The value ends after the first number: the missing numbers are empty
      // runs (0, their checks off); the texts after them are missing, so the
      // six limits keep the reader's 3600.
      {"value ends after the first number", "\"G\",\"C\",90",
       With("G", {90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3600, 3600, 3600, 3600, 3600, 3600}, "C")},
      {"no closing quote on the comment", "\"G\",\"C,90,1,2", With("G", defaults)},
      {"no quote at all", "60,120,100", With("", defaults)},
      {"empty value", "", With("", defaults)},
      {"sound without its closing quote keeps the six limits",
       "\"G\",\"\",60,1,2,3,4,5,6,7,8,9,10,11,12,\"x.wav,1,2,3,4,5,6",
       With("G", {60, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3600, 3600, 3600, 3600, 3600, 3600})},
      {"numbers above 32 bits saturate",
       "\"G\",\"\",99999999999,1,2,3,4,5,6,7,8,9,10,11,12,\"\",\"\",1,2,3,4,5,6",
       With("G", {4294967295u, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6})},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadGroupValue(c.value), c.expected) << c.what;
}

TEST(GroupRecord, WritesTheTextFormAndReadsItBack) {
  const GroupRecord g =
      With("G", {60, 120, 100, 75, 50, 75, 50, 75, 50, 75, 50, 75, 50, 0, 3600, 3600, 3600, 3600, 3600});
  EXPECT_EQ(core::FormatGroupValue(g),
            "\"G\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600");

  const GroupRecord other =
      With("Name", {21, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, "c", "s", "a");
  EXPECT_EQ(ReadGroupValue(core::FormatGroupValue(other)), other);
}
