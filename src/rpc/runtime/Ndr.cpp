#include "rpc/runtime/Ndr.h"

#include <cstring>

#include "rpc/runtime/RpcException.h"

namespace rpc {

namespace {

[[noreturn]] void BadStub(const char* what) {
  throw RpcException(status::kBadStubData, std::string("bad stub data: ") + what);
}

}  // namespace

// ---- writer ----

void NdrWriter::Align4() {
  while (data_.size() % 4 != 0) data_.push_back(0);
}

void NdrWriter::U32(uint32_t value) {
  Align4();
  uint8_t b[4];
  for (int i = 0; i < 4; ++i) {
    const int shift = bigEndian_ ? 8 * (3 - i) : 8 * i;
    b[i] = static_cast<uint8_t>(value >> shift);
  }
  data_.insert(data_.end(), b, b + 4);
}

void NdrWriter::Long(int32_t value) { U32(static_cast<uint32_t>(value)); }

void NdrWriter::LongArray1(int32_t value) {
  U32(1);
  U32(static_cast<uint32_t>(value));
}

void NdrWriter::LongVarying1(int32_t value) {
  U32(1);
  U32(0);
  U32(1);
  U32(static_cast<uint32_t>(value));
}

void NdrWriter::String(std::string_view text) {
  const auto count = static_cast<uint32_t>(text.size() + 1);
  U32(count);
  U32(0);
  U32(count);
  data_.insert(data_.end(), text.begin(), text.end());
  data_.push_back(0);
}

void NdrWriter::Char(char value) { data_.push_back(static_cast<uint8_t>(value)); }

void NdrWriter::Bytes(std::string_view data) {
  U32(static_cast<uint32_t>(data.size()));
  data_.insert(data_.end(), data.begin(), data.end());
}

void NdrWriter::VaryingBytes(uint32_t capacity, std::string_view data) {
  U32(capacity);
  U32(0);
  U32(static_cast<uint32_t>(data.size()));
  data_.insert(data_.end(), data.begin(), data.end());
}

// ---- reader ----

NdrReader::NdrReader(std::span<const uint8_t> body, bool bigEndian) : body_(body), bigEndian_(bigEndian) {}

void NdrReader::Need(size_t count) const {
  if (count > body_.size() - pos_) BadStub("body ends early");
}

void NdrReader::Align4() {
  const size_t pad = (4 - pos_ % 4) % 4;
  Need(pad);
  pos_ += pad;  // pads are skipped unseen: real servers fill them with anything
}

uint32_t NdrReader::U32() {
  Align4();
  Need(4);
  const uint8_t* p = body_.data() + pos_;
  pos_ += 4;
  if (bigEndian_) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
  }
  return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

int32_t NdrReader::Long() { return static_cast<int32_t>(U32()); }

int32_t NdrReader::LongArray1() {
  if (U32() != 1) BadStub("L[1] max count is not 1");
  return static_cast<int32_t>(U32());
}

int32_t NdrReader::LongVarying1() {
  if (U32() != 1) BadStub("Lv[1] max count is not 1");
  if (U32() != 0) BadStub("Lv[1] offset is not 0");
  if (U32() != 1) BadStub("Lv[1] actual count is not 1");
  return static_cast<int32_t>(U32());
}

std::string NdrReader::String(uint32_t maxLength) {
  const uint32_t max = U32();
  const uint32_t offset = U32();
  const uint32_t actual = U32();
  if (offset != 0) BadStub("string offset is not 0");
  if (actual == 0) BadStub("string without its NUL");
  if (actual > max) BadStub("string actual count above its max count");
  if (actual - 1 > maxLength) BadStub("string longer than allowed");
  Need(actual);
  const auto* p = reinterpret_cast<const char*>(body_.data() + pos_);
  if (p[actual - 1] != '\0') BadStub("string not terminated by NUL");
  pos_ += actual;
  return std::string(p, actual - 1);
}

char NdrReader::Char() {
  Need(1);
  return static_cast<char>(body_[pos_++]);
}

std::string NdrReader::Bytes(uint32_t expectedCount) {
  const uint32_t max = U32();
  if (max != expectedCount) BadStub("byte array count differs from the size given");
  Need(max);
  std::string out(reinterpret_cast<const char*>(body_.data() + pos_), max);
  pos_ += max;
  return out;
}

std::string NdrReader::VaryingBytes(uint32_t capacity) {
  // The announced max count is not compared with the capacity: only what is
  // carried (offset and actual count) can overrun the caller's buffer.
  const uint32_t max = U32();
  const uint32_t offset = U32();
  const uint32_t actual = U32();
  if (offset != 0) BadStub("varying array offset is not 0");
  if (actual > max) BadStub("varying array actual count above its max count");
  if (actual > capacity) BadStub("varying array longer than the capacity given");
  Need(actual);
  std::string out(reinterpret_cast<const char*>(body_.data() + pos_), actual);
  pos_ += actual;
  return out;
}

void NdrReader::ExpectEnd() {
  if (Remaining() >= 4) BadStub("bytes left after the last value");
}

}  // namespace rpc
