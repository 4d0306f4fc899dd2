// A level's routing table text as the routing view lists it.
#include <gtest/gtest.h>

#include "services/RoutingRows.h"

namespace {

using services::RouteIcon;
using services::RoutingRow;
using services::RoutingRowsOf;

std::vector<RoutingRow> Rows(std::string_view table) {
  return RoutingRowsOf(table, [](const std::string& name) { return name == "IVANOV"; });
}

TEST(RoutingRows, EachEntryBecomesOneRowByTheRulesOfTheView) {
  const struct {
    const char* table;
    std::vector<RoutingRow> rows;
  } cases[] = {
      {".*:TBOX;", {{"*", 'T', "BOX", RouteIcon::kAnyAddress}}},
      {"SPB:TA,B;", {{"SPB", 'T', "A,B", RouteIcon::kRoute}}},
      // Blanks around key and value, lower case, '=' for ':'.
      {"  spb = tnode ;", {{"SPB", 'T', "NODE", RouteIcon::kRoute}}},
      // CR, LF and tabs inside a list are dropped, each name trimmed.
      {"X:TA,\r\n\tB , C;", {{"X", 'T', "A,B,C", RouteIcon::kRoute}}},
      {"IV:LIVANOV;", {{"IV", 'L', "IVANOV", RouteIcon::kAbonent}}},
      // A target list is not an abonent even when it starts with one.
      {"IV:TIVANOV,B;", {{"IV", 'T', "IVANOV,B", RouteIcon::kRoute}}},
      {"BUH:LBUH;", {{"BUH", 'L', "BUH", RouteIcon::kLocal}}},
      {"Q:aQQ;", {{"Q", 'A', "QQ", RouteIcon::kTypeA}}},
      // The any-address icon wins over the abonent one.
      {".*:LIVANOV;", {{"*", 'L', "IVANOV", RouteIcon::kAnyAddress}}},
      // Type only: listed with no target.
      {"R:R;", {{"R", 'R', "", RouteIcon::kRoute}}},
      // Empty value, empty key, no separator: left out.
      {"EMPTY:;", {}},
      {":TBOX;", {}},
      {"NOSEP;", {}},
      {"", {}},
      // Several entries, line ends between them, the last without ';'.
      {"A:TX;\r\nB=TY;\r\nC:TZ",
       {{"A", 'T', "X", RouteIcon::kRoute}, {"B", 'T', "Y", RouteIcon::kRoute}, {"C", 'T', "Z", RouteIcon::kRoute}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Rows(c.table), c.rows) << c.table;
}

TEST(RoutingRows, TargetListsAreNormalised) {
  EXPECT_EQ(services::NormalizedTargets(" A ,, B,\t\r\nC ,"), "A,B,C");
  EXPECT_EQ(services::NormalizedTargets(""), "");
  EXPECT_EQ(services::TargetNames("A, B"), (std::vector<std::string>{"A", "B"}));
}

}  // namespace
