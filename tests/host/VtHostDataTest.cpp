// The host description's own state: COMMON values, the validity mask and the
// abonent sections, without a server.

#include <gtest/gtest.h>

#include "model/host/VtHostData.h"

namespace {

using model::VtHostData;

TEST(VtHostDataCommon, ValuesAreTrimmedAndDirectoriesEndWithASeparator) {
  struct Case {
    const char* key;
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"#BOX_DIR", "C:\\MAIL", "C:\\MAIL\\"},
      {"#QUEUE_DIR", "D:/Q/", "D:/Q/"},
      {"#ERR_DIR", "  E:\\ERR\\ ", "E:\\ERR\\"},
      {"#ZIP_DIR", "", ""},
      {"#LOG_DIR", "   ", ""},
      {"#host_name", " srv ", "srv"},            // the key in any case, the value as written
      {"#Address_Host", " c:ru/admd:x ", "C:RU/ADMD:X"},
      {"#HOST_UID", "uid\\", "uid\\"},           // not a directory: nothing appended
  };
  for (const Case& c : cases) {
    VtHostData data;
    EXPECT_TRUE(data.StoreCommon(c.key, c.value)) << c.key;
    std::string got;
    for (size_t i = 0; i < VtHostData::kCommonCount; ++i)
      if (!data.common[i].empty()) got = data.common[i];
    EXPECT_EQ(got, c.expected) << c.key << "=" << c.value;
  }
  VtHostData data;
  EXPECT_FALSE(data.StoreCommon("#HOST_NAMES", "x"));
  EXPECT_FALSE(data.StoreCommon("BOX_DIR", "x"));
}

TEST(VtHostDataCommon, AddressUpperCasingLeavesCyrillicBytes) {
  VtHostData data;
  data.StoreCommon("#ADDRESS_HOST", "c:ru/o:\xE0\xE1");
  EXPECT_EQ(data.NodeAddress(), "C:RU/O:\xE0\xE1");
}

TEST(VtHostDataMask, ClearsBeforeSettingAndTestsBits) {
  VtHostData data;
  EXPECT_EQ(data.validMask, 0u);
  EXPECT_EQ(data.UpdateValidMask(0, 127), 127u);
  EXPECT_EQ(data.UpdateValidMask(63, 0), 64u);
  EXPECT_EQ(data.UpdateValidMask(64, 64), 64u);  // set wins over clear of the same bit
  EXPECT_EQ(data.UpdateValidMask(~0u, 5), 5u);
  EXPECT_EQ(data.TestValidMask(4), 4u);
  EXPECT_EQ(data.TestValidMask(2), 0u);
}

TEST(VtHostDataMask, TablesAreEmptyOnlyWhenAllSixAre) {
  VtHostData data;
  EXPECT_EQ(data.IsTablesEmpty(), 1);
  data.routingTable[5] = "X";
  EXPECT_EQ(data.IsTablesEmpty(), 0);
}

TEST(VtHostDataAbonents, SectionsFromTheRouterText) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<VtHostData::CRouterSection> expected;
  };
  const Case cases[] = {
      {"five-line example", "[BOX1]\nLINE A ; note\n\n[ BOX2 ]\nX",
       {{"BOX1", "LINE A\n"}, {"BOX2", "X\n"}}},
      {"carriage returns and tabs", "\t[A]\r\n\tk=v\r\n\r\n", {{"A", "k=v\n"}}},
      {"lines before the first header dropped", "orphan\n[A]\nx\n", {{"A", "x\n"}}},
      {"a header with no name adds nothing", "[A]\nx\n[ ]\ny\n[B]\nz\n", {{"A", "x\n"}, {"B", "z\n"}}},
      {"a commented header is no header", ";[A]\nx\n[B]\n", {{"B", ""}}},
      {"empty section kept", "[A]\n[B]\ny", {{"A", ""}, {"B", "y\n"}}},
      {"nothing", "", {}},
  };
  for (const Case& c : cases) {
    VtHostData data;
    data.abonentSections = {{"OLD", "old\n"}};
    data.ParseAbonentSections(c.text);
    EXPECT_EQ(data.abonentSections, c.expected) << c.name;
  }
}

TEST(VtHostDataAbonents, FindComparesNamesExactly) {
  VtHostData data;
  data.ParseAbonentSections("[Box]\na\n[BOX]\nb\n[BOX]\nc\n");
  EXPECT_EQ(data.FindAbonentSection("BOX"), "b\n");  // the first of the name
  EXPECT_EQ(data.FindAbonentSection("Box"), "a\n");
  EXPECT_EQ(data.FindAbonentSection("box"), std::nullopt);
  EXPECT_EQ(data.FindAbonentSection("BO"), std::nullopt);
}

}  // namespace
