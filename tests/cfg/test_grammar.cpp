// The grammar of the configuration text: what each kind of line becomes.

#include <gtest/gtest.h>

#include <string>

#include "CfgTestSupport.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"

namespace {

using cfgtest::Dump;
using cfgtest::LoadText;
using cfgtest::WriteText;

struct GrammarCase {
  const char* what;
  const char* text;
  const char* tree;     // Dump of the tree read
  const char* written;  // the text written back
};

TEST(Grammar, LinesBecomeItems) {
  const GrammarCase cases[] = {
      {"blanks around '=' go, the value keeps blanks before ';'", "KEY = some value ;note\n",
       "KEY=some value  ;;{note}\n", "KEY=some value ;note\r\n"},
      {"'=' with nothing after and no '=' give an empty value", "A=\nB\n", "A=\nB=\n", "A\r\nB\r\n"},
      {"later '=' belong to the value", "K = a=b = c\n", "K=a=b = c\n", "K=a=b = c\r\n"},
      {"'=' after ';' belongs to the inline comment", "K ;x=y\n", "K= ;;{x=y}\n", "K;x=y\r\n"},
      {"the inline comment is kept untrimmed but the line's end is", "K=v;  a b  \n", "K=v ;;{  a b}\n",
       "K=v;  a b\r\n"},
      {"an empty inline comment keeps its ';'", "K=v;\n", "K=v ;;{}\n", "K=v;\r\n"},
      {"doubled brackets", "[[Sec]]\n", "[Sec]\n", "[Sec]\r\n"},
      {"inner blanks of a section name stay", "  [ Sec ]  \n", "[ Sec ]\n", "[ Sec ]\r\n"},
      {"text after ']' makes a parameter", "[Sec] x\n", "[Sec] x=\n", "[Sec] x\r\n"},
      {"'=' makes a parameter", "[Sec]=1\n", "[Sec]=1\n", "[Sec]=1\r\n"},
      {"a section with an inline comment", "[S] ;c\nK=1\n", "[S] ;;{c}\n  K=1\n", "[S];c\r\nK=1\r\n"},
      {"an empty section name", "[]\nK\n", "[]\n  K=\n", "[]\r\nK\r\n"},
      {"comment block: first ';' removed", ";a\n;;b\n[S]\n", "[S] ;{a|;b}\n", ";a\n;;b\r\n[S]\r\n"},
      {"bare ';' lines at the head of a block are kept", ";\n; Hosts\n;\n[Hosts]\n", "[Hosts] ;{| Hosts|}\n",
       ";\n; Hosts\n;\r\n[Hosts]\r\n"},
      {"parameters before the first section belong to the root", "A=1\n[S]\nB=2\n", "A=1\n[S]\n  B=2\n",
       "A=1\r\n[S]\r\nB=2\r\n"},
      {"blank lines are counted", "\n\n\n[S]\n\nK=1\n", "[S] +3\n  K=1 +1\n", "\r\n\r\n\r\n[S]\r\n\r\nK=1\r\n"},
      {"blanks-only lines are empty lines", "  \t\n[S]\n", "[S] +1\n", "\r\n[S]\r\n"},
      {"a key may begin with '#'", "#KEEP=1\n", "#KEEP=1\n", "#KEEP=1\r\n"},
      {"double quotes mean nothing", "K=\"a ; b\"\n", "K=\"a  ;;{ b\"}\n", "K=\"a ; b\"\r\n"},
      {"a comment block followed by an empty line makes an empty-named parameter", ";c\n\nK=1\n",
       "= ;{c}\nK=1\n", ";c\r\n\r\nK=1\r\n"},
      {"comments and empty lines after the last item are dropped", "K=1\n\n;tail", "K=1\n", "K=1\r\n"},
      {"a final comment block ending in a line feed survives", "K=1\n;tail\n", "K=1\n= ;{tail}\n",
       "K=1\r\n;tail\r\n\r\n"},
      {"CR LF and LF read alike", "[S]\r\nK=1\r\n", "[S]\n  K=1\n", "[S]\r\nK=1\r\n"},
      {"empty text", "", "", ""},
  };
  for (const GrammarCase& c : cases) {
    auto file = LoadText(c.text);
    EXPECT_TRUE(file->IsLoaded()) << c.what;
    EXPECT_FALSE(file->IsModified()) << c.what;
    EXPECT_EQ(Dump(*file), c.tree) << c.what;
    EXPECT_EQ(WriteText(*file), c.written) << c.what;
  }
}

TEST(Grammar, LongLinesAreSplitAtTheBuffer) {
  // 3000 bytes: 2047 and 953; the second piece is a line of its own.
  const std::string text = "K=" + std::string(2998, 'v') + "\n";
  auto file = LoadText(text);
  ASSERT_EQ(file->GetRoot()->GetCount(), 2u);
  EXPECT_EQ(file->GetRoot()->GetAt(0)->GetValue(), std::string(2045, 'v'));
  EXPECT_EQ(file->GetRoot()->GetAt(1)->GetName(), std::string(953, 'v'));
}

TEST(Grammar, TheEmptyNamedParameterIsBad) {
  auto file = LoadText(";c\n\n[S]\n");
  const C_CFG_Item* empty = file->GetRoot()->GetAt(0);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->IsBad());
  EXPECT_FALSE(file->IsBad());
}

TEST(Grammar, LoadAppendsToTheTree) {
  cfgtest::ScratchDir dir;
  cfgtest::WriteFile(dir / "a.cfg", "[S]\nK=1\n");
  C_CFG_File file(dir / "a.cfg");
  ASSERT_TRUE(file.Load(true));
  EXPECT_EQ(Dump(file), "[S]\n  K=1\n[S]\n  K=1\n");
  file.Clear(true);
  EXPECT_TRUE(file.IsModified());
  ASSERT_TRUE(file.Load(true));
  EXPECT_EQ(Dump(file), "[S]\n  K=1\n");
  EXPECT_FALSE(file.IsModified());
}

TEST(Grammar, TextIsKeptByteForByte) {
  // Code page 1251 bytes, high bytes, control bytes and NUL are stored as read.
  const std::string text = std::string("[\xCE\xE1\xF9\xE8\xE5]\nK\x01=\xFF\0\xC0\n", 14);
  auto file = LoadText(text);
  C_CFG_Folder* section = file->GetSection("\xCE\xE1\xF9\xE8\xE5", true);
  ASSERT_NE(section, nullptr);
  ASSERT_EQ(section->GetCount(), 1u);
  EXPECT_EQ(section->GetAt(0)->GetName(), "K\x01");
  EXPECT_EQ(section->GetAt(0)->GetValue(), std::string("\xFF\0\xC0", 3));
  EXPECT_EQ(WriteText(*file), std::string("[\xCE\xE1\xF9\xE8\xE5]\r\nK\x01=\xFF\0\xC0\r\n", 17));
}

}  // namespace
