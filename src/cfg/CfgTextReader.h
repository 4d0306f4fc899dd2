#pragma once
// Reading the configuration text: the line reader and the grammar that turns
// lines into sections and parameters.

#include <cstddef>
#include <cstdio>
#include <string>

class C_CFG_File;
class C_CFG_Folder;

namespace cfg {

// Lines of at most kMaxLine bytes; a longer line is split there.
inline constexpr std::size_t kLineBuffer = 2048;
inline constexpr std::size_t kMaxLine = kLineBuffer - 1;

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

 private:
  bool Fill();
  int Peek();

  std::FILE* stream_;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t pendingReturns_ = 0;  // carriage returns that begin the next line
  bool eof_ = false;       // end of stream or read error met
  bool failed_ = false;    // a read error
  bool finished_ = false;  // no line is left
};

// Reads the whole stream into `root` (appending to what it holds). False when
// the stream reported a read error; what was read is then in the tree.
bool ReadTreeText(std::FILE* stream, C_CFG_File& file, C_CFG_Folder& root);

}  // namespace cfg
