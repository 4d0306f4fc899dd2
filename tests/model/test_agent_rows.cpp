// The link parameter text of a direction read into agent rows and written back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/item/AgentRows.h"

namespace model {
namespace {

TEST(AgentRows, TextToRows) {
  const struct {
    const char* name;
    std::string text;
    std::vector<AgentRow> rows;
  } cases[] = {
      {"two lines", "A=1\nB=2", {{"A", "1"}, {"B", "2"}}},
      {"empty text", "", {}},
      {"blanks trimmed", "  #X25 \t=  X.25 PORT 1  \n", {{"#X25", "X.25 PORT 1"}}},
      {"CR LF and CR end lines", "A=1\r\nB=2\rC=3", {{"A", "1"}, {"B", "2"}, {"C", "3"}}},
      {"blank name gives no row", " =lost\nB=2", {{"B", "2"}}},
      {"empty lines skipped", "\n\nA=1\n\n", {{"A", "1"}}},
      {"only the first = splits", "A=B=C", {{"A", "B=C"}}},
      {"empty value kept", "A=\nB=2", {{"A", ""}, {"B", "2"}}},
      // The following line keeps its own agent.
      {"line without =", "A\nB=2", {{"A", ""}, {"B", "2"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkTextToAgentRows(c.text), c.rows) << c.name;
  }
}

TEST(AgentRows, RowsToText) {
  const struct {
    const char* name;
    std::vector<AgentRow> rows;
    std::string text;
  } cases[] = {
      {"lines joined by LF, none after the last", {{"A", "1"}, {"B", "2"}}, "A=1\nB=2"},
      {"no rows", {}, ""},
      {"blank names dropped, also first and last", {{" ", "x"}, {"A", "1"}, {"", "y"}}, "A=1"},
      {"name and value trimmed", {{" #TCP ", "  HOST:12  "}}, "#TCP=HOST:12"},
      {"empty value", {{"A", ""}}, "A="},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AgentRowsToLinkText(c.rows), c.text) << c.name;
  }
}

TEST(AgentRows, TextRoundTrip) {
  for (const std::string text : {"A=1\nB=2", "#X25=X.25\n#TCPVELT=10.0.0.1:12007\n#ZMODEM=COM1"}) {
    EXPECT_EQ(AgentRowsToLinkText(LinkTextToAgentRows(text)), text);
  }
}

}  // namespace
}  // namespace model
