// The abonent identity: 32 hexadecimal digits with the third group in small
// letters, and a different one each time.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/item/NewUserId.h"

namespace {

bool InSet(char c, const char* set) { return c != '\0' && std::string(set).find(c) != std::string::npos; }

TEST(NewUserId, ThirtyTwoDigitsThirdGroupInSmallLetters) {
  // Over 200 ids the third group meets letters, so a wrong case shows.
  bool thirdGroupHadLetter = false;
  for (int n = 0; n < 200; ++n) {
    const std::string id = model::NewUserId();
    ASSERT_EQ(id.size(), 32u) << id;
    for (size_t i = 0; i < id.size(); ++i) {
      const bool third = i >= 12 && i < 16;
      ASSERT_TRUE(InSet(id[i], third ? "0123456789abcdef" : "0123456789ABCDEF")) << id << " at " << i;
      if (third && id[i] >= 'a') thirdGroupHadLetter = true;
    }
  }
  EXPECT_TRUE(thirdGroupHadLetter);
}

TEST(NewUserId, EveryIdIsNew) {
  std::set<std::string> seen;
  for (int n = 0; n < 1000; ++n) EXPECT_TRUE(seen.insert(model::NewUserId()).second);
}

}  // namespace
