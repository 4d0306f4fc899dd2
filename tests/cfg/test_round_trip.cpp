// A file read and written back keeps its text, except for exactly the
// differences the format allows: blanks around '=', around names and
// brackets, trailing blanks, "=" with an empty value, line ends (CR LF
// everywhere, a bare LF between the lines of a comment block), long lines
// split, and comments or empty lines after the last item.

#include <gtest/gtest.h>

#include <string>

#include "CfgTestSupport.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace {

using cfgtest::LoadText;
using cfgtest::WriteText;

std::string Lf(std::string_view crlf) { return text::ReplaceAll(crlf, "\r\n", "\n"); }

// A console file as an administrator keeps it, in CR LF.
std::string ConsoleFile() {
  return text::Cp(
      ";\r\n"
      "; Конфигурация консоли\r\n"
      ";\r\n"
      "\r\n"
      "[COMMON]\r\n"
      "PERIOD_VERIFY=30\r\n"
      "ALERT_SOUND=\"C:\\Sounds\\alarm.wav\" ; звук тревоги\r\n"
      "SHOW_POPUP=1\r\n"
      "\r\n"
      "; Компьютеры\r\n"
      "; адрес:порт\r\n"
      "[Remote interfaces]\r\n"
      "MAIN=10.0.0.1:12007\r\n"
      "BACKUP=10.0.0.2:12007;запасной\r\n"
      "\r\n"
      "[Hosts]\r\n"
      "Центральный=MAIN,BACKUP\r\n"
      "\r\n"
      "\r\n"
      "[Favorites]\r\n"
      "GROUP1=Directions,0,30,60\r\n"
      "; the end of the list\r\n");
}

struct RoundTripCase {
  const char* what;
  std::string input;
  std::string output;
};

TEST(RoundTrip, RealLookingFiles) {
  const std::string console = ConsoleFile();
  // Inside a comment block the lines are joined by a bare line feed.
  const std::string consoleWritten =
      text::ReplaceAll(text::ReplaceAll(console, text::Cp(";\r\n; Конфигурация консоли\r\n;\r\n"),
                                        text::Cp(";\n; Конфигурация консоли\n;\r\n")),
                       text::Cp("; Компьютеры\r\n"), text::Cp("; Компьютеры\n")) +
      "\r\n";  // the final comment block, ended by a line feed, stays on an empty-named item
  const std::string longValue(2500, 'z');

  const RoundTripCase cases[] = {
      {"console file in CR LF", console, consoleWritten},
      {"the same in LF", Lf(console), consoleWritten},
      {"loose blanks", "  [ Main ]  \r\n  KEY  =  value  \r\nEMPTY =\r\nFLAG\t\r\n",
       "[ Main ]\r\nKEY=value\r\nEMPTY\r\nFLAG\r\n"},
      {"root parameters before the first section", "VERSION=3\r\nNAME=x\r\n\r\n[S]\r\nK=1\r\n",
       "VERSION=3\r\nNAME=x\r\n\r\n[S]\r\nK=1\r\n"},
      {"inline comments everywhere", "[S] ; section\r\nK=1 ; one\r\nJ ;flag\r\n;block\r\nL=2;\r\n",
       "[S]; section\r\nK=1 ; one\r\nJ;flag\r\n;block\r\nL=2;\r\n"},
      {"a long value is split into two lines", "[S]\r\nK=" + longValue + "\r\nJ=1\r\n",
       "[S]\r\nK=" + longValue.substr(0, 2045) + "\r\n" + longValue.substr(2045) + "\r\nJ=1\r\n"},
      {"a line of exactly 2047 bytes", "K=" + std::string(2045, 'q') + "\r\nJ=1\r\n",
       "K=" + std::string(2045, 'q') + "\r\nJ=1\r\n"},
      {"a comment block at the very end without a line feed", "[S]\r\nK=1\r\n\r\n; last words",
       "[S]\r\nK=1\r\n"},
      {"a comment block at the very end with a line feed", "[S]\r\nK=1\r\n\r\n; last words\r\n",
       "[S]\r\nK=1\r\n\r\n; last words\r\n\r\n"},
      {"trailing empty lines", "[S]\r\nK=1\r\n\r\n\r\n\r\n", "[S]\r\nK=1\r\n"},
      {"comment blocks between parameters", "[S]\r\n;a\r\n;b\r\nK=1\r\n\r\n;c\r\nJ=2\r\n",
       "[S]\r\n;a\n;b\r\nK=1\r\n\r\n;c\r\nJ=2\r\n"},
  };
  for (const RoundTripCase& c : cases) {
    auto file = LoadText(c.input);
    const std::string written = WriteText(*file);
    EXPECT_EQ(written, c.output) << c.what;
    // What was written once is written again unchanged.
    EXPECT_EQ(WriteText(*LoadText(written)), written) << c.what;
  }
}

}  // namespace
