// The configuration text: read from memory, written back, read again. The
// first rewrite may still settle the text (dropped trailing comments, lines
// split at the buffer); from then on a rewrite must give the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cfg/C_CFG_File.h"

namespace {

std::string LoadAndWrite(const char* data, std::size_t size) {
  C_CFG_File file("/nonexistent-vtcfg-fuzz/fuzz.cfg");
  std::string copy(data, size);
  std::FILE* in = size == 0 ? std::fopen("/dev/null", "rb") : ::fmemopen(copy.data(), size, "rb");
  if (in == nullptr) return {};
  if (!file.LoadFrom(in, true)) __builtin_trap();  // memory never fails to read
  std::fclose(in);
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
