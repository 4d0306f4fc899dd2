#pragma once
// The tokens of one line of a keyword-coloured text: comments, strings,
// numbers and words of six lists. A pure function of the line and the
// vocabulary, so that the colouring can be checked without a window.

#include <QString>

#include <array>
#include <vector>

namespace ui {

// The classes a token can have; kPlain is everything else.
enum class TokenClass {
  kPlain,
  kComment,
  kNumber,
  kString,
  kSection,   // first word list
  kConstant,  // second word list
  kKeywordA,  // third word list
  kFifth,     // fourth word list
  kSixth,     // fifth word list
  kKeywordD,  // sixth word list
};

// The word lists in the order a word is looked up in them.
inline constexpr std::array<TokenClass, 6> kWordListOrder = {TokenClass::kSection, TokenClass::kConstant,
                                                             TokenClass::kKeywordA, TokenClass::kFifth,
                                                             TokenClass::kSixth, TokenClass::kKeywordD};

struct ScriptToken {
  int start = 0;
  int length = 0;
  TokenClass cls = TokenClass::kPlain;
  bool operator==(const ScriptToken&) const = default;
};

// What the tokeniser knows. Lists are kept as " word word ": the setters
// append, and a lookup searches for the word with a blank on each side.
class ScriptVocabulary {
 public:
  void SetCaseSensitive(bool on);
  bool CaseSensitive() const { return caseSensitive_; }
  // A char2 of 0 means the comment starts at char1 alone.
  void SetCommentChars(QChar char1, QChar char2 = QChar());
  void SetCommentWord(const QString& word) { commentWord_ = word; }
  void SetStringDelimiters(const QString& delimiters) { delimiters_ = delimiters; }
  // Appends blank-separated words to the list of `cls` (one of kWordListOrder).
  void AddWords(TokenClass cls, const QString& words);

  // The list that holds `word` first, in kWordListOrder; kPlain when none.
  TokenClass Lookup(const QString& word) const;

  // The tokens of `line` (no line break in it), left to right, plain text
  // left out.
  std::vector<ScriptToken> Tokenize(const QString& line) const;

 private:
  static int ListIndex(TokenClass cls);
  void RebuildLookupCopy(int index);

  bool caseSensitive_ = false;
  QChar commentChar1_ = QLatin1Char(';');
  QChar commentChar2_;
  QString commentWord_;
  QString delimiters_ = QStringLiteral("\"");
  std::array<QString, 6> lists_;
  // The lists as compared: lower case when not case sensitive.
  std::array<QString, 6> lookup_;
};

}  // namespace ui
