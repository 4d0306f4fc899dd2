#pragma once
// Colours a keyword-coloured text block by block with the tokens of
// ScriptVocabulary, then underlines the marked stretches of each line.
// Qt re-highlights only the blocks an edit touched.

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextBlockUserData>
#include <QTextCharFormat>

#include <array>
#include <vector>

#include "ui/editor/ScriptTokens.h"

namespace ui {

// A stretch of one line that the editor points out, with its tooltip.
struct LineMark {
  int column = 0;
  int length = 0;
  QString tip;
  bool operator==(const LineMark&) const = default;
};

// What a block carries besides its text: the line end it had in the file
// (so that a save gives back the same bytes) and its marks.
class LineData : public QTextBlockUserData {
 public:
  // "\n", "\r\n" or "\r"; empty for a line typed in the editor, which takes
  // the editor's default line end.
  QByteArray terminator;
  std::vector<LineMark> marks;
};

class ScriptHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit ScriptHighlighter(QTextDocument* document);

  ScriptVocabulary& Vocabulary() { return vocabulary_; }
  const ScriptVocabulary& Vocabulary() const { return vocabulary_; }

  void SetColour(TokenClass cls, const QColor& colour, bool bold);
  QColor Colour(TokenClass cls) const;
  bool Bold(TokenClass cls) const;
  // The character format a token of `cls` gets.
  QTextCharFormat Format(TokenClass cls) const;

 protected:
  void highlightBlock(const QString& text) override;

 private:
  struct Style {
    QColor colour;
    bool bold = false;
  };
  ScriptVocabulary vocabulary_;
  std::array<Style, 10> styles_;
};

}  // namespace ui
