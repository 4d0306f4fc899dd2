// The clipboard form of an entry: what another console version wrote is not
// taken, damaged data is not taken, and a pasted entry keeps the identity of
// the entry it is pasted into.
#include <gtest/gtest.h>

#include "model/item/EntryClipboard.h"

namespace {

model::_VxItemBase Source() {
  model::_VxItemBase entry;
  entry.mailServerName = "OTHER";
  entry.queueTaskName = "QSRC";
  entry.routerTaskName = "RSRC";
  entry.mailboxName = "SOURCE";
  entry.kind = entry.kindOnServer = 0;
  entry.priority = 7;
  entry.callAtInterval = 1;
  entry.linkParameters = "FTP=HOST1\nMAIL=BOX";
  entry.parameters = {{"#FULLNAME", "Source"}, {"#USERID", "AAAA"}};
  entry.routingAddresses[3] = {"ORG1"};
  entry.schedule.resize(1);
  return entry;
}

model::_VxItemBase Target(std::string userId) {
  model::_VxItemBase shown;
  shown.mailServerName = "NODE";
  shown.queueTaskName = "SRV1";
  shown.routerTaskName = "SRV1";
  shown.mailboxName = "TARGET";
  shown.kind = shown.kindOnServer = 1;
  shown.loaded = 1;
  shown.isNew = 1;
  shown.parameters = {{"#UserId", std::move(userId)}};
  return shown;
}

TEST(EntryClipboard, RoundTripKeepsTheEntry) {
  const model::_VxItemBase source = Source();
  const std::optional<model::_VxItemBase> pasted =
      model::PasteEntryData(model::CopyEntryData(source, "1.0.0.1"), "1.0.0.1");
  ASSERT_TRUE(pasted.has_value());
  EXPECT_EQ(pasted->priority, 7u);
  EXPECT_EQ(pasted->linkParameters, source.linkParameters);
  EXPECT_EQ(pasted->parameters, source.parameters);
  EXPECT_EQ(pasted->routingAddresses, source.routingAddresses);
  EXPECT_EQ(pasted->schedule.size(), 1u);
}

TEST(EntryClipboard, RefusesOtherVersionsAndDamagedData) {
  const std::vector<uint8_t> bytes = model::CopyEntryData(Source(), "1.0.0.1");
  EXPECT_FALSE(model::PasteEntryData(bytes, "1.0.0.2").has_value());
  EXPECT_FALSE(model::PasteEntryData(bytes, "1.0.0").has_value());
  const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
  EXPECT_FALSE(model::PasteEntryData(cut, "1.0.0.1").has_value());
  EXPECT_FALSE(model::PasteEntryData({}, "1.0.0.1").has_value());
}

TEST(EntryClipboard, PastedEntryTakesTheShownIdentity) {
  model::_VxItemBase pasted = Source();
  model::TakeIdentityOf(pasted, Target("BBBB"));
  EXPECT_EQ(pasted.mailServerName, "NODE");
  EXPECT_EQ(pasted.queueTaskName, "SRV1");
  EXPECT_EQ(pasted.mailboxName, "TARGET");
  EXPECT_EQ(pasted.kind, 1);
  EXPECT_EQ(pasted.kindOnServer, 1);
  EXPECT_EQ(pasted.isNew, 1);
  EXPECT_EQ(pasted.priority, 7u);  // the data itself is the source's
  std::string userId;
  ASSERT_TRUE(pasted.GetParameter("#USERID", userId));
  EXPECT_EQ(userId, "BBBB");
}

TEST(EntryClipboard, UserIdFollowsTheShownEntry) {
  struct Case {
    const char* name;
    std::vector<model::_VxItemBase::CAbonentParameter> shownParameters;
    std::vector<model::_VxItemBase::CAbonentParameter> sourceParameters;
    const char* expected;  // null: no "#USERID" after the paste
  };
  const Case cases[] = {
      {"shown has none", {}, {{"#USERID", "AAAA"}}, nullptr},
      {"shown has an empty one", {{"#USERID", ""}}, {{"#USERID", "AAAA"}}, nullptr},
      {"source has none", {{"#USERID", "BBBB"}}, {{"#FULLNAME", "X"}}, "BBBB"},
      {"both have one", {{"#USERID", "BBBB"}}, {{"#userid", "AAAA"}}, "BBBB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::_VxItemBase shown;
    shown.parameters = c.shownParameters;
    model::_VxItemBase pasted;
    pasted.parameters = c.sourceParameters;
    model::TakeIdentityOf(pasted, shown);
    std::string value;
    const bool found = pasted.GetParameter("#USERID", value);
    if (c.expected == nullptr) {
      EXPECT_FALSE(found);
    } else {
      ASSERT_TRUE(found);
      EXPECT_EQ(value, c.expected);
    }
  }
}

TEST(EntryClipboard, LocalFolderLinkLosesItsPrefix) {
  const std::pair<const char*, const char*> cases[] = {
      {"#Folder=/var/mail/x", "/var/mail/x"},
      {"#FOLDER=D:\\BOX", "D:\\BOX"},
      {"#folder=", ""},
      {"FTP=HOST", "FTP=HOST"},
      {"#Fold", "#Fold"},
  };
  for (const auto& [link, expected] : cases) {
    model::_VxItemBase pasted;
    pasted.linkParameters = link;
    model::TakeIdentityOf(pasted, model::_VxItemBase());
    EXPECT_EQ(pasted.linkParameters, expected) << link;
  }
}

}  // namespace
