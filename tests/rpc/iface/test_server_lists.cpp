// The directory listing and the server configuration reader against a fake
// server that answers through the shared bodies.

#include <gtest/gtest.h>

#include "FakeServer.h"
#include "rpc/iface/DirMessages.h"
#include "rpc/iface/CfgMessages.h"
#include "rpc/iface/DirectoryListing.h"
#include "rpc/iface/ServerConfigReader.h"

namespace rpc::test {
namespace {

class DirectoryListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.On<QMX_DirGetCountRequest>([this](const QMX_DirGetCountRequest&) {
      QMX_DirGetCountResponse r;
      r.Count = count;
      r.Status = countStatus;
      r.ReturnValue = countReturn;
      return r;
    });
    server.On<QMX_DirGetAtRequest>([this](const QMX_DirGetAtRequest& q) {
      QMX_DirGetAtResponse r;
      if (q.Index == failAt) {
        r.RpcErr = 1722;
        r.ReturnValue = -3;
        return r;
      }
      r.ItemText = names.at(static_cast<size_t>(q.Index));
      r.ItemValues = {q.Index, 1 - q.Index % 2, 0, 0, 9};
      return r;
    });
  }

  std::vector<DirectoryEntry> List(std::optional<CallFailure>* failure, size_t stopAfter = 1000) {
    std::vector<DirectoryEntry> entries;
    DirectoryListingHooks hooks;
    hooks.onCount = [this](int32_t n) { announced = n; };
    hooks.onEntry = [&](const DirectoryEntry& e) {
      entries.push_back(e);
      return entries.size() < stopAfter;
    };
    *failure = ListDirectory(server, hooks);
    return entries;
  }

  FakeServer server;
  std::vector<std::string> names = {" DIR1\r\n", "\t \n", "ABON2 ", "DIR3"};
  int32_t count = 4;
  int32_t countStatus = 0;
  int32_t countReturn = 0;
  int32_t failAt = -1;
  int32_t announced = -1;
};

TEST_F(DirectoryListingTest, TrimsSkipsEmptyAndPassesTheValues) {
  std::optional<CallFailure> failure;
  const auto entries = List(&failure);
  EXPECT_FALSE(failure);
  EXPECT_EQ(4, announced);
  ASSERT_EQ(3u, entries.size());
  EXPECT_EQ("DIR1", entries[0].text);
  EXPECT_EQ("ABON2", entries[1].text);
  EXPECT_EQ(2, entries[1].index);
  EXPECT_EQ(1, entries[1].values[1]);
  EXPECT_EQ(9, entries[2].values[4]);
  // One count, then one GetAt per index.
  EXPECT_EQ(5u, server.sent.size());
}

// The return values are not evaluated: the failure carries code 0 for the
// report, which then names the access problem rather than the return value.
TEST_F(DirectoryListingTest, StatusWordStopsTheListingWithItsFailure) {
  failAt = 2;
  std::optional<CallFailure> failure;
  const auto entries = List(&failure);
  EXPECT_EQ((CallFailure{"QMX_DirGetAt", 0, 0, 1722}), failure);
  EXPECT_EQ(1u, entries.size());
  EXPECT_EQ(3u, server.CallsOf(QMX_DirGetAtRequest::kOpnum));
}

TEST_F(DirectoryListingTest, CountFailureSendsNothingMore) {
  countStatus = 8;
  countReturn = 5;
  std::optional<CallFailure> failure;
  List(&failure);
  EXPECT_EQ((CallFailure{"QMX_DirGetCount", 0, 8, 0}), failure);
  EXPECT_EQ(0u, server.CallsOf(QMX_DirGetAtRequest::kOpnum));
}

TEST_F(DirectoryListingTest, CallerStopsTheListing) {
  std::optional<CallFailure> failure;
  EXPECT_EQ(1u, List(&failure, 1).size());
  EXPECT_FALSE(failure);
  EXPECT_EQ(1u, server.CallsOf(QMX_DirGetAtRequest::kOpnum));
}

TEST_F(DirectoryListingTest, ServerCountsAreBounded) {
  count = 2000000000;
  std::optional<CallFailure> failure;
  List(&failure, 1);
  EXPECT_EQ(65536, announced);
  count = -4;
  List(&failure);
  EXPECT_EQ(0, announced);
}

class ServerConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.On<CfgGetSectionCountRequest>([this](const CfgGetSectionCountRequest&) {
      CfgGetSectionCountResponse r;
      r.Count = static_cast<int32_t>(sections.size());
      return r;
    });
    server.On<CfgGetSectionAtRequest>([this](const CfgGetSectionAtRequest& q) {
      CfgGetSectionAtResponse r;
      r.Status = q.Index == failSectionAt ? 5 : 0;
      r.SectionName = sections.at(static_cast<size_t>(q.Index));
      r.SecondText = "unused";
      return r;
    });
    server.On<CfgGetParamCountRequest>([this](const CfgGetParamCountRequest& q) {
      CfgGetParamCountResponse r;
      r.Count = q.Section == "COMMON" ? static_cast<int32_t>(params.size()) : 0;
      return r;
    });
    server.On<CfgGetParamAtRequest>([this](const CfgGetParamAtRequest& q) {
      CfgGetParamAtResponse r;
      r.Status = q.Index == failParamAt ? 6 : 0;
      r.Key = params.at(static_cast<size_t>(q.Index)).first;
      r.Value = params.at(static_cast<size_t>(q.Index)).second;
      return r;
    });
  }

  FakeServer server;
  std::vector<std::string> sections = {"RPC", "COMMON", "TASKS"};
  std::vector<std::pair<std::string, std::string>> params = {{"Node_Address", "  C=RU;A=X \t"}, {"dir", "D:\\MAIL\\"}};
  int32_t failSectionAt = -1;
  int32_t failParamAt = -1;
};

TEST_F(ServerConfigTest, ReadsCommonWithUpperKeysAndTrimmedValues) {
  ServerConfigReader reader(server);
  const auto got = reader.SectionParams("COMMON");
  ASSERT_TRUE(got);
  ASSERT_EQ(2u, got->size());
  EXPECT_EQ("NODE_ADDRESS", (*got)[0].key);
  EXPECT_EQ("C=RU;A=X", (*got)[0].value);
  EXPECT_EQ("DIR", (*got)[1].key);
  EXPECT_EQ("D:\\MAIL\\", (*got)[1].value);
  // The search stops at the section it wants.
  EXPECT_EQ(2u, server.CallsOf(CfgGetSectionAtRequest::kOpnum));
}

TEST_F(ServerConfigTest, MissingSectionIsAnEmptyList) {
  sections = {"RPC", "common"};
  ServerConfigReader reader(server);
  const auto got = reader.SectionParams("COMMON");
  ASSERT_TRUE(got);
  EXPECT_TRUE(got->empty());
  EXPECT_EQ(0u, server.CallsOf(CfgGetParamCountRequest::kOpnum));
}

TEST_F(ServerConfigTest, StatusEndsTheReading) {
  failSectionAt = 0;
  ServerConfigReader reader(server);
  EXPECT_FALSE(reader.SectionParams("COMMON"));
  EXPECT_EQ((CallFailure{"CfgGetSectionAt", 0, 5, 0}), reader.Failure());

  failSectionAt = -1;
  failParamAt = 1;
  EXPECT_FALSE(reader.SectionParams("COMMON"));
  EXPECT_EQ((CallFailure{"CfgGetParamAt", 0, 6, 0}), reader.Failure());
}

TEST_F(ServerConfigTest, SectionNamesInServerOrder) {
  ServerConfigReader reader(server);
  EXPECT_EQ((std::vector<std::string>{"RPC", "COMMON", "TASKS"}), reader.SectionNames().value_or(std::vector<std::string>{}));
}

}  // namespace
}  // namespace rpc::test
