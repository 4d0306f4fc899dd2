// Reading an entry back from its server: which operations each half sends,
// with which arguments, what it takes from the answers, and when it fails.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ItemTestSupport.h"
#include "core/FakePorts.h"
#include "model/item/VxItem.h"
#include "model/item/VxItemBase.h"
#include "rpc/iface/DirMessages.h"
#include "rpc/iface/DirStatus.h"
#include "rpc/iface/Opnums.h"
#include "rpc/iface/RouterMessages.h"
#include "text/Cp1251.h"

namespace model::test {
namespace {

namespace op = rpc::opnum;

std::string Le32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  return s;
}

// One directory entry on a scripted node. Every answer succeeds unless a test
// changes it; the status word of one operation can be set by failStatusOn.
struct Node {
  FakeServer server;
  std::optional<uint16_t> failStatusOn;
  std::vector<std::string> names;        // the name each queue manager call carried
  std::vector<int32_t> capacities;       // text capacities asked for, in call order
  std::vector<std::string> queryRecords; // the records of QMX_VtQmx_ExecuteQuery
  std::vector<int32_t> abonentKinds;
  int32_t apfFlag = 0;
  std::string apfText = "AGENT1\nAGENT2";
  int32_t forcedResult = 1;
  std::string abonentText =
      "#FULLNAME=Ivan\n#KEEPINADDRBOOK=0\nKEEPINADDRBOOK=1\n#AbsAddress=C:RU/PN:IVAN\n@C=RU\n@pn=IVAN\n#USERID=ivan\n";
  int32_t abonentReturn = 0;
  int32_t abonentNeeded = 0;  // above the capacity: -1 on the first request
  std::string ownText = "0RU,5IVAN";
  std::vector<CTempModeFrame> frames;

  int32_t StatusFor(uint16_t opnum) const { return failStatusOn && *failStatusOn == opnum ? 5 : 0; }

  Node() {
    frames.resize(2);
    frames[0].mode = 3;
    frames[0].interval = 600;
    frames[1].reserved1 = 42;
    server.On<rpc::QMX_DirGetAttrsRequest>([this](const auto& r) {
      names.push_back(r.Name);
      rpc::QMX_DirGetAttrsResponse a;
      a.Status = StatusFor(op::QMX_DirGetAttrs);
      a.Attributes = {7, 1, 1, 0, 0x55};
      return a;
    });
    server.On<rpc::QMX_DirGetQueueCountersRequest>([this](const auto& r) {
      names.push_back(r.Name);
      rpc::QMX_DirGetQueueCountersResponse a;
      a.Status = StatusFor(op::QMX_DirGetQueueCounters);
      for (int i = 0; i < 11; ++i) a.Counters[static_cast<size_t>(i)] = i + 1;
      return a;
    });
    server.On<rpc::QMX_DirGetOptionRequest>([this](const auto& r) {
      names.push_back(r.Name);
      rpc::QMX_DirGetOptionResponse a;
      a.RpcErr = StatusFor(op::QMX_DirGetOption);
      a.Option = 0;
      return a;
    });
    server.On<rpc::QMX_DirGetApfListRequest>([this](const auto& r) {
      names.push_back(r.Name);
      capacities.push_back(r.ApfListCapacity);
      rpc::QMX_DirGetApfListResponse a;
      a.Status = StatusFor(op::QMX_DirGetApfList);
      a.ApfList = apfText;
      a.Flag = apfFlag;
      return a;
    });
    server.On<rpc::QMX_DirGetTimingsArrayRequest>([this](const auto& r) {
      names.push_back(r.Name);
      capacities.push_back(r.TimingsCapacity);
      rpc::QMX_DirGetTimingsArrayResponse a;
      a.Status = StatusFor(op::QMX_DirGetTimingsArray);
      const auto bytes = FramesToBinary(frames);
      a.Timings.assign(bytes.begin(), bytes.end());
      a.Count = static_cast<int32_t>(frames.size());
      return a;
    });
    server.On<rpc::QMX_VtQmx_ExecuteQueryRequest>([this](const auto& r) {
      queryRecords.push_back(r.Record);
      capacities.push_back(r.Capacity);
      rpc::QMX_VtQmx_ExecuteQueryResponse a;
      a.Status = StatusFor(op::QMX_VtQmx_ExecuteQuery);
      a.Result = forcedResult;
      a.Record = r.Record;
      if (a.Record.size() >= 144) a.Record.replace(140, 4, Le32(0x1234));
      return a;
    });
    server.On<rpc::GetAbonentInfoRequest>([this](const auto& r) {
      abonentKinds.push_back(r.Kind);
      names.push_back(r.Name);
      capacities.push_back(r.InfoCapacity);
      rpc::GetAbonentInfoResponse a;
      a.Status = StatusFor(op::GetAbonentInfo);
      if (r.Kind == 111) {
        if (abonentNeeded > r.InfoCapacity) {
          a.Needed = abonentNeeded;
          a.ReturnValue = -1;
          return a;
        }
        a.Info = abonentText;
        a.ReturnValue = abonentReturn;
      } else {
        a.Info = ownText;
      }
      return a;
    });
  }
};

_VxItemBase Entry() {
  _VxItemBase item;
  item.Init("NODE", "IVAN", "MQUEUE", "ROUTER", "C:RU", false);
  return item;
}

std::string ItemRecord(int32_t kind, size_t length) {
  std::string record = Le32(static_cast<uint32_t>(kind)) + std::string(4, '\0') + "IVAN";
  record.resize(length, '\0');
  return record;
}

TEST(ItemRefreshQueueManager, ReadsEveryPartOfTheDirectoryEntry) {
  Node node;
  _VxItem item;
  item.Init("NODE", "IVAN", "MQUEUE", "ROUTER", "C:RU", false);
  ASSERT_EQ(item.RefreshQueueManager(&node.server), 1);

  EXPECT_EQ(node.server.opnums,
            (std::vector<uint16_t>{op::QMX_DirGetAttrs, op::QMX_DirGetQueueCounters, op::QMX_DirGetOption,
                                   op::QMX_DirGetApfList, op::QMX_DirGetTimingsArray, op::QMX_VtQmx_ExecuteQuery,
                                   op::QMX_VtQmx_ExecuteQuery}));
  EXPECT_EQ(node.names, std::vector<std::string>(5, "IVAN"));
  EXPECT_EQ(node.capacities, (std::vector<int32_t>{524288, 524288, 11264, 11264}));
  EXPECT_EQ(node.queryRecords, (std::vector<std::string>{ItemRecord(4, 140), ItemRecord(6, 144)}));

  EXPECT_EQ(item.priority, 7u);
  EXPECT_EQ(item.active, 0);  // the server said blocked
  EXPECT_EQ(item.callAtInterval, 1);
  EXPECT_EQ(item.noCallOnArrival, 0);
  EXPECT_EQ(item.extraOption, 0x55);
  EXPECT_EQ(item.queueCounters, (QueueCounters{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(item.passwordSet, 1);
  EXPECT_EQ(item.viaLocalFolder, 0);
  EXPECT_EQ(item.linkParameters, "AGENT1\nAGENT2");
  EXPECT_EQ(item.schedule, node.frames);
  EXPECT_EQ(item.forcedConnection, 1);
  EXPECT_EQ(item.stateWord, 0x1234);
  EXPECT_EQ(item.callStatus, 0);
}

TEST(ItemRefreshQueueManager, TheBaseEntryAsksForNoCounters) {
  Node node;
  _VxItemBase item = Entry();
  item.queueCounters[0] = 9;
  ASSERT_EQ(item.RefreshQueueManager(&node.server), 1);
  EXPECT_EQ(std::count(node.server.opnums.begin(), node.server.opnums.end(), op::QMX_DirGetQueueCounters), 0);
  EXPECT_EQ(item.queueCounters, QueueCounters{});
}

TEST(ItemRefreshQueueManager, LocalFolderAndRefusedForcedFlag) {
  Node node;
  node.apfFlag = 1;
  node.apfText = "  #Folder=/srv/box  ";
  node.forcedResult = 0;
  _VxItemBase item = Entry();
  item.forcedConnection = 1;
  ASSERT_EQ(item.RefreshQueueManager(&node.server), 1);
  EXPECT_EQ(item.viaLocalFolder, 1);
  EXPECT_EQ(item.linkParameters, "/srv/box");
  EXPECT_EQ(item.forcedConnection, 0);
}

// A status word on one call fails the half, leaves that step's fields as the
// first step set them, and the later calls still go out.
TEST(ItemRefreshQueueManager, AStatusWordFailsTheHalfButNotTheLaterSteps) {
  const struct {
    uint16_t opnum;
    std::function<void(const _VxItem&)> check;
  } cases[] = {
      {op::QMX_DirGetAttrs, [](const _VxItem& i) { EXPECT_EQ(i.priority, 3u); EXPECT_EQ(i.noCallOnArrival, 1); }},
      {op::QMX_DirGetQueueCounters, [](const _VxItem& i) { EXPECT_EQ(i.queueCounters, QueueCounters{}); }},
      {op::QMX_DirGetOption, [](const _VxItem& i) { EXPECT_EQ(i.passwordSet, 0); }},
      {op::QMX_DirGetApfList, [](const _VxItem& i) { EXPECT_EQ(i.linkParameters, ""); }},
      {op::QMX_DirGetTimingsArray, [](const _VxItem& i) { EXPECT_EQ(i.schedule.size(), 1u); }},
      {op::QMX_VtQmx_ExecuteQuery,
       [](const _VxItem& i) { EXPECT_EQ(i.forcedConnection, 0); EXPECT_EQ(i.stateWord, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opnum);
    Node node;
    node.failStatusOn = c.opnum;
    _VxItem item;
    item.Init("NODE", "IVAN", "MQUEUE", "ROUTER", "", false);
    item.priority = 3;
    item.schedule.resize(1);
    EXPECT_EQ(item.RefreshQueueManager(&node.server), 0);
    EXPECT_EQ(node.server.opnums.size(), 7u);
    c.check(item);
    if (c.opnum != op::QMX_DirGetAttrs) {
      EXPECT_EQ(item.priority, 7u);
    }
    if (c.opnum != op::QMX_VtQmx_ExecuteQuery) {
      EXPECT_EQ(item.stateWord, 0x1234);
    }
  }
}

TEST(ItemRefreshQueueManager, ARaisedCallEndsTheHalfWithItsCode) {
  Node node;
  node.server.raiseOn = op::QMX_DirGetOption;
  _VxItemBase item = Entry();
  uint32_t code = 0;
  EXPECT_EQ(item.RefreshQueueManager(&node.server, &code), 0);
  EXPECT_EQ(code, rpc::status::kServerUnavailable);
  EXPECT_EQ(node.server.opnums.back(), op::QMX_DirGetOption);
  EXPECT_EQ(item.priority, 7u);  // read before the failure
}

TEST(ItemRefreshQueueManager, CasesWithoutCalls) {
  Node node;
  _VxItemBase unregistered = Entry();
  unregistered.queueCounters[2] = 5;
  unregistered.linkParameters = "x";
  EXPECT_EQ(unregistered.RefreshQueueManager(nullptr), 1);
  EXPECT_EQ(unregistered.queueCounters, QueueCounters{});
  EXPECT_EQ(unregistered.linkParameters, "");

  _VxItemBase skipped = Entry();
  skipped.skipQueueRefresh = 1;
  EXPECT_EQ(skipped.RefreshQueueManager(&node.server), 1);

  _VxItemBase noName;
  noName.Init("NODE", "", "MQUEUE", "ROUTER", "", false);
  EXPECT_EQ(noName.RefreshQueueManager(&node.server), 0);
  _VxItemBase noTask;
  noTask.Init("NODE", "IVAN", "", "ROUTER", "", false);
  EXPECT_EQ(noTask.RefreshQueueManager(&node.server), 0);
  EXPECT_EQ(noTask.RefreshRouter(nullptr), 1);
  EXPECT_TRUE(node.server.opnums.empty());
}

TEST(ItemRefreshRouter, ReadsTheAbonentAndItsOwnAddresses) {
  Node node;
  _VxItemBase item = Entry();
  ASSERT_EQ(item.RefreshRouter(&node.server), 1);
  EXPECT_EQ(node.abonentKinds, (std::vector<int32_t>{111, 112}));
  EXPECT_EQ(node.names, (std::vector<std::string>{"IVAN", "IVAN"}));
  EXPECT_EQ(node.capacities, (std::vector<int32_t>{32768, 32768}));
  EXPECT_EQ(item.kind, 1);
  EXPECT_EQ(item.kindOnServer, 1);
  EXPECT_EQ(item.absAddress, "C:RU/PN:IVAN");
  EXPECT_EQ(item.hideFromAddressBook, 1);  // "#KEEPINADDRBOOK=0", the first of the two
  ASSERT_EQ(item.parameters.size(), 2u);
  EXPECT_EQ(item.parameters[0].name, "#FULLNAME");
  EXPECT_EQ(item.parameters[1].name, "#USERID");
  EXPECT_EQ(item.routingAddresses[0], std::vector<std::string>{"RU"});
  EXPECT_EQ(item.routingAddresses[5], std::vector<std::string>{"IVAN"});
}

TEST(ItemRefreshRouter, KeepInAddressBookAndAbsoluteAddressVariants) {
  const struct {
    std::string text;
    int hidden;
    std::string abs;
  } cases[] = {
      {"#KEEPINADDRBOOK=1\nABSADDRESS=C:X\n", 0, "C:X"},
      {"KEEPINADDRBOOK= 0 \n#ABSADDRESS=C:A\nABSADDRESS=C:B\n", 1, "C:A"},
      {"#USERID=u\n", 0, ""},
  };
  for (const auto& c : cases) {
    Node node;
    node.abonentText = c.text;
    _VxItemBase item = Entry();
    item.hideFromAddressBook = 1;
    item.absAddress = "old";
    ASSERT_EQ(item.RefreshRouter(&node.server), 1) << c.text;
    EXPECT_EQ(item.hideFromAddressBook, c.hidden) << c.text;
    EXPECT_EQ(item.absAddress, c.abs) << c.text;
  }
}

TEST(ItemRefreshRouter, ANonAbonentIsNoFailure) {
  Node node;
  node.abonentReturn = 3;
  _VxItemBase item = Entry();
  item.kind = item.kindOnServer = 1;
  item.parameters = {{"KEEP", "1"}};
  ASSERT_EQ(item.RefreshRouter(&node.server), 1);
  EXPECT_EQ(item.kind, 0);
  EXPECT_EQ(item.kindOnServer, 0);
  EXPECT_EQ(item.parameters.size(), 1u);
  EXPECT_EQ(item.routingAddresses[5], std::vector<std::string>{"IVAN"});
}

TEST(ItemRefreshRouter, ALargerAbonentRecordIsAskedForOnceMore) {
  Node node;
  node.abonentNeeded = 40000;
  _VxItemBase item = Entry();
  ASSERT_EQ(item.RefreshRouter(&node.server), 1);
  EXPECT_EQ(node.capacities, (std::vector<int32_t>{32768, 40001, 32768}));
  EXPECT_EQ(item.kind, 1);
  EXPECT_EQ(item.routerReplyWord, 40000);  // the size the server said it needs
}

TEST(ItemRefreshRouter, FailuresOfTheRouterHalf) {
  {
    Node node;
    node.failStatusOn = op::GetAbonentInfo;
    _VxItemBase item = Entry();
    item.routingAddresses[3] = {"KEPT"};
    EXPECT_EQ(item.RefreshRouter(&node.server), 0);
    EXPECT_EQ(node.abonentKinds.size(), 2u);  // the second request still goes out
    EXPECT_EQ(item.routingAddresses[3], std::vector<std::string>{"KEPT"});
    EXPECT_EQ(item.callStatus, 5);
  }
  {
    Node node;
    node.abonentNeeded = 100000;  // still too small after the one retry
    node.server.On<rpc::GetAbonentInfoRequest>([](const rpc::GetAbonentInfoRequest&) {
      rpc::GetAbonentInfoResponse a;
      a.Needed = 100000;
      a.ReturnValue = -1;
      return a;
    });
    _VxItemBase item = Entry();
    EXPECT_EQ(item.RefreshRouter(&node.server), 0);
    EXPECT_EQ(node.server.opnums.size(), 4u);
  }
  {
    Node node;
    node.server.raiseOn = op::GetAbonentInfo;
    _VxItemBase item = Entry();
    uint32_t code = 0;
    EXPECT_EQ(item.RefreshRouter(&node.server, &code), 0);
    EXPECT_EQ(code, rpc::status::kServerUnavailable);
  }
}

TEST(ItemRefresh, TheRouterHalfFollowsOnlyASuccessfulQueueHalf) {
  const std::string text = text::Cp("Не удалось обновить информацию по направлению \"IVAN\"");
  const std::string caption = text::Cp("Ошибка канала связи");
  {
    Node node;
    testing_fakes::FakeDialogPort window;
    _VxItemBase item = Entry();
    EXPECT_EQ(item.Refresh(&node.server, &node.server, &window), 1);
    EXPECT_EQ(node.abonentKinds.size(), 2u);
    EXPECT_TRUE(window.boxes.empty());
  }
  {
    Node node;
    node.failStatusOn = op::QMX_DirGetOption;
    testing_fakes::FakeDialogPort window;
    _VxItemBase item = Entry();
    EXPECT_EQ(item.Refresh(&node.server, &node.server, &window), 0);
    EXPECT_TRUE(node.abonentKinds.empty());
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, text);
    EXPECT_EQ(window.boxes[0].caption, caption);
  }
  {
    Node node;
    node.failStatusOn = op::GetAbonentInfo;
    testing_fakes::FakeDialogPort window;
    _VxItemBase item = Entry();
    EXPECT_EQ(item.Refresh(&node.server, &node.server, &window), 0);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, text);
  }
  {
    // Without a window nothing is shown; an unregistered queue manager is no failure.
    Node node;
    _VxItemBase item = Entry();
    EXPECT_EQ(item.Refresh(nullptr, &node.server, nullptr), 1);
    EXPECT_EQ(item.queueCounters, QueueCounters{});
  }
}

// What the last refresh found, kept for the apply: whether it failed, and
// whether the queue manager had a directory entry at all.
TEST(ItemRefreshFlags, NoDirectoryEntryIsRecordedAndEndsTheQueueHalf) {
  Node node;
  node.server.On<rpc::QMX_DirGetAttrsRequest>([](const rpc::QMX_DirGetAttrsRequest&) {
    rpc::QMX_DirGetAttrsResponse a;
    a.Status = rpc::dirstatus::kNotFoundStatus;
    a.ReturnValue = rpc::dirstatus::kNotFound;
    return a;
  });
  _VxItemBase item = Entry();
  item.lastRefreshFailed = 1;
  testing_fakes::FakeDialogPort window;
  EXPECT_EQ(item.Refresh(&node.server, &node.server, &window), 1);
  EXPECT_EQ(item.queueEntryMissing, 1);
  EXPECT_EQ(item.lastRefreshFailed, 0);
  EXPECT_TRUE(window.boxes.empty());
  // Nothing more asked of the queue manager; the Router half still ran.
  EXPECT_EQ(node.server.opnums,
            (std::vector<uint16_t>{op::QMX_DirGetAttrs, op::GetAbonentInfo, op::GetAbonentInfo}));

  // Found again: the mark goes.
  Node back;
  EXPECT_EQ(item.RefreshQueueManager(&back.server), 1);
  EXPECT_EQ(item.queueEntryMissing, 0);
}

TEST(ItemRefreshFlags, OtherAnswersOfTheAttributesAreFailures) {
  const struct {
    int32_t status;
    int32_t returnValue;
  } cases[] = {{rpc::dirstatus::kNotFoundStatus, 0}, {0, rpc::dirstatus::kNotFound}, {5, rpc::dirstatus::kNotFound}};
  for (const auto& c : cases) {
    Node node;
    node.server.On<rpc::QMX_DirGetAttrsRequest>([&](const rpc::QMX_DirGetAttrsRequest&) {
      rpc::QMX_DirGetAttrsResponse a;
      a.Status = c.status;
      a.ReturnValue = c.returnValue;
      return a;
    });
    _VxItemBase item = Entry();
    const int done = item.RefreshQueueManager(&node.server);
    EXPECT_EQ(item.queueEntryMissing, 0) << c.status << " " << c.returnValue;
    EXPECT_EQ(node.server.opnums.size(), 6u);  // the later steps still go out
    // A return value alone with status words 0 is no failure of the read.
    EXPECT_EQ(done, c.status == 0 ? 1 : 0);
    EXPECT_EQ(item.lastRefreshFailed, c.status == 0 ? 0 : 1);
  }
}

TEST(ItemRefreshFlags, LastRefreshFailedFollowsBothHalves) {
  const struct {
    const char* what;
    std::optional<uint16_t> failStatusOn;
    std::optional<uint16_t> raiseOn;
    int failed;
  } cases[] = {
      {"both halves read", std::nullopt, std::nullopt, 0},
      {"queue manager status word", op::QMX_DirGetTimingsArray, std::nullopt, 1},
      {"Router status word", op::GetAbonentInfo, std::nullopt, 1},
      {"Router gone", std::nullopt, op::GetAbonentInfo, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Node node;
    node.failStatusOn = c.failStatusOn;
    node.server.raiseOn = c.raiseOn;
    _VxItemBase item = Entry();
    item.lastRefreshFailed = 1 - c.failed;
    item.Refresh(&node.server, &node.server, nullptr);
    EXPECT_EQ(item.lastRefreshFailed, c.failed);
    // Copies carry what the refresh found; the archive form does not change.
    item.queueEntryMissing = 1;
    const _VxItemBase copy(item);
    EXPECT_EQ(copy.lastRefreshFailed, c.failed);
    EXPECT_EQ(copy.queueEntryMissing, 1);
    _VxItemBase plain = item;
    plain.lastRefreshFailed = plain.queueEntryMissing = 0;
    EXPECT_EQ(item.ToArchive(), plain.ToArchive());
  }
}

}  // namespace
}  // namespace model::test
