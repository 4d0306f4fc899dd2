// The configuration text: read from memory, written back, read again. The
// first rewrite may still settle the text (dropped trailing comments, lines
// split at the buffer); from then on a rewrite must give the same bytes. The
// lines reported as split are exactly those the reader cut, with their
// numbers and lengths in the text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cfg/C_CFG_File.h"

namespace {

// The lines of `text` (line feeds not kept) that the reader cuts: longer
// than kMaxLine bytes, unless all that follows the first kMaxLine bytes is a
// run of carriage returns short enough to be taken as the line's end.
std::vector<cfg::SplitLine> ExpectedSplits(std::string_view text) {
  std::vector<cfg::SplitLine> splits;
  std::size_t number = 1;
  for (std::size_t start = 0;; ++number) {
    const std::size_t lf = text.find('\n', start);
    const std::string_view raw = text.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start);
    const std::size_t tail = raw.size() > cfg::kMaxLine ? raw.size() - cfg::kMaxLine : 0;
    const bool onlyReturns = raw.find_first_not_of('\r', cfg::kMaxLine) == std::string_view::npos;
    if (tail != 0 && !(onlyReturns && tail <= cfg::kMaxLine)) {
      const std::size_t content = raw.find_last_not_of('\r');
      splits.push_back({number, content == std::string_view::npos ? 0 : content + 1});
    }
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return splits;
}

std::string LoadAndWrite(const char* data, std::size_t size) {
  C_CFG_File file("/nonexistent-vtcfg-fuzz/fuzz.cfg");
  std::string copy(data, size);
  std::FILE* in = size == 0 ? std::fopen("/dev/null", "rb") : ::fmemopen(copy.data(), size, "rb");
  if (in == nullptr) return {};
  if (!file.LoadFrom(in, true)) __builtin_trap();  // memory never fails to read
  std::fclose(in);
  if (file.SplitLines() != ExpectedSplits(std::string_view(data, size))) __builtin_trap();
  char* buffer = nullptr;
  std::size_t length = 0;
  std::FILE* out = ::open_memstream(&buffer, &length);
  if (out == nullptr) return {};
  if (!file.WriteTo(out, true)) __builtin_trap();
  std::fclose(out);
  std::string text(buffer, length);
  std::free(buffer);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string once = LoadAndWrite(reinterpret_cast<const char*>(data), size);
  const std::string twice = LoadAndWrite(once.data(), once.size());
  const std::string thrice = LoadAndWrite(twice.data(), twice.size());
  if (thrice != twice) __builtin_trap();
  return 0;
}
