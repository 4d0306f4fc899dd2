// Large bodies both ways: a file that fills the whole GetFile capacity comes
// back in many fragments, and a large abonent record goes out in many.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SimHarness.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/iface/Interface.h"
#include "sim/lib/FixtureLoader.h"

namespace {

TEST(Transfers, AFileOfTheWholeCapacity) {
  simtest::Harness h(R"(
[FILE C:\VT\CLIENT\INSTALL\BIG\DISK1\DATA.CAB]
SIZE=4718592
[FILE C:\VT\CLIENT\INSTALL\BIG\DISK1\HUGE.CAB]
SIZE=5000000
)");
  std::vector<char> data(rpc::cap::kFileData + 1);
  int32_t length = 0, error = -1, u[5];
  EXPECT_GE(rpc::GetFile(h.Target(), "C:\\VT\\CLIENT\\INSTALL\\BIG\\DISK1\\DATA.CAB", 0, rpc::cap::kFileData, &length,
                         data.data(), &u[0], &u[1], &u[2], &u[3], &u[4], &error),
            1);
  EXPECT_EQ(error, 0);
  ASSERT_EQ(length, rpc::cap::kFileData);
  EXPECT_TRUE(std::string(data.data(), data.size() - 1) ==
              sim::GeneratedFileData("C:\\VT\\CLIENT\\INSTALL\\BIG\\DISK1\\DATA.CAB", 4718592));

  // A larger file is cut to the capacity: the console sees a full buffer.
  EXPECT_GE(rpc::GetFile(h.Target(), "C:\\VT\\CLIENT\\INSTALL\\BIG\\DISK1\\HUGE.CAB", 0, rpc::cap::kFileData, &length,
                         data.data(), &u[0], &u[1], &u[2], &u[3], &u[4], &error),
            1);
  EXPECT_EQ(length, rpc::cap::kFileData);
  EXPECT_EQ(u[0], 5000000);
}

TEST(Transfers, ALargeRequestAndItsAnswer) {
  simtest::Harness h;
  std::string params;
  for (int i = 0; params.size() < 300000; ++i) params += "#NOTE" + std::to_string(i) + "=" + std::string(60, 'x') + "\n";
  int32_t status = -1, rpcErr = -1;
  EXPECT_EQ(rpc::SetRoutItem(h.Target(), &status, &rpcErr, rpc::level::kAbonent, "", "BIGBOX", params.c_str(), 1), 0);
  rpc::RoutingFetch fetch;
  EXPECT_EQ(fetch.AbonentInfo(h.Target(), rpc::level::kAbonent, "BIGBOX"), params);
}

}  // namespace
