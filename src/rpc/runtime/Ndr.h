#pragma once
// NDR 2.0 marshalling for the wire forms of the administration interface.
//
//   L      32-bit integer by value                      4 bytes
//   L*     32-bit integer by reference                  4 bytes
//   L[1]   conformant array of one integer              max count 1, value
//   Lv[1]  conformant varying array of one integer      max 1, offset 0, actual 1, value
//   S      NUL-terminated string                        max, offset 0, actual (all = length + 1), bytes + NUL
//   C      one character by reference                   1 byte
//   B[n]   conformant byte array                        max count n, n bytes
//   Bv[M;N] conformant varying byte array               max M, offset 0, actual N, N bytes
//
// Every 4-byte item is aligned to 4 from the start of the body. The writer pads
// with zero bytes; the reader skips pads without looking at them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rpc {

class NdrWriter {
 public:
  // A big-endian writer encodes every integer most significant byte first; a
  // server uses it to answer in a big-endian data representation.
  explicit NdrWriter(bool bigEndian = false) : bigEndian_(bigEndian) {}

  void Long(int32_t value);              // L and L*
  void LongArray1(int32_t value);        // L[1]
  void LongVarying1(int32_t value);      // Lv[1]
  void String(std::string_view text);    // S (the NUL is added here)
  void Char(char value);                 // C
  void Bytes(std::string_view data);     // B[n], n = data.size()
  void VaryingBytes(uint32_t capacity, std::string_view data);  // Bv[capacity; data.size()]

  const std::vector<uint8_t>& Data() const { return data_; }
  std::vector<uint8_t> Take() { return std::move(data_); }
  bool BigEndian() const { return bigEndian_; }

 private:
  void Align4();
  void U32(uint32_t value);
  bool bigEndian_ = false;
  std::vector<uint8_t> data_;
};

// Every read checks the counts against the bytes present and the limits given;
// a body that lies raises RpcException(status::kBadStubData). Nothing is read
// past the end of the body.
class NdrReader {
 public:
  NdrReader(std::span<const uint8_t> body, bool bigEndian = false);

  int32_t Long();
  int32_t LongArray1();
  int32_t LongVarying1();
  // S: at most maxLength bytes before the NUL; returns the text without the NUL.
  std::string String(uint32_t maxLength = 1u << 20);
  char Char();
  // B[n]: the max count must equal expectedCount.
  std::string Bytes(uint32_t expectedCount);
  // Bv: offset must be 0 and the actual count at most both the announced max
  // count and `capacity` (the capacity the caller gave).
  std::string VaryingBytes(uint32_t capacity);

  bool BigEndian() const { return bigEndian_; }
  size_t Position() const { return pos_; }
  size_t Remaining() const { return body_.size() - pos_; }
  // Raises bad stub data unless only alignment padding (< 4 bytes) remains.
  void ExpectEnd();

 private:
  void Align4();
  uint32_t U32();
  void Need(size_t count) const;
  std::span<const uint8_t> body_;
  bool bigEndian_;
  size_t pos_ = 0;
};

}  // namespace rpc
