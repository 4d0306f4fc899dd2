// Counts from the server against the bytes that came with them.

#include <gtest/gtest.h>

#include "rpc/iface/ReplyBounds.h"

namespace rpc::test {
namespace {

TEST(ReplyBounds, CountsNeverReachPastTheReceivedBytes) {
  struct Case {
    int32_t count, length, disks, frames;
  };
  const Case cases[] = {
      {3, 312, 3, 3},        // exactly three of each size fit
      {3, 311, 2, 3},        // one byte short of the third disk
      {40, 3328, 32, 40},    // 32 disks at most
      {50, 4160, 32, 50},    // even when the length would hold more
      {5, 0, 0, 0},          // nothing received
      {-1, 1000, 0, 0},      // a negative count
      {2, -8, 0, 0},         // a negative length
      {100, 144, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " in " << c.length);
    EXPECT_EQ(c.disks, BoundedDiskCount(c.count, c.length));
    EXPECT_EQ(c.frames, BoundedFrameCount(c.count, c.length));
  }
  EXPECT_EQ(65536, BoundedServerCount(70000));
  EXPECT_EQ(0, BoundedServerCount(-2));
  EXPECT_EQ(17, BoundedServerCount(17));
}

}  // namespace
}  // namespace rpc::test
