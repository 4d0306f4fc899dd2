#include "ui/editor/CTWScriptEdit.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QToolTip>

#include <algorithm>

#include "ui/editor/EditorFont.h"
#include "ui/editor/ScriptHighlighter.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

// Tab stops every 288 twips, a fifth of an inch.
constexpr double kTabStopInches = 288.0 / 1440.0;
// A pause after the last keystroke before the marks are looked for again.
constexpr int kMarksDelayMs = 300;

LineData* DataOf(const QTextBlock& block) { return static_cast<LineData*>(block.userData()); }

LineData& EnsureData(QTextBlock block) {
  if (LineData* data = DataOf(block)) return *data;
  auto* data = new LineData;  // the block owns it
  block.setUserData(data);
  return *data;
}

}  // namespace

CTWScriptEdit::CTWScriptEdit(QWidget* parent)
    : QPlainTextEdit(parent), highlighter_(new ScriptHighlighter(document())) {
  ApplyEditorFormat();
  marksTimer_.setSingleShot(true);
  marksTimer_.setInterval(kMarksDelayMs);
  connect(&marksTimer_, &QTimer::timeout, this, &CTWScriptEdit::RefreshMarks);
  connect(document(), &QTextDocument::contentsChange, this, &CTWScriptEdit::OnContentsChange);
}

CTWScriptEdit::~CTWScriptEdit() = default;

void CTWScriptEdit::ApplyEditorFormat() {
  setFont(EditorFont());
  QPalette colours = palette();
  colours.setColor(QPalette::Text, QColor(224, 224, 64));
  colours.setColor(QPalette::Base, QColor(0, 0, 80));
  colours.setColor(QPalette::Window, QColor(0, 0, 80));
  setPalette(colours);
  setBackgroundVisible(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setTabChangesFocus(false);
  setTabStopDistance(kTabStopInches * logicalDpiX());
}

void CTWScriptEdit::SetCaseSensitive(bool on) { highlighter_->Vocabulary().SetCaseSensitive(on); }

void CTWScriptEdit::SetCommentChars(QChar char1, QChar char2) { highlighter_->Vocabulary().SetCommentChars(char1, char2); }

void CTWScriptEdit::SetCommentWord(const QString& word) { highlighter_->Vocabulary().SetCommentWord(word); }

void CTWScriptEdit::SetStringDelimiters(const QString& delimiters) {
  highlighter_->Vocabulary().SetStringDelimiters(delimiters);
}

void CTWScriptEdit::AddWords(TokenClass list, const QString& words) { highlighter_->Vocabulary().AddWords(list, words); }

void CTWScriptEdit::SetColour(TokenClass cls, const QColor& colour, bool bold) {
  highlighter_->SetColour(cls, colour, bold);
}

QColor CTWScriptEdit::Colour(TokenClass cls) const { return highlighter_->Colour(cls); }

bool CTWScriptEdit::Bold(TokenClass cls) const { return highlighter_->Bold(cls); }

const ScriptVocabulary& CTWScriptEdit::Vocabulary() const { return highlighter_->Vocabulary(); }

void CTWScriptEdit::SetBytes(std::string_view bytes) {
  // Lines with their ends: the text for the document joins them with LF, the
  // ends themselves go into the blocks.
  std::string joined;
  joined.reserve(bytes.size());
  std::vector<QByteArray> ends;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      ends.emplace_back("\n");
    } else if (c == '\r') {
      const bool crlf = i + 1 < bytes.size() && bytes[i + 1] == '\n';
      ends.emplace_back(crlf ? "\r\n" : "\r");
      if (crlf) ++i;
    } else {
      joined += c;
      continue;
    }
    joined += '\n';
  }
  defaultLineEnd_ = ends.empty() ? QByteArray("\r\n") : ends.front();

  const bool undo = document()->isUndoRedoEnabled();
  document()->setUndoRedoEnabled(false);
  setPlainText(FromCp(joined));
  std::size_t line = 0;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++line) {
    auto* data = new LineData;
    if (line < ends.size()) data->terminator = ends[line];
    block.setUserData(data);
  }
  document()->setUndoRedoEnabled(undo);

  if (markFinder_) RefreshMarks();
  ColourAll();
  moveCursor(QTextCursor::Start);
}

std::string CTWScriptEdit::Bytes() const {
  std::string out;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    // The block's own text: QTextDocument::toPlainText() would turn
    // no-break spaces (byte 0xA0) into blanks.
    out += ToCp(block.text());
    if (!block.next().isValid()) break;
    const LineData* data = DataOf(block);
    const QByteArray& end = data && !data->terminator.isEmpty() ? data->terminator : defaultLineEnd_;
    out.append(end.constData(), static_cast<std::size_t>(end.size()));
  }
  return out;
}

void CTWScriptEdit::ColourAll() { highlighter_->rehighlight(); }

void CTWScriptEdit::SetMarkFinder(MarkFinder finder) {
  markFinder_ = std::move(finder);
  RefreshMarks();
}

void CTWScriptEdit::RefreshMarks() {
  marksTimer_.stop();
  std::string bytes;
  std::vector<std::size_t> starts;  // the byte offset of each block
  std::vector<QTextBlock> blocks;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    starts.push_back(bytes.size());
    blocks.push_back(block);
    bytes += ToCp(block.text());
    if (!block.next().isValid()) break;
    const LineData* data = DataOf(block);
    const QByteArray& end = data && !data->terminator.isEmpty() ? data->terminator : defaultLineEnd_;
    bytes.append(end.constData(), static_cast<std::size_t>(end.size()));
  }

  std::vector<std::vector<LineMark>> marks(blocks.size());
  if (markFinder_) {
    for (const TextMark& mark : markFinder_(bytes)) {
      const auto after = std::upper_bound(starts.begin(), starts.end(), mark.offset);
      if (after == starts.begin()) continue;
      const auto index = static_cast<std::size_t>(after - starts.begin() - 1);
      const int column = static_cast<int>(mark.offset - starts[index]);
      const int room = std::max(blocks[index].length() - 1 - column, 0);
      marks[index].push_back({column, std::min(static_cast<int>(mark.length), room), mark.tip});
    }
  }

  // Only lines whose marks changed are coloured again.
  refreshingMarks_ = true;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const LineData* data = DataOf(blocks[i]);
    if (data ? data->marks == marks[i] : marks[i].empty()) continue;
    EnsureData(blocks[i]).marks = std::move(marks[i]);
    highlighter_->rehighlightBlock(blocks[i]);
  }
  refreshingMarks_ = false;
}

QString CTWScriptEdit::MarkTipAt(int position) const {
  const QTextBlock block = document()->findBlock(position);
  const LineData* data = DataOf(block);
  if (!data) return {};
  const int column = position - block.position();
  for (const LineMark& mark : data->marks)
    if (column >= mark.column && column < mark.column + mark.length) return mark.tip;
  return {};
}

QString CTWScriptEdit::MarkTipAtPoint(const QPoint& viewportPos) const {
  const QTextCursor cursor = cursorForPosition(viewportPos);
  // The cursor lands on the nearer edge of the character under the point:
  // left of the point means the character is the one after it.
  int position = cursor.position();
  if (viewportPos.x() < cursorRect(cursor).x() && !cursor.atBlockStart()) --position;
  return MarkTipAt(position);
}

void CTWScriptEdit::OnContentsChange() {
  // Colouring the marks in changes the document's formats too; that must
  // not start another round.
  if (refreshingMarks_ || !markFinder_) return;
  marksTimer_.start();
}

void CTWScriptEdit::keyPressEvent(QKeyEvent* event) {
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (tab && !(event->modifiers() & Qt::ControlModifier)) {
    // A tab belongs to the text here, with Shift too (it still types a tab);
    // only Ctrl+Tab is left to move the focus.
    insertPlainText(QStringLiteral("\t"));
    event->accept();
    return;
  }
  if (tab) {
    // The editor's own focusNextPrevChild refuses while tabs are text.
    QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

bool CTWScriptEdit::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = MarkTipAtPoint(help->pos());
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, viewport());
    return true;
  }
  return QPlainTextEdit::viewportEvent(event);
}

}  // namespace ui
