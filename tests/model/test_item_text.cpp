// The text forms of a directory entry: the Router's parameter and routing
// texts, O/R addresses, the mailbox address and the address-book record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/item/VxItemBase.h"

namespace model::test {
namespace {

using Param = _VxItemBase::CAbonentParameter;
using Lists = RoutingLists;

std::vector<std::string> Names(const _VxItemBase& item) {
  std::vector<std::string> out;
  for (const auto& p : item.parameters) out.push_back(p.name + "|" + p.value);
  return out;
}

struct ParamTextCase {
  const char* name;
  std::string text;
  std::vector<std::string> expected;  // "name|value"
};

TEST(ItemParameterText, ParsesLinesIntoNamedValues) {
  const ParamTextCase cases[] = {
      {"plain", "#FULLNAME=Ivan Petrov\n#USERID=ivan\n", {"#FULLNAME|Ivan Petrov", "#USERID|ivan"}},
      {"crlf and blanks", " #JOB = clerk \r\n#ROOM=12\r\n", {"#JOB|clerk", "#ROOM|12"}},
      {"name without value", "FLAG\n#X=1", {"FLAG|", "#X|1"}},
      {"last line without line feed", "A=1\nB=2", {"A|1", "B|2"}},
      {"value keeps its equals signs", "EXPR=a=b=c\n", {"EXPR|a=b=c"}},
      {"empty names give nothing", "=orphan\n\n  \n=\nK=v\n", {"K|v"}},
      {"duplicates and order kept", "B=2\nA=1\nB=3\n", {"B|2", "A|1", "B|3"}},
      {"carriage returns inside dropped", "N\rAME=va\rlue\n", {"NAME|value"}},
      {"empty text", "", {}},
  };
  for (const auto& c : cases) {
    _VxItemBase item;
    item.parameters.push_back({"OLD", "gone"});
    item.ParseParameterText(c.text);
    EXPECT_EQ(Names(item), c.expected) << c.name;
  }
}

TEST(ItemParameterText, BuildStartsWithTheFixedHeadAndSkipsItsNames) {
  _VxItemBase item;
  EXPECT_EQ(item.BuildParameterText(true), "#KEEPINADDRBOOK=1\n#ABSADDRESS=\n");

  item.hideFromAddressBook = 1;
  item.absAddress = "C:RU/PN:BOX";
  item.parameters = {{"#FULLNAME", "Ivan"}, {"#ABSADDRESS", "C:XX"},  {"ABSADDRESS", "C:YY"},
                     {"#KEEPINADDRBOOK", "1"}, {"KEEPINADDRBOOK", "1"}, {"#level", "3"},
                     {"#absaddress", "kept: only exact names are the head's"}};
  EXPECT_EQ(item.BuildParameterText(true),
            "#KEEPINADDRBOOK=0\n#ABSADDRESS=C:RU/PN:BOX\n#FULLNAME=Ivan\n#level=3\n"
            "#absaddress=kept: only exact names are the head's\n");
  EXPECT_EQ(item.BuildParameterText(false),
            "#KEEPINADDRBOOK=0\n#ABSADDRESS=C:RU/PN:BOX\n#FULLNAME=Ivan\n"
            "#absaddress=kept: only exact names are the head's\n");
}

TEST(ItemParameterText, ALineBreakInAValueCannotAddAParameter) {
  _VxItemBase item;
  item.absAddress = "C:RU\n#LEVEL=5";
  item.parameters = {{"#COMMENT", "two\r\n#ABSADDRESS=C:EVIL"}, {"#J\nOB", "x"}};
  EXPECT_EQ(item.BuildParameterText(false),
            "#KEEPINADDRBOOK=1\n#ABSADDRESS=C:RU #LEVEL=5\n#COMMENT=two  #ABSADDRESS=C:EVIL\n#J OB=x\n");
}

TEST(ItemParameterText, BuildHoldsTextsLargerThanTheEstimateAndParsesBack) {
  _VxItemBase item;
  item.parameters = {{"#COMMENT", std::string(3'000'000, 'x')}, {"#USERID", "u"}};
  EXPECT_EQ(item.EstimateParameterTextSize(), 2 + (8 + 3'000'000 + 2) + (7 + 1 + 2) + 8192u);
  const std::string text = item.BuildParameterText(true);
  _VxItemBase back;
  back.ParseParameterText(text);
  ASSERT_EQ(back.parameters.size(), 4u);
  EXPECT_EQ(back.parameters[2].value.size(), 3'000'000u);
  EXPECT_EQ(back.parameters[3], (Param{"#USERID", "u"}));
}

TEST(ItemParameterQueries, FirstOfANameCaseInsensitiveAsciiOnly) {
  _VxItemBase item;
  item.parameters = {{"#FullName", "one"}, {"#FULLNAME", "two"}, {"#\xC8\xCC\xDF", "cyr"}};
  std::string value = "stale";
  EXPECT_EQ(item.GetParameter("#fullname", value), 1);
  EXPECT_EQ(value, "one");
  // Bytes above 0x7f are not case-folded: lower-case CP1251 does not match upper.
  EXPECT_EQ(item.GetParameter("#\xE8\xEC\xFF", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_EQ(item.SetParameter("#FULLNAME", "new"), 1);
  EXPECT_EQ(item.parameters[0].value, "new");
  EXPECT_EQ(item.SetParameter("#MISSING", "x"), 0);
  EXPECT_EQ(item.parameters.size(), 3u);
  EXPECT_EQ(item.RemoveParameter("#FULLNAME"), 1);
  EXPECT_EQ(item.parameters[0].value, "two");
  EXPECT_EQ(item.RemoveParameter("#MISSING"), 0);
}

struct OwnRoutingCase {
  const char* name;
  std::string text;
  Lists expected;
};

TEST(ItemOwnRoutingAddresses, ReadsLevelDigitEntriesOrClearsAll) {
  const OwnRoutingCase cases[] = {
      {"two levels", "0RU,3DEPT", {{{"RU"}, {}, {}, {"DEPT"}, {}, {}}}},
      {"wildcard", "5.*,5BOX", {{{}, {}, {}, {}, {}, {"*", "BOX"}}}},
      {"trailing comma", "2NET,", {{{}, {}, {"NET"}, {}, {}, {}}}},
      {"trailing blanks and line end", "4OU1 ,\r\n", {{{}, {}, {}, {}, {"OU1"}, {}}}},
      {"empty text", "", {}},
      {"level out of range", "6X,", {}},
      {"empty value", "0,", {}},
      {"error after good entries", "0RU,1A,9B", {}},
      {"not a digit", "0RU,XA", {}},
      {"digit alone at the end", "0RU,3", {}},
  };
  for (const auto& c : cases) {
    _VxItemBase item;
    item.routingAddresses[1] = {"OLD"};
    item.ParseOwnRoutingAddresses(c.text);
    EXPECT_EQ(item.routingAddresses, c.expected) << c.name;
  }
}

struct MergeCase {
  const char* name;
  std::string table;
  int level;
  std::vector<std::string> expectedAtLevel;
  int expectedKind;
};

TEST(ItemMergeRoutingTable, KeepsEntriesThatPointAtTheMailbox) {
  const MergeCase cases[] = {
      {"abonent wildcard", ".*:Lname;", 5, {"*"}, 1},
      {"direction wildcard", ".*:Tname;", 5, {"*"}, 0},
      {"other target", "X:TOTHER;", 2, {}, 0},
      {"equals form, blanks, lower case", " ru = t name ; de:tname", 0, {"RU", "DE"}, 0},
      {"duplicates once", "A:TNAME;a:TNAME;A=TNAME", 3, {"A"}, 0},
      {"empty key and value skipped", ":TNAME; B: ;C", 1, {}, 0},
      {"target must be whole", "A:TNAMES;B:TNAM;C:TNAME", 4, {"C"}, 0},
      {"type letter only", "A:L", 4, {}, 0},
  };
  for (const auto& c : cases) {
    _VxItemBase item;
    item.mailboxName = "NAME";
    item.MergeRoutingTable(c.table, c.level, false);
    EXPECT_EQ(item.routingAddresses[static_cast<size_t>(c.level)], c.expectedAtLevel) << c.name;
    EXPECT_EQ(item.kind, c.expectedKind) << c.name;
    EXPECT_EQ(item.kindOnServer, c.expectedKind) << c.name;
  }
}

TEST(ItemMergeRoutingTable, ALocalEntryOnAnyLevelOfARunMarksTheAbonent) {
  _VxItemBase item;
  item.mailboxName = "NAME";
  item.kind = item.kindOnServer = 1;  // from an earlier run
  const char* tables[6] = {"RU:TNAME", "", "NET:LNAME", "", "X:TNAME", ""};
  for (int level = 0; level < 6; ++level) item.MergeRoutingTable(tables[level], level, true);
  EXPECT_EQ(item.kind, 1);
  EXPECT_EQ(item.routingAddresses[0], std::vector<std::string>{"RU"});
  EXPECT_EQ(item.routingAddresses[4], std::vector<std::string>{"X"});

  // A new run whose tables hold no local entry resets the kind at level 0.
  for (int level = 0; level < 6; ++level) item.MergeRoutingTable("", level, true);
  EXPECT_EQ(item.kind, 0);
  EXPECT_EQ(item.kindOnServer, 0);
}

TEST(ItemMergeRoutingTable, IgnoredWithoutMailboxOrOutsideTheLevels) {
  _VxItemBase item;
  item.kind = item.kindOnServer = 1;
  item.MergeRoutingTable("A:L", 0, true);
  EXPECT_EQ(item.kind, 1);
  item.mailboxName = "   ";
  item.MergeRoutingTable("A:L", 2, true);
  EXPECT_EQ(item.routingAddresses, Lists{});
  item.mailboxName = "NAME";
  item.MergeRoutingTable("A:LNAME", 6, true);
  item.MergeRoutingTable("A:LNAME", -1, true);
  EXPECT_EQ(item.routingAddresses, Lists{});
}

struct OrAddressCase {
  const char* name;
  std::string text;
  bool strict;
  int expected;
  LevelValues values;
};

TEST(ItemOrAddress, ReadsGroupsInLevelOrder) {
  const OrAddressCase cases[] = {
      {"three levels", "C:ru/ADMD: a /PRMD:b", false, 3, {"RU", "A", "B", "", "", ""}},
      {"names case-insensitive", "c:RU/admd:A", false, 2, {"RU", "A", "", "", "", ""}},
      {"all six strict", "C:RU/ADMD:A/PRMD:B/ORG:O/OU:U/PN:P", true, 6, {"RU", "A", "B", "O", "U", "P"}},
      {"empty values allowed", "C:/ADMD:/PRMD:B/ORG:/OU:/PN:", true, 6, {"", "", "B", "", "", ""}},
      {"strict needs six", "C:RU/ADMD:A", true, 0, {}},
      {"wrong order", "ADMD:A/C:RU", false, 0, {}},
      {"unknown name", "C:RU/XX:A", false, 0, {}},
      {"group without colon", "C:RU/ADMD", false, 0, {}},
      {"trailing slash ends the text", "C:RU/", false, 1, {"RU", "", "", "", "", ""}},
      {"empty text", "", false, 0, {}},
  };
  for (const auto& c : cases) {
    LevelValues values;
    values.fill("stale");
    EXPECT_EQ(_VxItemBase::ParseOrAddress(c.text, c.strict, values), c.expected) << c.name;
    EXPECT_EQ(values, c.values) << c.name;
  }
}

struct MailboxCase {
  const char* name;
  std::string nodeAddress;
  Lists routing;
  std::string absAddress;
  int expected;
  std::string address;
};

TEST(ItemMailboxAddress, BuildsFromNodeAddressAndLowestRoutingLevel) {
  const std::string node = "C:RU/ADMD:A/PRMD:B";
  const MailboxCase cases[] = {
      {"absolute address wins", node, {{{}, {}, {}, {"X"}, {}, {}}}, "C:DE/PN:ABS", 1, "C:DE/PN:ABS"},
      {"org level gets sysop", node, {{{}, {}, {}, {"NODE2"}, {}, {}}}, "", 1,
       "C:RU/ADMD:A/PRMD:B/ORG:NODE2/PN:SYSOP"},
      {"pn level", node, {{{}, {}, {}, {"ORG1"}, {}, {"BOX"}}}, "", 1, "C:RU/ADMD:A/PRMD:B/PN:BOX"},
      {"addresses with slashes skipped", node, {{{}, {}, {}, {"GOOD"}, {}, {"A/B", "C\\D"}}}, "", 1,
       "C:RU/ADMD:A/PRMD:B/ORG:GOOD/PN:SYSOP"},
      {"only slashed addresses", node, {{{}, {}, {}, {}, {"X/Y"}, {"P\\Q"}}}, "", 0, ""},
      {"no routing addresses", node, {}, "", 0, ""},
      {"no node address", "", {{{}, {}, {}, {}, {}, {"BOX"}}}, "", 0, ""},
      {"backslash separators, any order", "PRMD:B\\C:RU", {{{}, {}, {}, {}, {}, {"BOX"}}}, "", 1,
       "C:RU/PRMD:B/PN:BOX"},
      {"unknown level name", "C:RU/XX:1", {{{}, {}, {}, {}, {}, {"BOX"}}}, "", 0, ""},
      {"value without a name", "C:RU/JUNK", {{{}, {}, {}, {}, {}, {"BOX"}}}, "", 0, ""},
  };
  for (const auto& c : cases) {
    _VxItemBase item;
    item.nodeAddress = c.nodeAddress;
    item.routingAddresses = c.routing;
    item.absAddress = c.absAddress;
    item.mailboxAddress = "stale";
    EXPECT_EQ(item.ComputeMailboxAddress(), c.expected) << c.name;
    EXPECT_EQ(item.mailboxAddress, c.address) << c.name;
  }
}

TEST(ItemMailboxAddress, ANewEntryTakesItAsItsAbsoluteAddress) {
  _VxItemBase item;
  item.nodeAddress = "C:RU";
  item.routingAddresses[5] = {"BOX"};
  ASSERT_EQ(item.ComputeMailboxAddress(), 1);
  EXPECT_EQ(item.absAddress, "");
  item.isNew = 1;
  ASSERT_EQ(item.ComputeMailboxAddress(), 1);
  EXPECT_EQ(item.absAddress, "C:RU/PN:BOX");
}

TEST(ItemAddressBookRecord, NineteenTrimmedFieldsAfterTheUserId) {
  _VxItemBase item;
  item.mailboxName = "IVAN";
  item.mailboxAddress = "C:RU/PN:IVAN";
  item.parameters = {{"#USERID", "  ivan "}, {"#FULLNAME", " Ivan Petrov "}, {"#helper", "Olga"},
                     {"#CITY", "Tver"}};
  ASSERT_EQ(item.BuildAddressBookRecord(), 1);
  EXPECT_EQ(item.addressBookRecord,
            "ivan\nIvan Petrov;;VTAIL;C:RU/PN:IVAN;;;;;;IVAN;ivan;;;Tver;;;;;Olga;");

  std::string other;
  ASSERT_EQ(item.BuildAddressBookRecord(&other), 1);
  EXPECT_EQ(other, item.addressBookRecord);
}

TEST(ItemAddressBookRecord, FailsWithoutAUserIdAndLeavesTheRecordEmpty) {
  for (const char* userId : {static_cast<const char*>(nullptr), "   "}) {
    _VxItemBase item;
    if (userId) item.parameters = {{"#USERID", userId}};
    item.addressBookRecord = "stale";
    EXPECT_EQ(item.BuildAddressBookRecord(), 0);
    EXPECT_EQ(item.addressBookRecord, "");
  }
}

TEST(ItemLinkParameters, LocalFolderReply) {
  const struct {
    std::string reply;
    std::string expected;
  } cases[] = {
      {"#folder=C:\\MAIL", "C:\\MAIL"},
      {"  #FOLDER=/var/mail  \r\n", "/var/mail"},
      {"#FOLDER=", "#FOLDER="},          // eight characters: stored whole
      {" ABC ", "ABC"},
      {"SOMETHING ELSE", "previous"},    // neither: left as it was
  };
  for (const auto& c : cases) {
    _VxItemBase item;
    item.linkParameters = "previous";
    item.SetLinkParametersFromReply(c.reply);
    EXPECT_EQ(item.linkParameters, c.expected) << c.reply;
  }
}

}  // namespace
}  // namespace model::test

TEST(OrAddressText, NamedGroupsInAnyOrderWithLevelsLeftOut) {
  const struct {
    const char* text;
    bool ok;
    model::LevelValues values;
  } cases[] = {
      {"C:RU/ADMD:VELTRANE/PRMD:MOSCOW/ORG:CENTRAL/PN:IVANOV", true, {"RU", "VELTRANE", "MOSCOW", "CENTRAL", "", "IVANOV"}},
      {"pn: box \\ c:ru", true, {"RU", "", "", "", "", "BOX"}},
      {"C:RU//ORG:X/", true, {"RU", "", "", "X", "", ""}},
      {"", true, {}},
      {"C:RU/NODE", false, {}},
      {"C:RU/XX:Y", false, {}},
  };
  for (const auto& c : cases) {
    model::LevelValues values;
    values[0] = "stale";
    EXPECT_EQ(model::SplitNamedOrAddress(c.text, values), c.ok) << c.text;
    EXPECT_EQ(values, c.values) << c.text;
  }
}
