// What the configuration editor marks: unknown computers of a mail server,
// ports that fall back to 5003, names described twice. Each case is a small
// file and the marks expected in it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ConfigTextProblems.h"
#include "text/Cp1251.h"

namespace {

using core::ConfigProblemKind;
using Kind = ConfigProblemKind;

struct Mark {
  std::size_t line;
  std::size_t column;
  std::string text;  // the bytes marked
  Kind kind;
  bool operator==(const Mark&) const = default;
};

void PrintTo(const Mark& m, std::ostream* os) {
  *os << "{line " << m.line << ", col " << m.column << ", \"" << m.text << "\", kind " << static_cast<int>(m.kind)
      << "}";
}

struct Case {
  const char* name;
  std::string text;
  std::vector<Mark> marks;
};

std::vector<Mark> MarksOf(const std::string& text) {
  std::vector<Mark> marks;
  for (const core::ConfigProblem& f : core::FindConfigProblems(text)) {
    std::size_t lineStart = 0;
    for (std::size_t line = 1; line < f.line; ++line) lineStart = text.find('\n', lineStart) + 1;
    EXPECT_EQ(f.offset, lineStart + f.column) << "offset and line/column disagree";
    marks.push_back({f.line, f.column, text.substr(f.offset, f.length), f.kind});
  }
  return marks;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"clean file", "[Remote interfaces]\r\nA=10.0.0.1:12007\r\nB = host : 5003 \r\n[Hosts]\r\nM=A, B\r\n", {}},
      {"unknown computer of a mail server",
       "[Remote interfaces]\nA=h:1\n[Hosts]\nM=A,Bx ,  C\n",
       {{4, 4, "Bx", Kind::kUnknownComputer}, {4, 10, "C", Kind::kUnknownComputer}}},
      {"computer described below its mail server counts",
       "[Hosts]\nM=A\n[Remote interfaces]\nA=h:1\n", {}},
      {"computer names compare exactly", "[Remote interfaces]\nabc=h:1\n[Hosts]\nM=ABC\n",
       {{4, 2, "ABC", Kind::kUnknownComputer}}},
      {"computer without a value is not described", "[Remote interfaces]\nA=\nB\n[Hosts]\nM=A,B\n",
       {{5, 2, "A", Kind::kUnknownComputer}, {5, 4, "B", Kind::kUnknownComputer}}},
      {"comment after the value is not part of it", "[Remote interfaces]\nA=h:1 ; B\n[Hosts]\nM=A ;,B\n", {}},
      {"empty names between commas are skipped", "[Remote interfaces]\nA=h:1\n[Hosts]\nM=,A,,\n", {}},
      {"mail server without a value is skipped", "[Hosts]\nM=\n=X\n", {}},
      {"ports that fall back",
       "[Remote interfaces]\nA=host\nB=h:\nC=h: 12x \nD=h:0\nE=h:65536\nF=h:65535\nG=h:5003\nH=h:05003\n",
       {{2, 2, "host", Kind::kFallbackPort},
        {3, 3, ":", Kind::kFallbackPort},
        {4, 5, "12x", Kind::kFallbackPort},
        {5, 4, "0", Kind::kFallbackPort},
        {6, 4, "65536", Kind::kFallbackPort}}},
      {"port text stops at a comment", "[Remote interfaces]\nA=h:;12007\n", {{2, 3, ":", Kind::kFallbackPort}}},
      {"duplicates mark the later entry, names compare exactly",
       "[Remote interfaces]\nA=h:1\n A =h:2\na=h:3\n[Hosts]\nM=A\nM=a\nM=A\n",
       {{3, 1, "A", Kind::kDuplicateComputer},
        {7, 0, "M", Kind::kDuplicateMailServer},
        {8, 0, "M", Kind::kDuplicateMailServer}}},
      {"a repeated section is not read at start-up",
       "[Remote interfaces]\nA=h:1\n[Remote interfaces]\nB=h\nA=h:1\n[Hosts]\nM=A\n[Hosts]\nM=Z\n", {}},
      {"other sections and the head are not read",
       "A=h\n[COMMON]\nPERIOD_VERIFY=10\n[Links]\nX=h\n[ Hosts ]\nM=Z\n", {}},
      {"comment lines and section with a comment",
       ";[Hosts]\n[Hosts] ; servers\n; M=Z\nM=Z\n", {{4, 2, "Z", Kind::kUnknownComputer}}},
      {"lone carriage returns do not end a line", "[Hosts]\rM=Z\n", {}},
      {"no final line end", "[Hosts]\r\nM=Z", {{2, 2, "Z", Kind::kUnknownComputer}}},
  };
  return cases;
}

}  // namespace

TEST(ConfigTextProblems, MarksWhatStartUpWouldPassOver) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MarksOf(c.text), c.marks);
  }
}

TEST(ConfigTextProblems, TooltipsNameWhatHappensAtStartUp) {
  const std::string text = text::Cp(
      "[Remote interfaces]\nПК-1=h\nПК-1=h:1\nПК-2=h:x\n[Hosts]\nУзел=ПК-1,ПК-9\nУзел=ПК-1\n");
  const std::vector<core::ConfigProblem> found = core::FindConfigProblems(text);
  ASSERT_EQ(found.size(), 5u);
  const std::vector<std::string> expected = {
      text::Cp("Порт не указан: при запуске будет использован порт 5003."),
      text::Cp("Компьютер \"ПК-1\" уже описан в строке 2: при запуске эта запись не будет использоваться."),
      text::Cp("Недопустимый порт \"x\": при запуске будет использован порт 5003."),
      text::Cp("Компьютер \"ПК-9\" не описан в [Remote interfaces]: почтовый сервер \"Узел\" не будет "
               "зарегистрирован при запуске."),
      text::Cp("Почтовый сервер \"Узел\" уже описан в строке 6: при запуске эта запись пропускается."),
  };
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(found[i].tooltip, expected[i]) << i;
}
