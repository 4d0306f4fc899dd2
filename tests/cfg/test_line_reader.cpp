// The line reader: line ends, the split of long lines, the last empty line.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CfgTestSupport.h"
#include "cfg/CfgTextReader.h"

namespace {

std::vector<std::string> Lines(std::string text) {
  std::vector<std::string> lines;
  std::FILE* stream = text.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(text.data(), text.size(), "rb");
  cfg::LineReader reader(stream);
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  std::fclose(stream);
  return lines;
}

TEST(LineReader, Table) {
  const std::string a2047(2047, 'a');
  const std::string a2046(2046, 'a');
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"empty text", "", {""}},
      {"no final line feed", "a\nb", {"a", "b"}},
      {"final line feed gives one more empty line", "a\nb\n", {"a", "b", ""}},
      {"carriage returns and line feeds stripped", "a\r\nb\r\r\n", {"a", "b", ""}},
      {"bare carriage return is not a line end", "a\rb\n", {"a\rb", ""}},
      {"empty lines", "\n\n", {"", "", ""}},
      {"3000 bytes: 2047 and 953", std::string(3000, 'x'), {std::string(2047, 'x'), std::string(953, 'x')}},
      {"exactly 2047 and a line feed", a2047 + "\nb", {a2047, "b"}},
      {"exactly 2047 and CR LF", a2047 + "\r\nb", {a2047, "b"}},
      {"2046 and CR LF fills the buffer with the CR", a2046 + "\r\nb", {a2046, "b"}},
      {"exactly 2047 at the end with a line feed", a2047 + "\n", {a2047, ""}},
      {"exactly 2047 at the very end", a2047, {a2047, ""}},
      {"a split before carriage returns that do not end the line", a2047 + "\r\rb\n", {a2047, "\r\rb", ""}},
      {"4094 bytes: two full pieces", std::string(4094, 'y') + "\nz", {std::string(2047, 'y'), std::string(2047, 'y'), "z"}},
      {"NUL bytes are kept", std::string("a\0b\n", 4), {std::string("a\0b", 3), ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.text), c.lines) << c.what;
}

// Every line of the text that the reader split, with its number in the text
// and its whole length: what the administrator is told at load time.
TEST(LineReader, ReportsEveryLineItSplits) {
  using Splits = std::vector<cfg::SplitLine>;
  const std::string a2047(2047, 'a');
  struct Case {
    const char* what;
    std::string text;
    Splits splits;
  } cases[] = {
      {"short lines", "a\nb\r\n", {}},
      {"3000 bytes, no line end", std::string(3000, 'x'), {{1, 3000}}},
      {"the third line, CR LF not counted", "a\r\nb\r\n" + std::string(3000, 'x') + "\r\nc", {{3, 3000}}},
      {"2048 bytes", std::string(2048, 'x') + "\n", {{1, 2048}}},
      {"exactly 2047 and a line feed", a2047 + "\nb", {}},
      {"exactly 2047 and CR LF", a2047 + "\r\nb", {}},
      {"exactly 2047 at the very end", a2047, {}},
      {"exactly 2047 and carriage returns at the very end", a2047 + "\r\r", {}},
      {"carriage returns inside the line count", a2047 + "\r\rb\n", {{1, 2050}}},
      {"split into three pieces", std::string(4095, 'y') + "\nz", {{1, 4095}}},
      {"two long lines", std::string(2100, 'p') + "\nshort\n" + std::string(5000, 'q') + "\n", {{1, 2100}, {3, 5000}}},
      {"a megabyte", "K=" + std::string(1 << 20, 'v') + "\r\n", {{1, 2 + (1u << 20)}}},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    std::FILE* stream = ::fmemopen(text.data(), text.size(), "rb");
    cfg::LineReader reader(stream);
    std::string line;
    std::size_t pieces = 0;
    while (reader.Next(line)) ++pieces;
    std::fclose(stream);
    EXPECT_EQ(reader.Splits(), c.splits) << c.what;
    EXPECT_GT(pieces, 0u);
  }
}

// The file keeps the splits of its last load; a reload of a text without
// long lines forgets them.
TEST(LineReader, TheFileKeepsTheSplitsOfItsLastLoad) {
  cfgtest::ScratchDir dir;
  const std::string path = dir / "a.cfg";
  const std::string value(1 << 20, 'v');
  cfgtest::WriteFile(path, "[COMMON]\r\n\r\nBIG=" + value + "\r\nSMALL=1\r\n");
  C_CFG_File file(path);
  ASSERT_TRUE(file.IsLoaded());
  EXPECT_EQ(file.SplitLines(), (std::vector<cfg::SplitLine>{{3, 4 + value.size()}}));
  // The value is still read as pieces of 2047 bytes: 513 parameters here.
  EXPECT_EQ(file.GetSection("COMMON", true)->GetCount(), 1u + (4 + value.size() + 2046) / 2047);

  cfgtest::WriteFile(path, "[COMMON]\r\nSMALL=1\r\n");
  file.Clear(true);
  ASSERT_TRUE(file.Load(true));
  EXPECT_TRUE(file.SplitLines().empty());
}

TEST(LineReader, LongTextAcrossBufferRefills) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "KEY" + std::to_string(i) + "=value\r\n";
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 20001u);
  EXPECT_EQ(lines[12345], "KEY12345=value");
  EXPECT_EQ(lines.back(), "");
}

}  // namespace
