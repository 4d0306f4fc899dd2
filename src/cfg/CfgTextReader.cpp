#include "cfg/CfgTextReader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "text/Strings.h"

namespace cfg {

namespace {

void StripLineEnd(std::string& line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
}

}  // namespace

bool LineReader::Fill() {
  if (eof_) return false;
  pos_ = 0;
  end_ = std::fread(buffer_, 1, sizeof buffer_, stream_);
  // A read error ends the lines like the end of the text does; the caller
  // asks Failed() whether the text was whole.
  if (end_ == 0) {
    eof_ = true;
    failed_ = std::ferror(stream_) != 0;
  }
  return end_ != 0;
}

int LineReader::Peek() {
  if (pos_ == end_ && !Fill()) return EOF;
  return static_cast<unsigned char>(buffer_[pos_]);
}

void LineReader::Take(const char* bytes, std::size_t count) {
  if (count == 0) return;
  textLineBytes_ += count;
  std::size_t returns = 0;
  while (returns < count && bytes[count - 1 - returns] == '\r') ++returns;
  textLineReturns_ = returns == count ? textLineReturns_ + count : returns;
}

void LineReader::EndTextLine() {
  // The carriage returns at the end belong to the line end, as the reader
  // strips them.
  if (textLineSplit_) splits_.push_back({textLine_, textLineBytes_ - textLineReturns_});
  ++textLine_;
  textLineBytes_ = 0;
  textLineReturns_ = 0;
  textLineSplit_ = false;
}

bool LineReader::Next(std::string& line) {
  if (finished_) return false;
  line.assign(pendingReturns_, '\r');
  pendingReturns_ = 0;
  for (;;) {
    if (pos_ == end_ && !Fill()) {
      // The end met while reading a line: this is the last line. A text that
      // ends with a line feed thus delivers one more, empty, line.
      finished_ = true;
      EndTextLine();
      break;
    }
    const std::size_t room = kMaxLine - line.size();
    const std::size_t avail = std::min(end_ - pos_, room);
    const char* start = buffer_ + pos_;
    if (const void* lf = std::memchr(start, '\n', avail)) {
      const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
      line.append(start, n);
      Take(start, n);
      pos_ += n + 1;
      EndTextLine();
      break;
    }
    line.append(start, avail);
    Take(start, avail);
    pos_ += avail;
    if (line.size() == kMaxLine) {
      // A full buffer splits the line here. When only its line end follows,
      // that end belongs to this line: otherwise a line of exactly this length
      // would be followed by an empty one that is not in the text, and every
      // rewrite of the file would add another.
      std::size_t returns = 0;
      while (returns < kMaxLine && Peek() == '\r') {
        ++pos_;
        ++returns;
      }
      textLineBytes_ += returns;
      textLineReturns_ += returns;
      const int next = Peek();
      if (next == '\n') {
        ++pos_;
        EndTextLine();
      } else {
        pendingReturns_ = returns;  // they begin the next line, as they would have
        // More of this line follows: it is split. At the end of the text the
        // line simply ends there.
        if (next != EOF) textLineSplit_ = true;
      }
      break;
    }
  }
  StripLineEnd(line);
  return true;
}

bool ReadTreeText(std::FILE* stream, C_CFG_File& file, C_CFG_Folder& root, std::vector<SplitLine>* splits) {
  LineReader reader(stream);
  std::string raw;
  std::string comment;
  bool commentPending = false;
  std::uint32_t blankLines = 0;
  C_CFG_Folder* current = &root;
  while (reader.Next(raw)) {
    const std::string_view line = text::TrimView(raw);
    if (line.empty() && !commentPending) {
      ++blankLines;
      continue;
    }
    if (!line.empty() && line.front() == ';') {
      // A block is pending from its first line on, even when that line is a
      // bare ";": so the bare lines at the head of a block are kept too.
      if (commentPending) comment += '\n';
      comment.append(line.substr(1));
      commentPending = true;
      continue;
    }
    // A content line: also an empty line that ends a comment block.
    const std::size_t semicolon = line.find(';');
    const std::string_view body = line.substr(0, semicolon);
    std::optional<std::string_view> inlineComment;
    if (semicolon != std::string_view::npos) inlineComment = line.substr(semicolon + 1);
    const std::size_t equals = body.find('=');
    std::string_view name = body;
    std::string_view value;
    if (equals != std::string_view::npos) {
      name = body.substr(0, equals);
      // Only the line's end was trimmed, so blanks that stand before a ';'
      // stay in the value.
      const std::string_view rest = body.substr(equals + 1);
      const std::size_t first = rest.find_first_not_of(text::kBlanks);
      if (first != std::string_view::npos) value = rest.substr(first);
    }
    name = text::TrimView(name);
    std::optional<std::string_view> blockComment;
    if (commentPending) blockComment = comment;
    if (equals == std::string_view::npos && !name.empty() && name.front() == '[' && name.back() == ']') {
      const std::size_t first = name.find_first_not_of("[]");
      const std::string_view section =
          first == std::string_view::npos ? std::string_view()
                                          : name.substr(first, name.find_last_not_of("[]") - first + 1);
      current = new C_CFG_Folder(&file, &root, section, {}, blankLines, blockComment, inlineComment);
    } else {
      new C_CFG_Parameter(&file, current, name, value, blankLines, blockComment, inlineComment);
    }
    comment.clear();
    commentPending = false;
    blankLines = 0;
  }
  if (splits != nullptr) *splits = reader.Splits();
  return !reader.Failed();
}

}  // namespace cfg
