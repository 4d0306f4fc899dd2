// The Router text fetch: one enlargement to Needed + 1 per fetch, kept for the
// rest of it; every other answer ends the fetch with the failure to report.

#include <gtest/gtest.h>

#include <deque>

#include "RecordingTarget.h"
#include "rpc/iface/RouterMessages.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/runtime/Ndr.h"

namespace rpc::test {
namespace {

struct Answer {
  Answer() = default;
  Answer(int32_t rv, int32_t n, std::string t = {}, int32_t s = 0, int32_t e = 0)
      : returnValue(rv), needed(n), text(std::move(t)), status(s), rpcErr(e) {}
  int32_t returnValue = 0;
  int32_t needed = 0;
  std::string text;
  int32_t status = 0;
  int32_t rpcErr = 0;
};

// A Router that answers GetRoutList and GetAbonentInfo from a script and
// remembers the level (or kind) and capacity of every request.
class ScriptedRouter {
 public:
  ScriptedRouter() {
    target.responder = [this](const SentCall& call) { return Respond(call); };
  }

  void Then(Answer a) { script_.push_back(std::move(a)); }

  RecordingTarget target;
  std::vector<int32_t> levels;
  std::vector<int32_t> capacities;

 private:
  template <class Request>
  std::vector<uint8_t> Reply(const SentCall& call, int32_t Request::*selector, int32_t Request::*capacity) {
    NdrReader r(call.body);
    Request request;
    request.Read(r);
    levels.push_back(request.*selector);
    capacities.push_back(request.*capacity);
    Answer a = script_.empty() ? Answer{} : script_.front();
    if (!script_.empty()) script_.pop_front();
    typename Request::Response response;
    response.Status = a.status;
    response.RpcErr = a.rpcErr;
    response.Needed = a.needed;
    response.ReturnValue = a.returnValue;
    if (a.returnValue != -1) {
      if constexpr (std::is_same_v<Request, GetRoutListRequest>) response.Table = a.text;
      else response.Info = a.text;
    }
    NdrWriter w;
    response.Write(w, request);
    return w.Take();
  }

  std::vector<uint8_t> Respond(const SentCall& call) {
    if (call.opnum == GetRoutListRequest::kOpnum) {
      return Reply(call, &GetRoutListRequest::Level, &GetRoutListRequest::TableCapacity);
    }
    return Reply(call, &GetAbonentInfoRequest::Kind, &GetAbonentInfoRequest::InfoCapacity);
  }

  std::deque<Answer> script_;
};

TEST(RoutingFetch, EnlargesOnceAndKeepsTheBufferForTheRestOfTheFetch) {
  ScriptedRouter router;
  router.Then({0, 0, "L0"});
  router.Then({0, 0, "L1"});
  router.Then({-1, 700000});
  for (const char* t : {"L2", "L3", "L4", "L5"}) router.Then({0, 0, t});

  RoutingFetch fetch;
  for (int32_t level = 0; level < 6; ++level) {
    const auto text = fetch.RoutList(router.target, level);
    ASSERT_TRUE(text) << level;
    EXPECT_EQ("L" + std::to_string(level), *text);
  }
  EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 2, 3, 4, 5}), router.levels);
  EXPECT_EQ((std::vector<int32_t>{524288, 524288, 524288, 700001, 700001, 700001, 700001}), router.capacities);
}

TEST(RoutingFetch, SecondTooSmallInTheSameFetchFails) {
  ScriptedRouter router;
  router.Then({-1, 700000});
  router.Then({0, 0, "L2"});
  router.Then({-1, 800000, "", 0, 0});

  RoutingFetch fetch;
  ASSERT_TRUE(fetch.RoutList(router.target, 2));
  EXPECT_FALSE(fetch.RoutList(router.target, 3));
  EXPECT_EQ((CallFailure{"GetRoutList", -1, 0, 0}), fetch.Failure());
  EXPECT_EQ(3u, router.target.sent.size());
}

TEST(RoutingFetch, UnusableNeededEndsTheFetchAtOnce) {
  struct Case {
    const char* name;
    Answer answer;
  };
  const Case cases[] = {
      {"Needed 0", {-1, 0}},
      {"Needed negative", {-1, -5}},
      {"Needed above 64 MiB", {-1, 64 * 1024 * 1024 + 1}},
      {"another negative result", {-2, 1000}},
      {"status word set", {0, 0, "text", 4, 0}},
      {"RpcErr set", {0, 0, "", 0, 1722}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedRouter router;
    router.Then(c.answer);
    RoutingFetch fetch;
    EXPECT_FALSE(fetch.RoutList(router.target, 0));
    EXPECT_EQ((CallFailure{"GetRoutList", c.answer.returnValue, c.answer.status, c.answer.rpcErr}),
              fetch.Failure());
    EXPECT_EQ(1u, router.target.sent.size());
  }
}

TEST(RoutingFetch, NeededOf64MiBIsStillBelieved) {
  ScriptedRouter router;
  router.Then({-1, 64 * 1024 * 1024});
  router.Then({0, 0, "big"});
  RoutingFetch fetch;
  EXPECT_EQ("big", fetch.RoutList(router.target, 0).value_or(""));
  EXPECT_EQ(64 * 1024 * 1024 + 1, router.capacities.back());
}

TEST(RoutingFetch, SmallerNeededDoesNotShrinkTheBuffer) {
  ScriptedRouter router;
  router.Then({-1, 100});
  router.Then({0, 0, "L0"});
  router.Then({0, 0, "L1"});
  RoutingFetch fetch;
  ASSERT_TRUE(fetch.RoutList(router.target, 0));
  ASSERT_TRUE(fetch.RoutList(router.target, 1));
  EXPECT_EQ((std::vector<int32_t>{524288, 524288, 524288}), router.capacities);
}

TEST(RoutingFetch, AbonentInfoNeedsAZeroResultAndRoutListANonNegativeOne) {
  ScriptedRouter router;
  router.Then({1, 0, "X"});
  router.Then({1, 0, "Y"});
  RoutingFetch abonents;
  EXPECT_FALSE(abonents.AbonentInfo(router.target, 111, ""));
  EXPECT_EQ((CallFailure{"GetAbonentInfo", 1, 0, 0}), abonents.Failure());
  RoutingFetch levels;
  EXPECT_EQ("Y", levels.RoutList(router.target, 0).value_or(""));
}

TEST(RoutingFetch, AbonentInfoRetriesFromItsOwnStartingSize) {
  ScriptedRouter router;
  router.Then({-1, 40000});
  router.Then({0, 0, "#PARAMS"});
  RoutingFetch fetch(32768);
  EXPECT_EQ("#PARAMS", fetch.AbonentInfo(router.target, 112, "ABON1").value_or(""));
  EXPECT_EQ((std::vector<int32_t>{112, 112}), router.levels);
  EXPECT_EQ((std::vector<int32_t>{32768, 40001}), router.capacities);
}

TEST(RoutingFetch, TextEndsAtItsFirstNul) {
  ScriptedRouter router;
  router.Then({0, 0, std::string("C=RU\0junk", 9)});
  RoutingFetch fetch;
  EXPECT_EQ("C=RU", fetch.RoutList(router.target, 0).value_or("?"));
}

}  // namespace
}  // namespace rpc::test
