#pragma once
// A plain-text editor that colours its text by keyword lists (comments,
// strings, numbers and six word lists, each class with its colour and bold
// flag) and gives back its text byte for byte as it was loaded: each line
// keeps its own line end (LF, CR LF or a lone CR), and a last line without
// one stays without.
//
// Optionally it underlines stretches that a mark finder points out in the
// text, with a tooltip on each; the finder runs again a moment after edits.

#include <QPlainTextEdit>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/editor/ScriptTokens.h"

namespace ui {

class ScriptHighlighter;

// A stretch of the editor's bytes (CP1251) to point out.
struct TextMark {
  std::size_t offset = 0;
  std::size_t length = 0;
  QString tip;
};

class CTWScriptEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  using MarkFinder = std::function<std::vector<TextMark>(const std::string& cp1251Text)>;

  explicit CTWScriptEdit(QWidget* parent = nullptr);
  ~CTWScriptEdit() override;

  // The vocabulary; set before the text.
  void SetCaseSensitive(bool on);
  // Rewriting recognised words in the case of their list is kept as a
  // setting only: this program's editor compares case-sensitively.
  void SetCorrectCase(bool on) { correctCase_ = on; }
  bool CorrectCase() const { return correctCase_; }
  // A char2 of 0 means a comment starts at char1 alone.
  void SetCommentChars(QChar char1, QChar char2 = QChar());
  void SetCommentWord(const QString& word);
  void SetStringDelimiters(const QString& delimiters);
  // Each appends blank-separated words to its list.
  void SetSections(const QString& words) { AddWords(TokenClass::kSection, words); }
  void SetConstants(const QString& words) { AddWords(TokenClass::kConstant, words); }
  void SetKeywordsA(const QString& words) { AddWords(TokenClass::kKeywordA, words); }
  void SetFifthList(const QString& words) { AddWords(TokenClass::kFifth, words); }
  void SetSixthList(const QString& words) { AddWords(TokenClass::kSixth, words); }
  void SetKeywordsD(const QString& words) { AddWords(TokenClass::kKeywordD, words); }
  void AddWords(TokenClass list, const QString& words);
  // The colour and weight of a class; kPlain is the colour between tokens.
  void SetColour(TokenClass cls, const QColor& colour, bool bold);
  QColor Colour(TokenClass cls) const;
  bool Bold(TokenClass cls) const;
  const ScriptVocabulary& Vocabulary() const;

  // Replaces the text with CP1251 bytes and colours it all. Lines end at LF,
  // CR LF or a lone CR, each remembered for Bytes().
  void SetBytes(std::string_view cp1251);
  // The text as CP1251 bytes, each line with its own line end; a line typed
  // in the editor ends like the first line of the loaded text (CR LF when
  // it had no line end).
  std::string Bytes() const;
  QByteArray DefaultLineEnd() const { return defaultLineEnd_; }

  // Colours the whole text again.
  void ColourAll();

  // Sets the finder of marks and runs it on the text now.
  void SetMarkFinder(MarkFinder finder);
  // Runs the finder now (edits run it after a short pause).
  void RefreshMarks();
  // The tooltip of the mark at a document position; empty when none.
  QString MarkTipAt(int position) const;
  // The tooltip of the mark under a point of the viewport; empty when none.
  QString MarkTipAtPoint(const QPoint& viewportPos) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ApplyEditorFormat();
  void OnContentsChange();

  ScriptHighlighter* highlighter_;
  bool correctCase_ = true;
  QByteArray defaultLineEnd_ = "\r\n";
  MarkFinder markFinder_;
  QTimer marksTimer_;
  bool refreshingMarks_ = false;
};

}  // namespace ui
