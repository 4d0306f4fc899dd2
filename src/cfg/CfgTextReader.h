#pragma once
// Reading the configuration text: the line reader and the grammar that turns
// lines into sections and parameters.

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

class C_CFG_File;
class C_CFG_Folder;

namespace cfg {

// Lines of at most kMaxLine bytes; a longer line is split there.
inline constexpr std::size_t kLineBuffer = 2048;
inline constexpr std::size_t kMaxLine = kLineBuffer - 1;

// A line of the text longer than kMaxLine bytes, which was read as several.
struct SplitLine {
  std::size_t line = 0;    // its number in the text, from 1
  std::size_t length = 0;  // its bytes, without the line end
  bool operator==(const SplitLine&) const = default;
};

// Delivers the lines of a stream: the line feed is not kept, trailing carriage
// returns and line feeds are removed, a line longer than kMaxLine bytes is cut
// into pieces, and a stream that ends with a line feed delivers one more, empty,
// line at its end.
class LineReader {
 public:
  explicit LineReader(std::FILE* stream) : stream_(stream) {}
  // False when no line is left.
  bool Next(std::string& line);
  // True when the stream reported a read error (the lines ended there).
  bool Failed() const { return failed_; }
  // The lines split so far, in text order; a line is listed once it ended.
  const std::vector<SplitLine>& Splits() const { return splits_; }

 private:
  bool Fill();
  int Peek();
  // Counts bytes taken into the current line of the text.
  void Take(const char* bytes, std::size_t count);
  void EndTextLine();

  std::FILE* stream_;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t pendingReturns_ = 0;  // carriage returns that begin the next line
  bool eof_ = false;       // end of stream or read error met
  bool failed_ = false;    // a read error
  bool finished_ = false;  // no line is left
  // The line of the text being read (not the piece delivered).
  std::size_t textLine_ = 1;
  std::size_t textLineBytes_ = 0;
  std::size_t textLineReturns_ = 0;  // carriage returns at its end so far
  bool textLineSplit_ = false;
  std::vector<SplitLine> splits_;
};

// Reads the whole stream into `root` (appending to what it holds). False when
// the stream reported a read error; what was read is then in the tree. The
// lines that were split are put into `splits` when it is given.
bool ReadTreeText(std::FILE* stream, C_CFG_File& file, C_CFG_Folder& root, std::vector<SplitLine>* splits = nullptr);

}  // namespace cfg
