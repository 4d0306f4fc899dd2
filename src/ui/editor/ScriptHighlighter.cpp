#include "ui/editor/ScriptHighlighter.h"

namespace ui {

namespace {

size_t Index(TokenClass cls) { return static_cast<size_t>(cls); }

// Marks stand out on every class colour and on the dark background.
const QColor kMarkColour(255, 80, 80);

}  // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  // The control's own colours; nothing in this program changes them.
  styles_[Index(TokenClass::kPlain)] = {QColor(255, 255, 64), false};
  styles_[Index(TokenClass::kComment)] = {QColor(128, 128, 128), false};
  styles_[Index(TokenClass::kNumber)] = {QColor(255, 64, 64), false};
  styles_[Index(TokenClass::kString)] = {QColor(64, 255, 64), false};
  styles_[Index(TokenClass::kSection)] = {QColor(64, 64, 255), true};
  styles_[Index(TokenClass::kConstant)] = {QColor(255, 255, 255), true};
  styles_[Index(TokenClass::kKeywordA)] = {QColor(0, 196, 196), false};
  styles_[Index(TokenClass::kFifth)] = {QColor(196, 196, 128), false};
  styles_[Index(TokenClass::kSixth)] = {QColor(255, 196, 196), false};
  styles_[Index(TokenClass::kKeywordD)] = {QColor(196, 255, 196), false};
}

void ScriptHighlighter::SetColour(TokenClass cls, const QColor& colour, bool bold) {
  styles_[Index(cls)] = {colour, bold};
}

QColor ScriptHighlighter::Colour(TokenClass cls) const { return styles_[Index(cls)].colour; }

bool ScriptHighlighter::Bold(TokenClass cls) const { return styles_[Index(cls)].bold; }

QTextCharFormat ScriptHighlighter::Format(TokenClass cls) const {
  QTextCharFormat format;
  format.setForeground(styles_[Index(cls)].colour);
  format.setFontWeight(styles_[Index(cls)].bold ? QFont::Bold : QFont::Normal);
  return format;
}

void ScriptHighlighter::highlightBlock(const QString& text) {
  const int length = static_cast<int>(text.size());
  setFormat(0, length, Format(TokenClass::kPlain));
  for (const ScriptToken& token : vocabulary_.Tokenize(text)) setFormat(token.start, token.length, Format(token.cls));

  const auto* data = static_cast<const LineData*>(currentBlockUserData());
  if (!data) return;
  for (const LineMark& mark : data->marks) {
    const int end = std::min(mark.column + mark.length, length);
    // One character at a time, so that each keeps its own colour under the mark.
    for (int i = std::max(mark.column, 0); i < end; ++i) {
      QTextCharFormat marked = format(i);
      marked.setUnderlineStyle(QTextCharFormat::WaveUnderline);
      marked.setUnderlineColor(kMarkColour);
      setFormat(i, 1, marked);
    }
  }
}

}  // namespace ui
