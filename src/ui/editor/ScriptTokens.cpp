#include "ui/editor/ScriptTokens.h"

namespace ui {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Letters of any script (Cyrillic names are words too), digits and '_'.
bool IsWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsWordChar(QChar c) { return IsWordStart(c) || IsDigit(c); }

// The end of the decimal floating-point number that starts at `from` (a
// digit), read as strtod reads one: digits, a '.' and more digits, then an
// exponent only when a digit follows its 'e' (and sign).
int NumberEnd(const QString& line, int from) {
  const int n = static_cast<int>(line.size());
  int i = from;
  while (i < n && IsDigit(line[i])) ++i;
  if (i < n && line[i] == QLatin1Char('.')) {
    ++i;
    while (i < n && IsDigit(line[i])) ++i;
  }
  if (i < n && (line[i] == QLatin1Char('e') || line[i] == QLatin1Char('E'))) {
    int j = i + 1;
    if (j < n && (line[j] == QLatin1Char('+') || line[j] == QLatin1Char('-'))) ++j;
    if (j < n && IsDigit(line[j])) {
      while (j < n && IsDigit(line[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

int ScriptVocabulary::ListIndex(TokenClass cls) {
  for (int i = 0; i < static_cast<int>(kWordListOrder.size()); ++i)
    if (kWordListOrder[static_cast<size_t>(i)] == cls) return i;
  return -1;
}

void ScriptVocabulary::SetCaseSensitive(bool on) {
  caseSensitive_ = on;
  for (int i = 0; i < static_cast<int>(lists_.size()); ++i) RebuildLookupCopy(i);
}

void ScriptVocabulary::SetCommentChars(QChar char1, QChar char2) {
  commentChar1_ = char1;
  commentChar2_ = char2;
}

void ScriptVocabulary::AddWords(TokenClass cls, const QString& words) {
  const int index = ListIndex(cls);
  if (index < 0) return;
  lists_[static_cast<size_t>(index)] += words;
  RebuildLookupCopy(index);
}

void ScriptVocabulary::RebuildLookupCopy(int index) {
  const QString& list = lists_[static_cast<size_t>(index)];
  // The blanks around the list make " word " findable at its ends too.
  lookup_[static_cast<size_t>(index)] = QLatin1Char(' ') + (caseSensitive_ ? list : list.toLower()) + QLatin1Char(' ');
}

TokenClass ScriptVocabulary::Lookup(const QString& word) const {
  if (word.isEmpty()) return TokenClass::kPlain;
  const QString key = QLatin1Char(' ') + (caseSensitive_ ? word : word.toLower()) + QLatin1Char(' ');
  for (size_t i = 0; i < lookup_.size(); ++i)
    if (lookup_[i].contains(key)) return kWordListOrder[i];
  return TokenClass::kPlain;
}

std::vector<ScriptToken> ScriptVocabulary::Tokenize(const QString& line) const {
  std::vector<ScriptToken> tokens;
  const int n = static_cast<int>(line.size());
  const auto toEnd = [&](int from, TokenClass cls) { tokens.push_back({from, n - from, cls}); };
  int i = 0;
  while (i < n) {
    const QChar c = line[i];
    if (!commentChar1_.isNull() && c == commentChar1_ &&
        (commentChar2_.isNull() || (i + 1 < n && line[i + 1] == commentChar2_))) {
      toEnd(i, TokenClass::kComment);
      break;
    }
    if (!c.isNull() && delimiters_.contains(c)) {
      const int close = static_cast<int>(line.indexOf(c, i + 1));
      const int end = close < 0 ? n : close + 1;
      tokens.push_back({i, end - i, TokenClass::kString});
      i = end;
      continue;
    }
    if (IsDigit(c)) {
      const int end = NumberEnd(line, i);
      tokens.push_back({i, end - i, TokenClass::kNumber});
      i = end;
      continue;
    }
    if (IsWordStart(c)) {
      int end = i + 1;
      while (end < n && IsWordChar(line[end])) ++end;
      const QString word = line.mid(i, end - i);
      const TokenClass cls = Lookup(word);
      if (cls == TokenClass::kSection && !commentWord_.isEmpty() &&
          word.compare(commentWord_, Qt::CaseInsensitive) == 0) {
        toEnd(i, TokenClass::kComment);
        break;
      }
      if (cls != TokenClass::kPlain) tokens.push_back({i, end - i, cls});
      i = end;
      continue;
    }
    ++i;
  }
  return tokens;
}

}  // namespace ui
