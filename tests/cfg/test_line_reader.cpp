// The line reader: line ends, the split of long lines, the last empty line.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

TEST(LineReader, LongTextAcrossBufferRefills) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "KEY" + std::to_string(i) + "=value\r\n";
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 20001u);
  EXPECT_EQ(lines[12345], "KEY12345=value");
  EXPECT_EQ(lines.back(), "");
}

}  // namespace
