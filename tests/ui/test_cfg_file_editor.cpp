// The configuration file editor: the colours each token gets (read from the
// document's layouts), colouring again after an edit, saving back exactly the
// bytes loaded or typed, a failed save, closing without saving, paths that
// open nothing, and the marks on entries start-up would pass over.

#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include <memory>

#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/editor/CCfgFileEditDlg.h"
#include "ui/editor/CTWScriptEdit.h"
#include "ui/editor/EditorFont.h"
#include "ui/editor/ScriptTokens.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;
using ui::CCfgFileEditDlg;
using ui::TokenClass;

namespace {

const QColor kPlain(255, 255, 64);
const QColor kComment(128, 128, 128);
const QColor kNumber(255, 64, 64);
const QColor kString(64, 255, 64);
const QColor kSection(64, 64, 255);
const QColor kConstant(255, 255, 255);
const QColor kKeywordA(0, 196, 196);
const QColor kKeywordD(196, 255, 196);

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Qba(const std::string& bytes) { return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())); }

// The format the layout of `block` gives the character at `position`.
QTextCharFormat FormatAt(const QTextBlock& block, int position) {
  QTextCharFormat found;
  for (const QTextLayout::FormatRange& range : block.layout()->formats())
    if (position >= range.start && position < range.start + range.length) found = range.format;
  return found;
}

// Every character of [start, start + length) of `block` has this colour and weight.
bool Coloured(const QTextBlock& block, int start, int length, const QColor& colour, bool bold, QString* why) {
  for (int i = start; i < start + length; ++i) {
    const QTextCharFormat format = FormatAt(block, i);
    const QColor got = format.foreground().color();
    const bool gotBold = format.fontWeight() == QFont::Bold;
    if (got != colour || gotBold != bold) {
      *why = QStringLiteral("char %1 '%2': colour %3 bold %4")
                 .arg(i)
                 .arg(block.text().mid(i, 1), got.name())
                 .arg(gotBold);
      return false;
    }
  }
  return true;
}

// Types `text` as key presses that carry it (QTest's key clicks know only ASCII).
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

class Editing {
 public:
  explicit Editing(const QByteArray& bytes) : path_(dir_.filePath(QStringLiteral("tarvik.cfg"))) {
    WriteFile(path_, bytes);
    dialog_ = std::make_unique<CCfgFileEditDlg>(ui::ToCp(path_));
  }
  CCfgFileEditDlg& Dialog() { return *dialog_; }
  ui::CTWScriptEdit& Editor() { return *dialog_->Editor(); }
  QTextBlock Block(int n) { return Editor().document()->findBlockByNumber(n); }
  const QString& Path() const { return path_; }
  QString Folder() const { return dir_.path(); }
  void PutCursor(int block, int column) {
    QTextCursor cursor(Block(block));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    Editor().setTextCursor(cursor);
  }
  void ClickSave() { Dialog().findChild<QPushButton*>(QStringLiteral("save"))->click(); }

 private:
  QTemporaryDir dir_;
  QString path_;
  std::unique_ptr<CCfgFileEditDlg> dialog_;
};

// Columns line up only when the face that draws is fixed-pitch, whatever
// family was asked for.
bool DrawsFixedPitch(const QFont& font) {
  const QFontMetrics metrics(font);
  return QFontInfo(font).fixedPitch() &&
         metrics.horizontalAdvance(QStringLiteral("iiii")) == metrics.horizontalAdvance(QStringLiteral("WWWW"));
}

}  // namespace

Q_DECLARE_METATYPE(TokenClass)

class CfgFileEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void colours_data();
  void colours();
  void tokenizerOptions();
  void recoloursTheEditedLine();
  void savesWhatWasLoaded_data();
  void savesWhatWasLoaded();
  void savesWhatWasTyped_data();
  void savesWhatWasTyped();
  void failedSaveKeepsTheOldFile_data();
  void failedSaveKeepsTheOldFile();
  void runEndsAcceptedOnSaveAndRejectedOnClose();
  void pathsThatOpenNothing_data();
  void pathsThatOpenNothing();
  void marksWhatStartUpPassesOver();
  void editorFormat();
  void editorFontIsFixedPitch_data();
  void editorFontIsFixedPitch();
  void ctrlTabMovesTheFocus();
  void keepsItsSizeInTheProfile();
};

void CfgFileEditorTest::colours_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("token");
  QTest::addColumn<int>("from");  // where to look for the token in the line
  QTest::addColumn<QColor>("colour");
  QTest::addColumn<bool>("bold");
  const auto row = [](const char* name, const QString& line, const QString& token, const QColor& colour, bool bold,
                      int from = 0) { QTest::newRow(name) << line << token << from << colour << bold; };
  row("section word", "[COMMON]", "COMMON", kSection, true);
  row("section bracket open", "[COMMON]", "[", kPlain, false);
  row("section bracket close", "[COMMON]", "]", kPlain, false);
  row("keyword A", "PERIOD_VERIFY=10", "PERIOD_VERIFY", kKeywordA, false);
  row("equals sign", "PERIOD_VERIFY=10", "=", kPlain, false);
  row("number", "PERIOD_VERIFY=10", "10", kNumber, false);
  row("constant", "SPLASH_WINDOW_DISABLE=TRUE", "TRUE", kConstant, true);
  row("key before a constant", "SPLASH_WINDOW_DISABLE=TRUE", "SPLASH_WINDOW_DISABLE", kKeywordA, false);
  row("comment line", ";; text", ";; text", kComment, false);
  row("lower case section word is plain", "common", "common", kPlain, false);
  row("first of two section words", "[Remote interfaces]", "Remote", kSection, true);
  row("blank between section words", "[Remote interfaces]", " ", kPlain, false);
  row("second of two section words", "[Remote interfaces]", "interfaces", kSection, true);
  row("quoted value", "ERROR_APP=\"a;b 1\" x", "\"a;b 1\"", kString, false);
  row("after the closing quote", "ERROR_APP=\"a;b 1\" x", " x", kPlain, false);
  row("unclosed quote", "ERROR_APP=\"run 1 ;x", "\"run 1 ;x", kString, false);
  row("keyword D", "FV_DEFAULT_SETINGS=GROUP", "FV_DEFAULT_SETINGS", kKeywordD, false);
  row("keyword A as a value", "FV_DEFAULT_SETINGS=GROUP", "GROUP", kKeywordA, false);
  row("comment after a value", "FAVORIT=grp ; note", "; note", kComment, false);
  row("unknown word", "FAVORIT=grp ; note", "grp", kPlain, false);
  row("floating-point number", "X=1.5e+3e", "1.5e+3", kNumber, false);
  row("letter after a number", "X=1.5e+3e", "e", kPlain, false, 8);
  row("address reads as numbers", "A=10.0.0.1:12007", "10.0", kNumber, false);
  row("dot between numbers", "A=10.0.0.1:12007", ".", kPlain, false, 6);
  row("port", "A=10.0.0.1:12007", "12007", kNumber, false);
  row("digits inside a word", "PC1=On", "PC1", kPlain, false);
  row("mixed-case constant", "PC1=On", "On", kConstant, true);
  row("keyword with a suffix is plain", "PERIOD_VERIFY2=1", "PERIOD_VERIFY2", kPlain, false);
  row("Cyrillic word is plain", QString::fromUtf8("ПК1=True"), QString::fromUtf8("ПК1"), kPlain, false);
  row("tab is plain", "\tLINK=1", "\t", kPlain, false);
  row("keyword after a tab", "\tLINK=1", "LINK", kKeywordD, false);
}

// Read straight after the dialog was built: the colours are there before
// the first paint.
void CfgFileEditorTest::colours() {
  QFETCH(QString, line);
  QFETCH(QString, token);
  QFETCH(int, from);
  QFETCH(QColor, colour);
  QFETCH(bool, bold);
  Editing editing(Qba(ui::ToCp(line)) + "\r\n");
  QVERIFY(editing.Dialog().Loaded());
  const QTextBlock block = editing.Block(0);
  QCOMPARE(block.text(), line);
  const int start = static_cast<int>(line.indexOf(token, from));
  QVERIFY(start >= 0);
  QString why;
  QVERIFY2(Coloured(block, start, static_cast<int>(token.size()), colour, bold, &why), qPrintable(why));
}

// The vocabulary's options that the dialog leaves at one setting.
void CfgFileEditorTest::tokenizerOptions() {
  using Tokens = std::vector<ui::ScriptToken>;
  struct Case {
    const char* name;
    std::function<void(ui::ScriptVocabulary&)> setup;
    QString line;
    Tokens tokens;
  };
  const auto lists = [](ui::ScriptVocabulary& v) {
    v.AddWords(TokenClass::kSection, " REM Main ");
    v.AddWords(TokenClass::kConstant, " Yes ");
    v.AddWords(TokenClass::kKeywordA, " Yes Go ");
    v.AddWords(TokenClass::kFifth, " five ");
    v.AddWords(TokenClass::kSixth, " six ");
    v.AddWords(TokenClass::kKeywordD, " five six dee ");
  };
  const std::vector<Case> cases = {
      {"lists in their order", lists, "Yes Go five six dee",
       {{0, 3, TokenClass::kConstant}, {4, 2, TokenClass::kKeywordA}, {7, 4, TokenClass::kFifth},
        {12, 3, TokenClass::kSixth}, {16, 3, TokenClass::kKeywordD}}},
      {"case sensitive", [&](ui::ScriptVocabulary& v) { v.SetCaseSensitive(true); lists(v); }, "main Main",
       {{5, 4, TokenClass::kSection}}},
      {"not case sensitive", lists, "MAIN yes", {{0, 4, TokenClass::kSection}, {5, 3, TokenClass::kConstant}}},
      {"case set after the lists", [&](ui::ScriptVocabulary& v) { lists(v); v.SetCaseSensitive(true); }, "MAIN Main",
       {{5, 4, TokenClass::kSection}}},
      {"appended lists",
       [](ui::ScriptVocabulary& v) { v.AddWords(TokenClass::kKeywordA, " one"); v.AddWords(TokenClass::kKeywordA, "two "); },
       "one two onetwo", {{8, 6, TokenClass::kKeywordA}}},
      {"appended lists with blanks",
       [](ui::ScriptVocabulary& v) { v.AddWords(TokenClass::kKeywordA, " one "); v.AddWords(TokenClass::kKeywordA, " two "); },
       "one two", {{0, 3, TokenClass::kKeywordA}, {4, 3, TokenClass::kKeywordA}}},
      {"two comment chars", [](ui::ScriptVocabulary& v) { v.SetCommentChars('/', '/'); }, "a/b // c;",
       {{4, 5, TokenClass::kComment}}},
      {"no comment char", [](ui::ScriptVocabulary& v) { v.SetCommentChars(QChar()); }, "; 1", {{2, 1, TokenClass::kNumber}}},
      {"comment word of the section list",
       [&](ui::ScriptVocabulary& v) { lists(v); v.SetCommentWord("rem"); }, "1 Rem 2 \"x",
       {{0, 1, TokenClass::kNumber}, {2, 8, TokenClass::kComment}}},
      {"comment word outside the section list", [&](ui::ScriptVocabulary& v) { lists(v); v.SetCommentWord("Go"); },
       "Go 1", {{0, 2, TokenClass::kKeywordA}, {3, 1, TokenClass::kNumber}}},
      {"several string delimiters", [](ui::ScriptVocabulary& v) { v.SetStringDelimiters("\"'"); }, "'a\"' \"b'",
       {{0, 4, TokenClass::kString}, {5, 3, TokenClass::kString}}},
      {"number forms", [](ui::ScriptVocabulary&) {}, "7. 0.5e 2E-3 1e+ _9",
       {{0, 2, TokenClass::kNumber}, {3, 3, TokenClass::kNumber}, {8, 4, TokenClass::kNumber},
        {13, 1, TokenClass::kNumber}}},
  };
  for (const Case& c : cases) {
    ui::ScriptVocabulary vocabulary;
    c.setup(vocabulary);
    const Tokens got = vocabulary.Tokenize(c.line);
    if (got != c.tokens) {
      QString text;
      for (const ui::ScriptToken& t : got)
        text += QStringLiteral("{%1,%2,%3} ").arg(t.start).arg(t.length).arg(static_cast<int>(t.cls));
      QFAIL(qPrintable(QStringLiteral("%1: got %2").arg(QString::fromLatin1(c.name), text)));
    }
  }
}

void CfgFileEditorTest::recoloursTheEditedLine() {
  Editing editing("[COMMON]\r\nPERIOD_VERIF=10\r\nX=1\r\n");
  QString why;
  QVERIFY2(Coloured(editing.Block(1), 0, 12, kPlain, false, &why), qPrintable(why));
  editing.PutCursor(1, 12);
  Type(&editing.Editor(), "Y");
  QCOMPARE(editing.Block(1).text(), QStringLiteral("PERIOD_VERIFY=10"));
  QVERIFY2(Coloured(editing.Block(1), 0, 13, kKeywordA, false, &why), qPrintable(why));

  // An opening quote turns the rest of its own line green, not the next one.
  editing.PutCursor(1, 14);
  QTest::keyClick(&editing.Editor(), Qt::Key_QuoteDbl);
  QVERIFY2(Coloured(editing.Block(1), 14, 3, kString, false, &why), qPrintable(why));
  QVERIFY2(Coloured(editing.Block(2), 2, 1, kNumber, false, &why), qPrintable(why));

  // Deleting a character colours its line again too.
  editing.PutCursor(0, 1);
  QTest::keyClick(&editing.Editor(), Qt::Key_Delete);
  QVERIFY2(Coloured(editing.Block(0), 0, 6, kPlain, false, &why), qPrintable(why));

  // The recolour button keeps the colours and gives the editor the focus.
  editing.Dialog().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editing.Dialog()));
  editing.Dialog().findChild<QPushButton*>(QStringLiteral("save"))->setFocus();
  editing.Dialog().findChild<QToolButton*>(QStringLiteral("recolour"))->click();
  QVERIFY2(Coloured(editing.Block(1), 0, 13, kKeywordA, false, &why), qPrintable(why));
  QCOMPARE(QApplication::focusWidget(), &editing.Editor());
}

void CfgFileEditorTest::savesWhatWasLoaded_data() {
  QTest::addColumn<QByteArray>("bytes");
  QByteArray every;
  for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
  QByteArray binary;
  for (int b = 255; b > 0; b -= 7) binary += static_cast<char>(b);
  QTest::newRow("CR LF") << QByteArray("[COMMON]\r\nPERIOD_VERIFY=10\r\n\r\n[Hosts]\r\n");
  QTest::newRow("LF only") << QByteArray("[COMMON]\nPERIOD_VERIFY=10\n\n");
  QTest::newRow("no final line end") << QByteArray("[COMMON]\r\nA=1");
  QTest::newRow("lone CR and mixed ends") << QByteArray("a\rb\r\n\r\rc\n\r\n\nd\r");
  QTest::newRow("CR before CR LF") << QByteArray("a\r\r\nb");
  QTest::newRow("tabs and blanks") << QByteArray("\tA =\t1 \t\r\n \t\r\n");
  QTest::newRow("every byte but NUL") << every;
  QTest::newRow("every byte, twice, with ends") << every + "\r\n" + every + "\n";
  QTest::newRow("no-break space and 0x98") << QByteArray("A=\xA0\x98\xA0\r\n");
  QTest::newRow("binary-looking line") << binary + "\r\n" + binary;
  QTest::newRow("Cyrillic") << Qba(text::Cp(";;; ОБЩИЕ НАСТРОЙКИ ПРОГРАММЫ ёЁ\r\n"));
  QTest::newRow("empty file") << QByteArray();
  QTest::newRow("one line end") << QByteArray("\r\n");
}

void CfgFileEditorTest::savesWhatWasLoaded() {
  QFETCH(QByteArray, bytes);
  Editing editing(bytes);
  QVERIFY(editing.Dialog().Loaded());
  QCOMPARE(Qba(editing.Editor().Bytes()), bytes);
  editing.ClickSave();
  QCOMPARE(editing.Dialog().result(), int(QDialog::Accepted));
  QCOMPARE(ReadFile(editing.Path()), bytes);
}

void CfgFileEditorTest::savesWhatWasTyped_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("block");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("keys");  // "\n" presses Enter, "\t" Tab, "\x7f" Delete, "\b" Backspace
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("new line in a CR LF file") << QByteArray("A=1\r\nB=2\r\n") << 0 << 3 << "\nC=3"
                                            << QByteArray("A=1\r\nC=3\r\nB=2\r\n");
  QTest::newRow("new line in an LF file") << QByteArray("A=1\nB=2") << 0 << 3 << "\nC=3" << QByteArray("A=1\nC=3\nB=2");
  QTest::newRow("new last line without a final end") << QByteArray("A=1\r\nB=2") << 1 << 3 << "\nC"
                                                      << QByteArray("A=1\r\nB=2\r\nC");
  QTest::newRow("line split in the middle") << QByteArray("AB\r\n") << 0 << 1 << "\n" << QByteArray("A\r\nB\r\n");
  QTest::newRow("the line split keeps its end, the new one takes the first") << QByteArray("A\nB\rC\r\nD") << 1 << 1 << "\nx"
                                                   << QByteArray("A\nB\rx\nC\r\nD");
  QTest::newRow("lines joined with Delete") << QByteArray("A=1\r\nB=2\r\n") << 0 << 3 << "\x7f"
                                            << QByteArray("A=1B=2\r\n");
  QTest::newRow("lines joined with Backspace") << QByteArray("A\r\nB\nC") << 2 << 0 << "\b" << QByteArray("A\r\nBC");
  QTest::newRow("tab key and CP1251 letters") << QByteArray("A=1\r\n") << 0 << 2 << QString::fromUtf8("\tЖё€")
                                              << QByteArray("A=\t\xC6\xB8\x88" "1\r\n");
  QTest::newRow("empty file") << QByteArray() << 0 << 0 << "A\nB" << QByteArray("A\r\nB");
}

void CfgFileEditorTest::savesWhatWasTyped() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, block);
  QFETCH(int, column);
  QFETCH(QString, keys);
  QFETCH(QByteArray, expected);
  Editing editing(bytes);
  editing.PutCursor(block, column);
  for (const QChar key : keys) {
    if (key == QLatin1Char('\n'))
      QTest::keyClick(&editing.Editor(), Qt::Key_Return);
    else if (key == QLatin1Char('\t'))
      QTest::keyClick(&editing.Editor(), Qt::Key_Tab);
    else if (key == QChar(0x7f))
      QTest::keyClick(&editing.Editor(), Qt::Key_Delete);
    else if (key == QLatin1Char('\b'))
      QTest::keyClick(&editing.Editor(), Qt::Key_Backspace);
    else
      Type(&editing.Editor(), QString(key));
  }
  editing.ClickSave();
  QCOMPARE(ReadFile(editing.Path()), expected);
}

void CfgFileEditorTest::failedSaveKeepsTheOldFile_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("file made read-only") << "read-only";
  QTest::newRow("file replaced by a folder") << "folder";
}

// Both fail even for root: the save refuses a file without write permission
// and a folder in the file's place.
void CfgFileEditorTest::failedSaveKeepsTheOldFile() {
  QFETCH(QString, how);
  const QByteArray old("[COMMON]\r\nPERIOD_VERIFY=10\r\n");
  Editing editing(old);
  QTest::keyClicks(&editing.Editor(), "changed");
  if (how == "read-only") {
    QVERIFY(::chmod(QFile::encodeName(editing.Path()).constData(), 0444) == 0);
  } else {
    QVERIFY(QFile::rename(editing.Path(), editing.Path() + ".old"));
    QVERIFY(QDir(editing.Folder()).mkdir("tarvik.cfg"));
    WriteFile(editing.Path() + "/inside", "x");
  }
  const auto box = ModalAnswer::Click("OK");
  editing.ClickSave();
  QVERIFY(box->Answered());
  QCOMPARE(box->Seen().title, QString::fromUtf8("Ошибка"));
  QCOMPARE(box->Seen().text, QString::fromUtf8("Ошибка записи файла \"%1\"").arg(editing.Path()));
  QCOMPARE(box->Seen().icon, int(QMessageBox::Critical));
  QCOMPARE(editing.Dialog().result(), int(QDialog::Accepted));
  if (how == "read-only") {
    QCOMPARE(ReadFile(editing.Path()), old);
  } else {
    QCOMPARE(ReadFile(editing.Path() + ".old"), old);
    QCOMPARE(ReadFile(editing.Path() + "/inside"), QByteArray("x"));
  }
  // No temporary file is left beside it.
  QCOMPARE(QDir(editing.Folder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
           how == "read-only" ? 1 : 2);
}

void CfgFileEditorTest::runEndsAcceptedOnSaveAndRejectedOnClose() {
  const QByteArray old("[COMMON]\r\n");
  {
    Editing editing(old);
    QTest::keyClicks(&editing.Editor(), ";x");
    const auto answer = ModalAnswer::Close();
    QCOMPARE(editing.Dialog().Run(), int(QDialog::Rejected));
    QVERIFY(answer->Answered());
    QCOMPARE(answer->Seen().title, QStringLiteral("Configuration file"));
    QCOMPARE(ReadFile(editing.Path()), old);
    QCOMPARE(QDir(editing.Folder()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 1);
  }
  {
    Editing editing(old);
    QTest::keyClicks(&editing.Editor(), ";x");
    const auto answer = ModalAnswer::Click("Save");
    QCOMPARE(editing.Dialog().Run(), int(QDialog::Accepted));
    QCOMPARE(ReadFile(editing.Path()), QByteArray(";x[COMMON]\r\n"));
    QCOMPARE(editing.Dialog().findChild<QLineEdit*>("path")->text(), editing.Path());
  }
}

void CfgFileEditorTest::pathsThatOpenNothing_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("missing file") << "missing.cfg";
  QTest::newRow("folder") << "folder";
  QTest::newRow("empty path") << "";
}

void CfgFileEditorTest::pathsThatOpenNothing() {
  QFETCH(QString, name);
  QTemporaryDir dir;
  QVERIFY(QDir(dir.path()).mkdir("folder"));
  const std::string path = name.isEmpty() ? std::string() : ui::ToCp(dir.filePath(name));
  CCfgFileEditDlg dialog(path);
  QVERIFY(!dialog.Loaded());
  // Nothing is shown: a window would wait here for an answer that never comes.
  QCOMPARE(dialog.Run(), int(QDialog::Rejected));
  QVERIFY(!dialog.isVisible());
}

void CfgFileEditorTest::marksWhatStartUpPassesOver() {
  Editing editing(Qba(text::Cp("[Remote interfaces]\r\nПК-1=host:12007\r\nПК-2=host\r\n[Hosts]\r\nУзел=ПК-1,ПК-3\r\n")));
  ui::CTWScriptEdit& editor = editing.Editor();
  const QTextBlock hosts = editing.Block(4);
  const int unknown = static_cast<int>(hosts.text().indexOf(QString::fromUtf8("ПК-3")));
  const QString tip = editor.MarkTipAt(hosts.position() + unknown + 1);
  QVERIFY2(tip.contains(QString::fromUtf8("ПК-3")) && tip.contains(QString::fromUtf8("Узел")), qPrintable(tip));
  QVERIFY(editor.MarkTipAt(hosts.position() + 0).isEmpty());
  QCOMPARE(FormatAt(hosts, unknown).underlineStyle(), QTextCharFormat::WaveUnderline);
  QCOMPARE(FormatAt(hosts, unknown).foreground().color(), kPlain);
  QCOMPARE(FormatAt(hosts, unknown - 1).underlineStyle(), QTextCharFormat::NoUnderline);
  // The colour of a word under a mark stays its class colour.
  const QTextBlock port = editing.Block(2);
  QVERIFY(editor.MarkTipAt(port.position() + 6).contains("5003"));
  QCOMPARE(FormatAt(port, 5).underlineStyle(), QTextCharFormat::WaveUnderline);

  // The tooltip of the point over the marked name.
  editing.Dialog().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editing.Dialog()));
  QTextCursor at(hosts);
  at.setPosition(hosts.position() + unknown + 1);
  const QRect rect = editor.cursorRect(at);
  QCOMPARE(editor.MarkTipAtPoint(rect.center() + QPoint(2, 0)), tip);

  // Describing the computer takes the mark away once the marks are found again.
  editing.PutCursor(3, 0);
  Type(&editor, QString::fromUtf8("ПК-3=h:1"));
  QTest::keyClick(&editor, Qt::Key_Return);
  editor.RefreshMarks();
  const QTextBlock edited = editing.Block(5);
  QCOMPARE(edited.text(), QString::fromUtf8("Узел=ПК-1,ПК-3"));
  QVERIFY(editor.MarkTipAt(edited.position() + unknown + 1).isEmpty());
  QCOMPARE(FormatAt(edited, unknown).underlineStyle(), QTextCharFormat::NoUnderline);
  // Marks never stop a save.
  editing.ClickSave();
  QCOMPARE(ReadFile(editing.Path()),
           Qba(text::Cp("[Remote interfaces]\r\nПК-1=host:12007\r\nПК-2=host\r\nПК-3=h:1\r\n[Hosts]\r\nУзел=ПК-1,ПК-3\r\n")));
}

void CfgFileEditorTest::editorFormat() {
  Editing editing("A\r\n");
  const ui::CTWScriptEdit& editor = editing.Editor();
  qInfo("editor font: %s", qPrintable(QFontInfo(editor.font()).family()));
  QCOMPARE(QFontInfo(editor.font()).pointSize(), 10);
  QVERIFY(DrawsFixedPitch(editor.font()));
  QCOMPARE(editor.tabStopDistance(), editor.logicalDpiX() * 0.2);
  QCOMPARE(editor.lineWrapMode(), QPlainTextEdit::NoWrap);
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(0, 0, 80));
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(224, 224, 64));
  QCOMPARE(editor.textCursor().position(), 0);
  QVERIFY(editing.Dialog().findChild<QToolButton*>("recolour")->text().isEmpty());
  QVERIFY(!editing.Dialog().findChild<QToolButton*>("recolour")->icon().isNull());
}

void CfgFileEditorTest::editorFontIsFixedPitch_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<QString>("kept");  // the family that must come back; empty: any fixed-pitch one
  // Whatever this machine substitutes for it (not every substitute is fixed-pitch).
  QTest::newRow("courier new") << "Courier New" << QString();
  QTest::newRow("installed fixed-pitch family is kept") << "DejaVu Sans Mono" << "DejaVu Sans Mono";
  QTest::newRow("installed proportional family") << "DejaVu Sans" << QString();
  QTest::newRow("unknown family") << "No Such Family" << QString();
}

void CfgFileEditorTest::editorFontIsFixedPitch() {
  QFETCH(QString, family);
  QFETCH(QString, kept);
  const QFont font = ui::EditorFont(family);
  QVERIFY2(DrawsFixedPitch(font), qPrintable(QFontInfo(font).family()));
  QCOMPARE(QFontInfo(font).pointSize(), 10);
  QVERIFY(!QFontInfo(font).bold());
  if (!kept.isEmpty()) QCOMPARE(QFontInfo(font).family(), kept);
}

void CfgFileEditorTest::ctrlTabMovesTheFocus() {
  Editing editing("A\r\n");
  editing.Dialog().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editing.Dialog()));
  QApplication::setActiveWindow(&editing.Dialog());
  editing.Editor().setFocus();
  QTest::keyClick(&editing.Editor(), Qt::Key_Tab, Qt::ControlModifier);
  QVERIFY(QApplication::focusWidget() != &editing.Editor());
  QCOMPARE(Qba(editing.Editor().Bytes()), QByteArray("A\r\n"));
}

void CfgFileEditorTest::keepsItsSizeInTheProfile() {
  QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).remove(CCfgFileEditDlg::kProfileGroup);
  QSize first;
  {
    Editing editing("A\r\n");
    first = editing.Dialog().size();
    QCOMPARE(first, CCfgFileEditDlg::DialogUnitsToPixels(QSize(324, 215), editing.Dialog().font()));
    editing.Dialog().show();
    QVERIFY(QTest::qWaitForWindowExposed(&editing.Dialog()));
    editing.Dialog().resize(first + QSize(40, 30));
    // A shown window's geometry, the one the profile keeps, follows only when
    // the window system confirms the resize.
    QTRY_COMPARE(editing.Dialog().normalGeometry().size(), first + QSize(40, 30));
    editing.Dialog().reject();
  }
  Editing again("A\r\n");
  QCOMPARE(again.Dialog().size(), first + QSize(40, 30));
  QSettings profile(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName);
  QVERIFY(profile.contains(QStringLiteral("CoolResizableDialogs/CfgFileEditDlg")));
}

QTEST_MAIN(CfgFileEditorTest)
#include "test_cfg_file_editor.moc"
