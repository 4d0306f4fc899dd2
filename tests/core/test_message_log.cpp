#include <gtest/gtest.h>

#include "core/MessageLog.h"
#include "text/Cp1251.h"

using core::MessageLog;

namespace {

std::string Line(const char* codeAndText) {
  std::string s = std::string(1, '\x07') + codeAndText;
  // The text after the two digits is padded to 45.
  if (s.size() < 3 + 45) s.append(3 + 45 - s.size(), ' ');
  return s;
}

}  // namespace

TEST(MessageLog, FormatsEachPieceOfAMessageAsOneLine) {
  struct Case {
    const char* what;
    std::string message;
    int image;
    std::vector<std::string> lines;
  } cases[] = {
      {"one line", "  OK.", 1, {Line("01  OK.")}},
      {"three lines: the first keeps the image, the others get 1", "a\nb\nc", 13,
       {Line("13a"), Line("01b"), Line("01c")}},
      {"carriage returns dropped, tabs become blanks", "x\r\n\ty", 5, {Line("05x"), Line("01 y")}},
      {"leading and trailing line feeds make empty lines", "\nStop\n", 13, {Line("13"), Line("01Stop"), Line("01")}},
      {"an empty message is one empty line", "", 0, {Line("00")}},
      {"a NUL byte does not cut the line", std::string("a\0b", 3), 2, {std::string("\x07" "02a\0b", 6) + std::string(42, ' ')}},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageLog::FormatLines(c.message, c.image), c.lines) << c.what;

  const std::string longText(60, 'x');
  const auto lines = MessageLog::FormatLines(longText, 7);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\x07" "07" + longText) << "longer texts are not cut";
}

TEST(MessageLog, KeepsTheNewestLinesTheWindowCanShow) {
  EXPECT_EQ(MessageLog::LineLimit(1080), 60u);  // (1080 - 60) / 17
  EXPECT_EQ(MessageLog::LineLimit(400), 20u);   // never fewer than 20
  EXPECT_EQ(MessageLog::LineLimit(768, 20), 30u);

  MessageLog log(3);
  std::vector<std::string> sunk;
  log.SetLineSink([&](const std::string& line) { sunk.push_back(line); });
  log.Add("1\n2", 0, 2);
  log.Add("3\n4", 0, 2);
  ASSERT_EQ(log.Lines().size(), 3u);
  EXPECT_EQ(log.Lines().front(), Line("012"));
  EXPECT_EQ(log.Text(), Line("012") + "\n" + Line("023") + "\n" + Line("014"));
  EXPECT_EQ(sunk.size(), 4u) << "the sink sees every line, dropped ones included";
}

TEST(MessageLog, PopUpRule) {
  struct Case {
    const char* what;
    bool startup;
    bool disabled;
    bool visibleBefore;
    bool visibleAfter;
    bool blinking;
  } cases[] = {
      {"start-up shows it even when disabled", true, true, false, true, false},
      {"enabled: shown, tray blinks", false, false, false, true, true},
      {"disabled and hidden: only the tray blinks", false, true, false, false, true},
      {"disabled but already visible: stays shown", false, true, true, true, true},
  };
  for (const auto& c : cases) {
    MessageLog log;
    if (c.visibleBefore) log.Show(0);
    log.SetPopupDisabled(c.disabled);
    log.SetStartupOrShutdown(c.startup);
    log.Add("m", 5000, 6);
    EXPECT_EQ(log.Popup().visible, c.visibleAfter) << c.what;
    EXPECT_EQ(log.Popup().trayBlinking, c.blinking) << c.what;
    if (c.visibleAfter) {
      EXPECT_EQ(log.Popup().lifetimeMs, 5000u) << c.what;
    }
  }

  MessageLog log;
  log.Add("m", 0, 6);
  log.Hide();
  EXPECT_FALSE(log.Popup().visible);
  EXPECT_FALSE(log.Popup().trayBlinking);
}
