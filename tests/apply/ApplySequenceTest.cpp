// What an apply sends, call by call, for the main kinds of change, against the
// simulated node; and what the entry and the routing cache hold afterwards.

#include <gtest/gtest.h>

#include <algorithm>

#include "ApplyHarness.h"
#include "model/apply/PasswordHash.h"
#include "model/host/VtHostData.h"
#include "text/Strings.h"

namespace applytest {
namespace {

using model::_VxItemBase;
using model::ApplyOutcome;

std::vector<std::string> Lines(std::initializer_list<std::string> lines) { return lines; }

std::vector<std::string> NamesOf(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const auto& l : lines) names.push_back(l.substr(0, l.find(' ')));
  return names;
}

const std::vector<std::string> kReadBack = {"QMX_DirGetAttrs",        "QMX_DirGetOption",       "QMX_DirGetApfList",
                                            "QMX_DirGetTimingsArray", "QMX_VtQmx_ExecuteQuery", "QMX_VtQmx_ExecuteQuery",
                                            "GetAbonentInfo",         "GetAbonentInfo"};

std::string Reread(int level) {
  return "GetRoutList Level=" + std::to_string(level) + " TableCapacity=2097152 TableLength=0";
}

// The timings the node holds for an entry, as bytes.
std::vector<uint8_t> TimingsOf(ApplyHarness& h, const std::string& name) {
  return h.simulator->WithNode([&](sim::SimNode& n) {
    const sim::DirEntry* e = n.FindEntry(name);
    return e ? std::vector<uint8_t>(e->timings.begin(), e->timings.end()) : std::vector<uint8_t>{};
  });
}

TEST(ApplyNewEntry, DirectionIsRoutedAddedAndReadBack) {
  ApplyHarness h;
  const auto relay = h.Entry("RELAY1", false);
  auto entry = h.Entry("", false);
  ASSERT_EQ(entry->isNew, 1);
  const auto outcome = h.Apply(*entry, [&](_VxItemBase& w) {
    w.mailboxName = "spb-node ";
    w.routingAddresses[3] = {"SPB2"};
    w.priority = 3;
    w.active = 1;
    w.linkParameters = "TCPVELT=10.0.0.2";
    w.schedule = {relay->schedule.at(0)};
  });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  EXPECT_EQ(h.loadCalls.size(), 6u);  // the tables were not loaded yet
  EXPECT_EQ(h.ApplyCalls(),
            Lines({
                R"(QMX_DirGetAttrs Name="SPB-NODE")",  // the name is free
                R"(SetRoutItem Level=3 Address="SPB2" Name="SPB-NODE" Params="" Flag=0)",
                Reread(3),
                R"(QMX_DirAdd NameLen=9 Name="SPB-NODE" Priority=3 Blocked=0 CallAtInterval=0 NoCallOnArrival=1 ExtraOption=0)",
                R"(QMX_DirReSetOption Name="SPB-NODE")",
                R"(QMX_DirSetApfList Name="SPB-NODE" ApfList="TCPVELT=10.0.0.2")",
                R"(QMX_DirSetTimingsArray Name="SPB-NODE" Length=72 Timings=[3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&])",
            }));
  EXPECT_EQ(h.ReadBackOperations(), kReadBack);
  EXPECT_TRUE(h.dialogs.shown.empty());

  EXPECT_EQ(entry->isNew, 0);
  EXPECT_EQ(entry->mailboxName, "SPB-NODE");
  EXPECT_EQ(entry->priority, 3u);
  EXPECT_EQ(entry->routingAddresses[3], std::vector<std::string>{"SPB2"});
  EXPECT_EQ(entry->queueEntryMissing, 0);
  EXPECT_EQ(entry->lastRefreshFailed, 0);
  EXPECT_EQ(h.view.routingChanged, true);
  const auto& cache = model::VtHostData::Of(h.Node());
  EXPECT_EQ(cache.validMask & 63u, 63u);
  EXPECT_NE(cache.routingTable[3].find("SPB2:TSPB-NODE;"), std::string::npos);
  EXPECT_FALSE(h.console->Gate().Busy());
  // The Router half's own progress window, after the one of the routing load.
  std::vector<std::string> progress;
  for (const auto& call : h.progress.calls) progress.push_back(Utf8(call));
  ASSERT_GE(progress.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(progress.end() - 4, progress.end()),
            (std::vector<std::string>{"begin 0", "text Применение настроек направления ...",
                                      "text Получечие маршрутной таблицы для уровня ORG ...", "end"}));
}

TEST(ApplyNewEntry, AbonentGetsRoutingFullNameRecordAndPassword) {
  ApplyHarness h;
  auto entry = h.Entry("", true);
  const auto outcome = h.Apply(*entry, [](_VxItemBase& w) {
    w.mailboxName = "PETROV";
    w.parameters = {{"#FULLNAME", ""}, {"#USERID", "42"}, {"#PHONE", "123"}};
    w.passwordSet = 1;
    w.password = w.passwordConfirm = "secret";
    w.linkParameters = "left from a direction";
  });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  EXPECT_TRUE(h.dialogs.shown.empty());  // no routing question, no full-name question

  const std::string params =
      R"(#KEEPINADDRBOOK=1\n#ABSADDRESS=C:RU/ADMD:VELTRANE/PRMD:MOSCOW/PN:PETROV\n#FULLNAME=PETROV\n#USERID=42\n#PHONE=123\n)";
  const auto hash = static_cast<int32_t>(model::HashPassword("-VT-petrov-secret-"));
  EXPECT_EQ(h.ApplyCalls(),
            Lines({
                R"(QMX_DirGetAttrs Name="PETROV")",
                R"(SetRoutItem Level=5 Address="PETROV" Name="PETROV" Params=")" + params + R"(" Flag=1)",
                R"(SetRoutItem Level=111 Address="" Name="PETROV" Params=")" + params + R"(" Flag=1)",
                Reread(5),
                R"(QMX_DirAdd NameLen=7 Name="PETROV" Priority=0 Blocked=1 CallAtInterval=0 NoCallOnArrival=1 ExtraOption=0)",
                R"(QMX_DirSetOption Name="PETROV" Option=)" + std::to_string(hash),
                R"(QMX_DirSetApfList Name="PETROV" ApfList="")",
                R"(QMX_DirSetTimingsArray Name="PETROV" Length=0 Timings=[])",
            }));
  EXPECT_EQ(entry->addressBookRecord,
            "42\nPETROV;;VTAIL;C:RU/ADMD:VELTRANE/PRMD:MOSCOW/PN:PETROV;123;;;;;PETROV;42;;;;;;;;;");
  // Read back: an abonent with its password option set.
  EXPECT_EQ(entry->kindOnServer, 1);
  EXPECT_EQ(entry->passwordSet, 1);
  EXPECT_EQ(entry->routingAddresses[5], std::vector<std::string>{"PETROV"});
  std::string fullName;
  EXPECT_EQ(entry->GetParameter("#FULLNAME", fullName), 1);
  EXPECT_EQ(fullName, "PETROV");
}

// A new entry under a stored one's name writes nothing: the stored entry
// keeps its Router record, identity, password and attributes, and the user
// may open it instead.
TEST(ApplyNewEntry, TheNameOfAStoredEntryWritesNothingAndOffersToOpenIt) {
  struct Case {
    const char* name;
    bool abonent;
    const char* typed;
    ports::MsgAnswer answer;
    std::vector<std::string> opened;
  };
  const std::vector<Case> cases = {
      {"direction, No", false, "RELAY1", ports::MsgAnswer::No, {}},
      {"abonent over an abonent, Yes", true, " ivanov", ports::MsgAnswer::Yes, {"IVANOV"}},
      {"direction over an abonent, Yes", false, "IVANOV", ports::MsgAnswer::Yes, {"IVANOV"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ApplyHarness h;
    const std::string stored = text::ToUpperAscii(text::Trim(c.typed));
    const std::string recordBefore = h.simulator->WithNode([&](sim::SimNode& n) {
      const sim::AbonentRecord* r = n.FindAbonent(stored);
      return r ? r->params : std::string();
    });
    auto entry = h.Entry("", c.abonent);
    h.dialogs.answers = {c.answer};
    const auto outcome = h.Apply(*entry, [&](_VxItemBase& w) {
      w.mailboxName = c.typed;
      w.parameters = {{"#FULLNAME", "X"}, {"#USERID", "42"}};
    });
    EXPECT_EQ(outcome, ApplyOutcome::kNameTaken);
    EXPECT_EQ(h.ApplyCalls(), Lines({R"(QMX_DirGetAttrs Name=")" + stored + R"(")"}));
    EXPECT_EQ(h.dialogs.ShownUtf8(),
              std::vector<std::string>{"box:Вопрос:Почтовый ящик \"" + stored +
                                       "\" уже существует на узле \"NODE\".\nОткрыть его?"});
    EXPECT_EQ(h.view.opened, c.opened);
    EXPECT_EQ(entry->isNew, 1);
    EXPECT_TRUE(entry->mailboxName.empty());  // the base stays the new entry
    EXPECT_EQ(h.simulator->WithNode([&](sim::SimNode& n) {
      const sim::AbonentRecord* r = n.FindAbonent(stored);
      return r ? r->params : std::string();
    }),
              recordBefore);
    EXPECT_FALSE(h.console->Gate().Busy());
  }
}

TEST(ApplyExistingEntry, RenameModifiesUnderThePreviousNameAndRepointsTheRoutes) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  const auto framesBefore = TimingsOf(h, "RELAY1");
  ASSERT_EQ(framesBefore.size(), 144u);
  const auto outcome = h.Apply(*entry, [](_VxItemBase& w) { w.mailboxName = "RELAY2"; });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  const auto calls = h.ApplyCalls();
  ASSERT_EQ(calls.size(), 7u) << ::testing::PrintToString(calls);
  EXPECT_EQ(calls[0], R"(SetRoutItem Level=0 Address="RU" Name="RELAY2" Params="" Flag=0)");
  EXPECT_EQ(calls[1], R"(SetRoutItem Level=3 Address="SPB" Name="RELAY2" Params="" Flag=0)");
  EXPECT_EQ(calls[2], Reread(0));
  EXPECT_EQ(calls[3], Reread(3));
  EXPECT_EQ(calls[4],
            R"(QMX_DirModify PrevName="RELAY1" Name="RELAY2" Priority=2 Blocked=0 CallAtInterval=1 NoCallOnArrival=0 ExtraOption=0)");
  EXPECT_EQ(NamesOf({calls[5], calls[6]}), (std::vector<std::string>{"QMX_DirSetApfList", "QMX_DirSetTimingsArray"}));
  // The frames go back exactly as they were read, in their order.
  EXPECT_EQ(TimingsOf(h, "RELAY2"), framesBefore);

  EXPECT_EQ(entry->mailboxName, "RELAY2");
  EXPECT_EQ(entry->routingAddresses[0], std::vector<std::string>{"RU"});
  EXPECT_EQ(entry->routingAddresses[3], std::vector<std::string>{"SPB"});
  EXPECT_NE(model::VtHostData::Of(h.Node()).routingTable[0].find("RU:TRELAY2;"), std::string::npos);
}

TEST(ApplyExistingEntry, DirectionBecomesAbonentWithoutDeletesAndAllLevelsReread) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  const auto outcome = h.Apply(*entry, [](_VxItemBase& w) {
    w.kind = 1;
    w.parameters = {{"#FULLNAME", "Relay"}, {"#USERID", "5"}};
  });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  const std::string params = R"(#KEEPINADDRBOOK=1\n#ABSADDRESS=\n#FULLNAME=Relay\n#USERID=5\n)";
  std::vector<std::string> expected = {
      R"(SetRoutItem Level=0 Address="RU" Name="RELAY1" Params=")" + params + R"(" Flag=1)",
      R"(SetRoutItem Level=3 Address="SPB" Name="RELAY1" Params=")" + params + R"(" Flag=1)",
      R"(SetRoutItem Level=111 Address="" Name="RELAY1" Params=")" + params + R"(" Flag=1)",
  };
  for (int level = 0; level < 6; ++level) expected.push_back(Reread(level));
  expected.push_back(
      R"(QMX_DirModify PrevName="RELAY1" Name="RELAY1" Priority=2 Blocked=0 CallAtInterval=1 NoCallOnArrival=0 ExtraOption=0)");
  expected.push_back(R"(QMX_DirSetApfList Name="RELAY1" ApfList="")");
  const auto calls = h.ApplyCalls();
  ASSERT_EQ(calls.size(), expected.size() + 1) << ::testing::PrintToString(calls);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.end() - 1), expected);
  EXPECT_EQ(NamesOf({calls.back()}), std::vector<std::string>{"QMX_DirSetTimingsArray"});
  EXPECT_EQ(entry->kindOnServer, 1);
  EXPECT_EQ(entry->kind, 1);
  EXPECT_EQ(h.view.routingChanged, true);
}

TEST(ApplyExistingEntry, AbonentBecomesDirectionAfterTheMailboxQuestion) {
  ApplyHarness h;
  h.Command("messages IVANOV 3");
  auto entry = h.Entry("IVANOV", true);
  ASSERT_EQ(entry->kindOnServer, 1);
  h.dialogs.answers = {ports::MsgAnswer::Yes};
  const auto outcome = h.Apply(*entry, [](_VxItemBase& w) { w.kind = 0; });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  std::vector<std::string> expected = {
      R"(DelRoutItem Level=111 Address="IVANOV" Flag=1)",
      R"(DelRoutItem Level=111 Address="IVANOV" Flag=1)",
      R"(SetRoutItem Level=5 Address="IVANOV" Name="IVANOV" Params="" Flag=0)",
  };
  for (int level = 0; level < 6; ++level) expected.push_back(Reread(level));
  const auto calls = h.ApplyCalls();
  ASSERT_GE(calls.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(expected.size())),
            expected);
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(Utf8(h.dialogs.boxes[0].caption), "Внимание!");
  EXPECT_EQ(entry->kindOnServer, 0);
}

TEST(ApplyExistingEntry, OnlyTheAddressesChangedInTheEditorAreSentAndReread) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  const auto outcome = h.Apply(*entry, [](_VxItemBase& w) {
    w.routingAddresses[3].clear();         // SPB removed
    w.routingAddresses[0] = {"ru"};        // unchanged, whatever the case
    w.routingAddresses[4] = {"MSK"};       // added
  });
  EXPECT_EQ(outcome, ApplyOutcome::kApplied);
  const auto calls = h.ApplyCalls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 4),
            Lines({R"(SetRoutItem Level=4 Address="MSK" Name="RELAY1" Params="" Flag=0)",
                   R"(DelRoutItem Level=131 Address="SPB" Flag=1)", Reread(3), Reread(4)}));
  EXPECT_EQ(h.view.routingChanged, true);
  EXPECT_EQ(entry->routingAddresses[3], std::vector<std::string>{});
  EXPECT_EQ(entry->routingAddresses[4], std::vector<std::string>{"MSK"});

  // Nothing changed: nothing for the Router, and the flag says so.
  ApplyHarness again;
  auto same = again.Entry("RELAY1", false);
  EXPECT_EQ(again.Apply(*same, nullptr), ApplyOutcome::kApplied);
  EXPECT_EQ(NamesOf(again.ApplyCalls()),
            (std::vector<std::string>{"QMX_DirModify", "QMX_DirSetApfList", "QMX_DirSetTimingsArray"}));
  EXPECT_EQ(again.view.routingChanged, false);
}

TEST(ApplyExistingEntry, ForcedConnectionChangeSendsTheKindFiveQuery) {
  ApplyHarness h;
  auto entry = h.Entry("RELAY1", false);
  ASSERT_EQ(entry->forcedConnection, 0);
  EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.forcedConnection = 1; }), ApplyOutcome::kApplied);
  const auto calls = h.ApplyCalls();
  ASSERT_EQ(calls.size(), 4u) << ::testing::PrintToString(calls);
  EXPECT_EQ(calls[3], R"(QMX_VtQmx_ExecuteQuery Capacity=11264 Length=140 Kind=5 Word1=0 Item="RELAY1" Flag=1)");
  EXPECT_EQ(entry->forcedConnection, 1);  // as read back

  // A refusal with both status words 0 is still a failure the user sees.
  h.Command("answer QMX_VtQmx_ExecuteQuery 0");
  EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.forcedConnection = 0; }), ApplyOutcome::kQueueFailed);
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(Utf8(h.dialogs.boxes[0].text),
            "Менеджер очереди: QMX_VtQmx_ExecuteQuery - Ошибка выполнения - -1 (0xFFFFFFFF).\n");

  // An abonent has no forced connection: whatever the editor holds, nothing is sent.
  ApplyHarness other;
  auto abonent = other.Entry("IVANOV", true);
  EXPECT_EQ(other.Apply(*abonent, [](_VxItemBase& w) { w.forcedConnection = 1; }), ApplyOutcome::kApplied);
  for (const auto& line : other.ApplyCalls()) EXPECT_EQ(NamesOf({line})[0].find("QMX_VtQmx"), std::string::npos);
  EXPECT_EQ(abonent->forcedConnection, 0);
}

// The password option of the abonent IVANOV (set on the node): when it is
// written, and whether it is set or reset.
TEST(ApplyExistingEntry, PasswordOptionSetOrReset) {
  const auto hashPw = static_cast<int32_t>(model::HashPassword("-VT-ivanov-pw-"));
  const struct {
    const char* what;
    std::function<void(_VxItemBase&)> edit;
    std::vector<std::string> optionCalls;
  } cases[] = {
      {"new password", [](_VxItemBase& w) { w.password = w.passwordConfirm = "pw"; },
       {R"(QMX_DirSetOption Name="IVANOV" Option=)" + std::to_string(hashPw)}},
      {"flag kept, fields empty, options changed",
       [](_VxItemBase& w) { w.optionsChanged = 1; },
       {R"(QMX_DirReSetOption Name="IVANOV")"}},
      {"password switched off", [](_VxItemBase& w) { w.passwordSet = 0; }, {R"(QMX_DirReSetOption Name="IVANOV")"}},
      {"nothing changed", nullptr, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ApplyHarness h;
    auto entry = h.Entry("IVANOV", true);
    ASSERT_EQ(entry->passwordSet, 1);
    EXPECT_EQ(h.Apply(*entry, c.edit), ApplyOutcome::kApplied);
    std::vector<std::string> options;
    for (const auto& line : h.ApplyCalls())
      if (line.find("Option ") != std::string::npos) options.push_back(line);
    EXPECT_EQ(options, c.optionCalls);
  }
}

TEST(ApplyExistingEntry, PasswordFieldsLeftEmptyKeepTheHashUnset) {
  ApplyHarness h;
  auto entry = h.Entry("IVANOV", true);
  // Whatever hash the editor held, empty fields mean "none computed", equal to
  // the one read: the option is not written.
  EXPECT_EQ(h.Apply(*entry, [&](_VxItemBase& w) { w.passwordHash = 12345; }), ApplyOutcome::kApplied);
  for (const auto& line : h.ApplyCalls()) {
    EXPECT_NE(NamesOf({line})[0], "QMX_DirSetOption");
    EXPECT_NE(NamesOf({line})[0], "QMX_DirReSetOption");
  }
}

// SetRoutItem answers: 0 and anything with the low 16 bits 8199 are success.
TEST(ApplyRouterHalf, SetRoutItemAnswers) {
  const struct {
    const char* answer;
    ApplyOutcome outcome;
    bool queueCalls;
  } cases[] = {
      {"8199", ApplyOutcome::kApplied, true},
      {"0x12002007", ApplyOutcome::kApplied, true},
      {"0x80000007", ApplyOutcome::kRouterFailed, false},
      {"0x2008", ApplyOutcome::kRouterFailed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    ApplyHarness h;
    auto entry = h.Entry("", false);
    h.Command(std::string("answer SetRoutItem ") + c.answer);
    EXPECT_EQ(h.Apply(*entry, [](_VxItemBase& w) { w.mailboxName = "SPB-NODE"; }), c.outcome);
    const auto names = NamesOf(h.ApplyCalls());
    EXPECT_EQ(std::count(names.begin(), names.end(), "QMX_DirAdd"), c.queueCalls ? 1 : 0);
    EXPECT_EQ(h.dialogs.boxes.empty(), c.queueCalls);
    // Whatever happened, the view's entry was read back and shown again.
    EXPECT_FALSE(h.console->Gate().Busy());
    EXPECT_NE(std::find(h.view.events.begin(), h.view.events.end(), "redisplay"), h.view.events.end());
  }
}

TEST(ApplyRouterHalf, AFailedRereadIsReportedButTheApplyGoesOn) {
  ApplyHarness h;
  ASSERT_EQ(h.hosts.LoadRoutingData(h.Node(), true, false, nullptr), 1);
  auto entry = h.Entry("", false);
  h.Command("answer GetRoutList -100");
  EXPECT_EQ(h.Apply(*entry,
                    [](_VxItemBase& w) {
                      w.mailboxName = "SPB-NODE";
                      w.routingAddresses[3] = {"SPB2"};
                    }),
            ApplyOutcome::kApplied);
  EXPECT_TRUE(h.loadCalls.empty());
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(Utf8(h.dialogs.boxes[0].text),
            "МАРШРУТИЗАТОР: GetRoutList - Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор");
  const auto& cache = model::VtHostData::Of(h.Node());
  EXPECT_EQ(cache.validMask & 63u, 63u & ~8u);  // level 3 stays stale for the next load
  EXPECT_EQ(cache.routingTable[3], "");
}

}  // namespace
}  // namespace applytest
