#include <gtest/gtest.h>

#include "FakePorts.h"
#include "core/BusyIndicator.h"

TEST(BusyIndicator, WithoutAProgressControlEverythingCountsAsBusy) {
  core::BusyIndicator busy;
  EXPECT_TRUE(busy.IsBusy());
  EXPECT_FALSE(busy.ShowProgress());
  EXPECT_TRUE(busy.HideProgress()) << "always true, and no control to touch";
}

TEST(BusyIndicator, CounterAndVisibleControlBothMeanBusy) {
  testing_fakes::RecordingProgressPort port;
  core::BusyIndicator busy;
  busy.Attach(&port);
  EXPECT_FALSE(busy.IsBusy());

  busy.SetBusy(true);
  EXPECT_TRUE(busy.IsBusy());
  EXPECT_FALSE(busy.ShowProgress()) << "refused while the counter is not 0";
  busy.SetBusy(false);
  EXPECT_FALSE(busy.IsBusy());

  busy.SetRange(9);
  ASSERT_TRUE(busy.ShowProgress());
  EXPECT_TRUE(busy.IsBusy());
  EXPECT_FALSE(busy.ShowProgress()) << "a second long operation must not start";
  busy.Step();
  busy.Step(2);
  EXPECT_EQ(busy.Position(), 3);
  EXPECT_TRUE(busy.HideProgress());
  EXPECT_FALSE(busy.IsBusy());
  EXPECT_EQ(busy.Position(), 0);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"begin 9", "step 1", "step 2", "end"}));
}
